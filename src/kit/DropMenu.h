#pragma once

#include "DropMenuPage.h"
#include "MenuController.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>
#include <memory>

class QQmlEngine;
class QJSEngine;
class QQuickWindow;

// The entry to the program's menus, one per QML engine: it holds the one open menu. Showing a menu closes
// the one that is open first, so at most one is ever open.
class DropMenu : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool isOpen READ isOpen NOTIFY openChanged)
public:
    static DropMenu* create(QQmlEngine* engine, QJSEngine*);
    static DropMenu* of(QQmlEngine* engine);

    // No default: QML must make it through `create`, so that each engine has one.
    explicit DropMenu(QObject* parent);
    ~DropMenu() override;

    // Under the anchored item. An anchor whose item is gone or in no window opens nothing.
    void show(DropMenuPage page, const DropMenuAnchor* anchor);
    // At a point of the window's content. A page without rows opens nothing.
    void show(DropMenuPage page, QPointF point, QQuickWindow* window);
    // The same on a given host, in its coordinates.
    void show(DropMenuPage page, QRectF anchorRect, bool atPointer, MenuHost* host);

    MenuController* open() const { return m_open; }
    bool isOpen() const { return m_open != nullptr; }
    Q_INVOKABLE void close();

    // The delays run on this clock (the event loop's unless a test sets its own); the kit's hover hints
    // wait on it too.
    void setClock(MenuClock* clock);
    MenuClock* clock() const { return m_clock; }

signals:
    void openChanged();

private:
    QPointer<MenuController> m_open;
    TimerMenuClock m_timers;
    MenuClock* m_clock = &m_timers;
};
