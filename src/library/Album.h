#pragma once

#include "Song.h"

// The songs that share an album identity. Never stored: rebuilt from the songs whenever they change.
struct Album {
    QString title;
    QString artist;
    QList<Song> songs;
    std::optional<FileUrl> cover;

    QString id() const;
    std::optional<qint64> year() const;
    Date added() const;
    bool hasSeveralDiscs() const;
    std::optional<FileUrl> artworkURL() const;

    friend bool operator==(const Album&, const Album&) = default;
};

size_t qHash(const Album& album, size_t seed = 0);
