#pragma once

#include "DragCard.h"
#include "library/PlayerPick.h"

#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QtQml/qqmlregistration.h>
#include <optional>

class QMimeData;
class QQmlEngine;
class QQuickItem;

// What a view needs to drag a pick (PickDrag.qml puts it to work): the pick, the drag data under the pick
// format, and the card that follows the pointer. The drag is the platform's own, so a pick can also be
// dropped on another program that knows the format.
class PickDragSource : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // A pick as the views hold one: a `Picks` object, or any object with "kind", "key", "name" and
    // optionally "by".
    Q_PROPERTY(QVariant pick READ pick WRITE setPick NOTIFY pickChanged)
    Q_PROPERTY(bool valid READ valid NOTIFY pickChanged)
    Q_PROPERTY(bool dragging READ dragging NOTIFY draggingChanged)

public:
    explicit PickDragSource(QObject* parent = nullptr) : QObject(parent) {}

    QVariant pick() const { return m_pickValue; }
    void setPick(const QVariant& pick);
    bool valid() const { return m_pick.has_value(); }
    bool dragging() const { return m_dragging; }
    const std::optional<PlayerPick>& value() const { return m_pick; }

    static std::optional<PlayerPick> pickFrom(const QVariant& value);
    // The drag's data: the pick's JSON under the pick format; none without a pick.
    QMimeData* mimeData() const;
    // The card of the pick against the stores of the engine the source lives in.
    DragCard card() const;
    static DragCard::Sources sourcesOf(QQmlEngine* engine);

    // Starts the platform drag from `item` once the current event is through, with the card painted now
    // at the pixel ratio of the item's window.
    Q_INVOKABLE void start(QQuickItem* item);

signals:
    void pickChanged();
    void draggingChanged();
    // The drag ended; `accepted` when a target took the pick.
    void finished(bool accepted);

private:
    void run(QQuickItem* item);
    void setDragging(bool on);

    QVariant m_pickValue;
    std::optional<PlayerPick> m_pick;
    bool m_dragging = false;
};

// Makes the picks the views drag, with the keys the library finds them by:
// `PickDrag { pick: Picks.album(album) }`.
class Picks : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit Picks(QObject* parent = nullptr) : QObject(parent) {}

    Q_INVOKABLE static QJsonObject artist(const QString& name);
    Q_INVOKABLE static QJsonObject album(const QVariant& album);
    Q_INVOKABLE static QJsonObject song(const QVariant& song);
    Q_INVOKABLE static QJsonObject playlist(const QVariant& playlist);
    // The drag format, for drop areas: `keys: [Picks.mimeType]`.
    Q_INVOKABLE static QString mimeType() { return PlayerPick::mimeType; }
};
