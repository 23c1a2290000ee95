#pragma once

#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "library/PlaylistLibrary.h"
#include "library/PlaylistStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "quickplay/QuickplayContent.h"
#include "shell/AppModel.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>
#include <memory>

// A song of an album, added at a given time: "/m/<artist>/<album>/<title>.mp3".
inline Song albumSong(const QString& artist, const QString& album, const QString& title, double added) {
    Song s = makeSong(QStringLiteral("/m/%1/%2/%3.mp3").arg(artist, album, title), artist, album, title);
    s.added = Date{added};
    return s;
}

inline QString albumID(const QString& artist, const QString& album) {
    return artist.toLower() + keySep + album.toLower();
}

// The real stores over a private home: the library holds exactly the given songs, and the pins, history,
// play counts and Smart DJ names are what the settings held when the program started.
struct QuickplayRig {
    TestHome home;
    std::unique_ptr<Defaults> defaults = std::make_unique<Defaults>();
    FakeMediaBackend backend;
    std::unique_ptr<LibraryStore> library;
    std::unique_ptr<Player> player;
    std::unique_ptr<AppModel> app;
    std::unique_ptr<PlaylistStore> playlists;

    struct Start {
        QList<Song> songs;
        QStringList pins;
        QStringList history;
        QHash<QString, int> plays;
        std::optional<QStringList> smartDJ;
    };

    explicit QuickplayRig(const Start& start) {
        if (!start.pins.isEmpty())
            defaults->set(QStringLiteral("pins"), QJsonArray::fromStringList(start.pins));
        if (!start.history.isEmpty())
            defaults->set(QStringLiteral("history"), QJsonArray::fromStringList(start.history));
        QJsonObject counts;
        for (auto it = start.plays.cbegin(); it != start.plays.cend(); ++it)
            counts.insert(it.key(), it.value());
        if (!counts.isEmpty()) defaults->set(QStringLiteral("playCounts"), counts);
        if (start.smartDJ)
            defaults->set(QStringLiteral("smartDJArtists"), QJsonArray::fromStringList(*start.smartDJ));
        library = libraryWith(*defaults, start.songs);
        // The collection may come from the cache a moment after the store is made.
        if (!start.songs.isEmpty()) QTest::qWaitFor([this] { return !library->songs().isEmpty(); }, 5000);
        player = std::make_unique<Player>(*defaults, backend);
        app = std::make_unique<AppModel>(*defaults);
        playlists = std::make_unique<PlaylistStore>();
    }

    QuickplayContent content() const { return QuickplayContent(*app, *library, *player, *playlists); }
    QuickplaySources sources() const { return QuickplaySources::of(*app, *library, *player, *playlists); }
};

inline QStringList idsOf(const QList<QuickItem>& items) {
    QStringList out;
    for (const QuickItem& item : items)
        out.append(item.id());
    return out;
}

inline QStringList idsOf(const QList<Album>& albums) {
    QStringList out;
    for (const Album& album : albums)
        out.append(QStringLiteral("album:") + album.id());
    return out;
}
