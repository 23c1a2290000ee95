#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

// Where an item lies in its window, kept current while any item above it moves: a view inside a sliding
// page moves without its own x or y changing.
class ScenePosition : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickItem* item READ item WRITE setItem NOTIFY itemChanged)
    Q_PROPERTY(QPointF origin READ origin NOTIFY originChanged)
public:
    explicit ScenePosition(QObject* parent = nullptr);
    ~ScenePosition() override;

    QQuickItem* item() const { return m_item; }
    void setItem(QQuickItem* item);
    QPointF origin() const { return m_origin; }

signals:
    void itemChanged();
    void originChanged();

private:
    void follow();
    void place();

    QPointer<QQuickItem> m_item;
    QList<QMetaObject::Connection> m_connections;
    QPointF m_origin;
};
