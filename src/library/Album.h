#pragma once

#include "AlbumSongs.h"
#include "Song.h"

#include <QVariantList>

// The songs that share an album identity. Never stored: rebuilt from the songs whenever they change.
struct Album {
    Q_GADGET
    QML_VALUE_TYPE(album)
    Q_PROPERTY(bool valid READ isValid CONSTANT)
    Q_PROPERTY(QString id READ id CONSTANT)
    Q_PROPERTY(QString title MEMBER title CONSTANT)
    Q_PROPERTY(QString artist MEMBER artist CONSTANT)
    Q_PROPERTY(QVariantList songs READ songList CONSTANT)
    Q_PROPERTY(int songCount READ songCount CONSTANT)
    Q_PROPERTY(qint64 year READ yearNumber CONSTANT)
    Q_PROPERTY(QDateTime added READ addedTime CONSTANT)
    Q_PROPERTY(bool hasSeveralDiscs READ hasSeveralDiscs CONSTANT)
    Q_PROPERTY(QUrl artworkURL READ artworkUrl CONSTANT)

public:
    QString title;
    QString artist;
    AlbumSongs songs;
    std::optional<FileUrl> cover;

    bool isValid() const { return !songs.isEmpty() || !title.isEmpty(); }
    QVariantList songList() const;
    int songCount() const { return int(songs.size()); }
    qint64 yearNumber() const { return year().value_or(0); }
    QDateTime addedTime() const { return Song::toTime(added()); }
    QUrl artworkUrl() const;

    QString id() const;
    std::optional<qint64> year() const;
    Date added() const;
    bool hasSeveralDiscs() const;
    std::optional<FileUrl> artworkURL() const;

    friend bool operator==(const Album&, const Album&) = default;
};

size_t qHash(const Album& album, size_t seed = 0);
