#include "FloatingWindow.h"

#include <QPointer>
#include <QQuickWindow>
#include <QTimer>

FloatingWindow::FloatingWindow(QQuickItem* parent) : QQuickItem(parent) {
    if (window()) itemChange(ItemSceneChange, ItemChangeData(window()));
}

void FloatingWindow::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change != ItemSceneChange || !data.window || m_scheduled) return;
    m_scheduled = true;
    QTimer::singleShot(0, this, [this] {
        if (QQuickWindow* w = window()) w->setFlag(Qt::WindowStaysOnTopHint, true);
    });
}
