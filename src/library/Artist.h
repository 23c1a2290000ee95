#pragma once

#include "Album.h"

#include <QSet>

// The albums that share an album artist; keyed lower-cased everywhere.
struct Artist {
    QString name;
    QList<Album> albums;

    QString id() const;
    QList<Song> songs() const;
    std::optional<QString> genre() const;
    // The artwork of the first album not in `shown` (album identities already on screen), else the first's.
    std::optional<FileUrl> artworkURL(const QSet<QString>& avoiding = {}) const;

    friend bool operator==(const Artist&, const Artist&) = default;
};

size_t qHash(const Artist& artist, size_t seed = 0);
