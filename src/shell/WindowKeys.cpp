#include "WindowKeys.h"

#include "AppModel.h"
#include "RootModel.h"

#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>

WindowKeys::WindowKeys(QQuickWindow& window, AppModel& app, RootModel& root, QObject* parent)
    : QObject(parent), m_window(window), m_app(app), m_root(root) {
    window.installEventFilter(this);
}

bool WindowKeys::editingText() const {
    // Text inputs ask for the input method while they have focus and can be edited.
    const QQuickItem* focus = m_window.activeFocusItem();
    return focus && focus->inputMethodQuery(Qt::ImEnabled).toBool();
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    if (m_app.page() == Page::nowPlaying && !m_root.dropping()) return false;
    if (key->key() == Qt::Key_Space) return m_root.space(editingText() && !m_root.dropping());
    if (key->key() == Qt::Key_Escape) {
        m_root.escape();
        return true;
    }
    return false;
}
