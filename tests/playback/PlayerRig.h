#pragma once

#include "core/Defaults.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <memory>
#include <random>

// Songs named after their number: path "/music/sN.mp3", title "SN", album artist "Artist N".
inline Song songNumber(int n, double duration = 180) {
    Song song;
    song.url = FileUrl::fromPath(QStringLiteral("/music/s%1.mp3").arg(n));
    song.title = QStringLiteral("S%1").arg(n);
    song.artist = QStringLiteral("Singer %1").arg(n);
    song.albumArtist = QStringLiteral("Artist %1").arg(n);
    song.duration = duration;
    return song;
}

inline QList<Song> songs(int count, int first = 0) {
    QList<Song> list;
    for (int i = 0; i < count; ++i)
        list.append(songNumber(first + i));
    return list;
}

// A player on the fake engine in a private home, with a seeded shuffle. `restart()` makes a new player
// (and settings store) over the same files, as the next run of the program would.
struct PlayerRig {
    TestHome home;
    std::unique_ptr<Defaults> defaults = std::make_unique<Defaults>();
    FakeMediaBackend backend;
    std::mt19937 generator{7};
    std::unique_ptr<Player> player = make();

    std::unique_ptr<Player> make() {
        return std::make_unique<Player>(*defaults, backend, [this](qsizetype bound) {
            return qsizetype(std::uniform_int_distribution<qsizetype>(0, bound - 1)(generator));
        });
    }
    void restart() {
        player.reset();
        defaults = std::make_unique<Defaults>();
        player = make();
    }
    Player& operator*() { return *player; }
    Player* operator->() { return player.get(); }
};
