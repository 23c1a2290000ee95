#pragma once

#include "kit/DropMenuPage.h"

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"

// One stored artist picture as the pictures section shows it: the name it is stored under and the name
// shown (the library's spelling when the library has that artist).
struct PictureSlot {
    QString stored;
    QString shown;
    friend bool operator==(const PictureSlot&, const PictureSlot&) = default;
};

// The artist pictures section: a place per stored picture, and the artists that could still have one.
class PictureSlots : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ArtistImageStore* pictures READ pictures WRITE setPictures NOTIFY storesChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY storesChanged)
    // [{stored, shown}], in the store's order.
    Q_PROPERTY(QVariantList places READ slotValues NOTIFY slotsChanged)
    // Some library artist has no picture yet.
    Q_PROPERTY(bool canAdd READ canAdd NOTIFY slotsChanged)

public:
    explicit PictureSlots(QObject* parent = nullptr);

    ArtistImageStore* pictures() const { return m_pictures; }
    void setPictures(ArtistImageStore* pictures);
    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);

    QList<PictureSlot> currentSlots() const;
    QVariantList slotValues() const;
    // Library artists, in library order, without a picture.
    QStringList without() const;
    bool canAdd() const;

    Q_INVOKABLE static QString changeLabel(const QString& shown) {
        return QStringLiteral("Change ") + shown + QStringLiteral("'s picture");
    }
    Q_INVOKABLE static QString removeLabel(const QString& shown) {
        return QStringLiteral("Remove ") + shown + QStringLiteral("'s picture");
    }
    // "add a picture for": a row per artist without a picture, each asking for a picture of it.
    DropMenuPage addMenu();
    Q_INVOKABLE void openAddMenu(QQuickItem* anchor);
    Q_INVOKABLE void remove(const QString& stored);

signals:
    void storesChanged();
    void slotsChanged();
    // The user wants to choose a picture for this artist (the window's file chooser answers).
    void choosePicture(const QString& artist);

private:
    void follow();

    QPointer<ArtistImageStore> m_pictures;
    QPointer<LibraryStore> m_library;
    QList<QMetaObject::Connection> m_connections;
};
