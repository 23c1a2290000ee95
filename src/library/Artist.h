#pragma once

#include "Album.h"

#include <QSet>

// The albums that share an album artist; keyed lower-cased everywhere.
struct Artist {
    Q_GADGET
    QML_VALUE_TYPE(artist)
    Q_PROPERTY(bool valid READ isValid CONSTANT)
    Q_PROPERTY(QString id READ id CONSTANT)
    Q_PROPERTY(QString name MEMBER name CONSTANT)
    Q_PROPERTY(QVariantList albums READ albumList CONSTANT)
    Q_PROPERTY(int songCount READ songCount CONSTANT)
    Q_PROPERTY(QString genre READ genreText CONSTANT)
    Q_PROPERTY(QUrl artworkURL READ artworkUrl CONSTANT)

public:
    QString name;
    QList<Album> albums;

    bool isValid() const { return !name.isEmpty() || !albums.isEmpty(); }
    QVariantList albumList() const;
    int songCount() const;
    QString genreText() const { return genre().value_or(QString()); }
    QUrl artworkUrl() const;

    QString id() const;
    QList<Song> songs() const;
    std::optional<QString> genre() const;
    // The artwork of the first album not in `shown` (album identities already on screen), else the first's.
    std::optional<FileUrl> artworkURL(const QSet<QString>& avoiding = {}) const;

    friend bool operator==(const Artist&, const Artist&) = default;
};

size_t qHash(const Artist& artist, size_t seed = 0);
