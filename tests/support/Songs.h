#pragma once

#include "library/Song.h"

#include <QFileInfo>
#include <QStringList>
#include <ostream>

#include "support/Printers.h"

// A song as the scanner would give it: the album artist is the performing artist, no album-artist tag.
inline Song makeSong(const QString& path, const QString& artist, const QString& album,
                     const QString& title = {}) {
    Song s;
    s.url = FileUrl::fromPath(path);
    s.title = title.isEmpty() ? QFileInfo(path).completeBaseName() : title;
    s.artist = artist;
    s.album = album;
    s.albumArtist = artist;
    s.duration = 200;
    s.bytes = 4'000'000;
    s.added = Date{1000};
    s.modified = Date{1000.5};
    return s;
}

// The titles of a list of songs, in order: what a failed comparison prints readably.
inline QStringList titles(const QList<Song>& songs) {
    QStringList out;
    for (const Song& s : songs)
        out.append(s.title);
    return out;
}

inline const QString keySep = QString(QChar(1));
