#pragma once

#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class LibraryStore;

// Where an artist's picture comes from when the user chose none: the artwork of the artist's first album
// (its chosen cover, else its first song's file), the name matched whatever its letter case.
class ArtistArt : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit ArtistArt(QObject* parent = nullptr) : QObject(parent) {}
    // Empty for an unknown artist or one without albums. `revision` only makes a binding ask again.
    Q_INVOKABLE static QUrl albumArtwork(LibraryStore* library, const QString& name, int revision = 0);
};
