#pragma once

#include "MenuSources.h"
#include "library/Song.h"

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class LibraryStore;
class QQmlEngine;
class QJSEngine;
class QQuickItem;

// What the add and more buttons open under themselves, built at each press from the stores of that
// moment.
class ButtonMenus : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit ButtonMenus(QObject* parent = nullptr) : QObject(parent) {}
    static ButtonMenus* create(QQmlEngine*, QJSEngine*) { return new ButtonMenus; }

    // Songs as the views hold them: song values, or paths of songs in the collection (others are left
    // out).
    static QList<Song> songs(const QVariantList& items, const LibraryStore& library);

    // "play next", "add to now playing", "add to playlist" ▸ for the songs.
    Q_INVOKABLE void openAdd(const QVariantList& songs, const QString& newName, QQuickItem* button);
    // Whatever page the caller describes.
    Q_INVOKABLE void openMore(MenuSource* page, QQuickItem* button);
};
