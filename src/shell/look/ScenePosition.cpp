#include "ScenePosition.h"

ScenePosition::ScenePosition(QObject* parent) : QObject(parent) {}

ScenePosition::~ScenePosition() {
    for (const auto& c : m_connections)
        disconnect(c);
}

void ScenePosition::setItem(QQuickItem* item) {
    if (m_item == item) return;
    m_item = item;
    emit itemChanged();
    follow();
}

void ScenePosition::follow() {
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    // The item and every item above it: a move of any of them moves this one, and a new parent changes
    // the chain itself.
    for (QQuickItem* i = m_item; i; i = i->parentItem()) {
        m_connections << connect(i, &QQuickItem::xChanged, this, &ScenePosition::place)
                      << connect(i, &QQuickItem::yChanged, this, &ScenePosition::place)
                      << connect(i, &QQuickItem::parentChanged, this, &ScenePosition::follow);
    }
    place();
}

void ScenePosition::place() {
    const QPointF origin = m_item ? m_item->mapToScene(QPointF(0, 0)) : QPointF();
    if (origin == m_origin) return;
    m_origin = origin;
    emit originChanged();
}
