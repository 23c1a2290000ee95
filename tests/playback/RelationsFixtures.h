#pragma once

#include "library/Artist.h"
#include "playback/Listen.h"

#include <QStringList>
#include <initializer_list>

// Small collections for the relation and mix tests: an artist's songs are numbered files under its name.
namespace fixtures {

// An empty credit credits the album artist; an empty title is "Song n" (the library keeps one of songs
// with the same title, artist and length).
inline Song song(const QString& albumArtist, int n, const QString& album = QStringLiteral("Album"),
                 const QString& credit = {}, const QString& title = {}, std::optional<QString> genre = {},
                 std::optional<qint64> year = {}) {
    Song s;
    s.url = FileUrl::fromPath(QStringLiteral("/music/%1/%2.mp3").arg(albumArtist).arg(n));
    s.title = title.isEmpty() ? QStringLiteral("Song %1").arg(n) : title;
    s.artist = credit.isEmpty() ? albumArtist : credit;
    s.album = album;
    s.albumArtist = albumArtist;
    s.track = n;
    s.duration = 200;
    s.genre = std::move(genre);
    s.year = year;
    return s;
}

// Albums in the order their songs first name them.
inline Artist artist(const QString& name, const QList<Song>& songs) {
    Artist a{name, {}};
    for (const Song& s : songs) {
        auto it = std::find_if(a.albums.begin(), a.albums.end(),
                               [&](const Album& al) { return al.title == s.album; });
        if (it == a.albums.end()) {
            a.albums.append(Album{s.album, name, {}, std::nullopt});
            it = a.albums.end() - 1;
        }
        it->songs.append(s);
    }
    return a;
}

// An artist with `count` plain songs spread over albums of ten.
inline Artist artist(const QString& name, int count) {
    QList<Song> songs;
    for (int i = 0; i < count; ++i)
        songs.append(song(name, i, QStringLiteral("Album %1").arg(i / 10)));
    return artist(name, songs);
}

inline Listen listen(const QString& artist, double at, double seconds = 200, double duration = 200,
                     bool mix = false) {
    return Listen{QStringLiteral("/music/%1/0.mp3").arg(artist), artist, Date{at}, seconds, duration, mix};
}

} // namespace fixtures
