#pragma once

#include "MenuController.h"

#include <QHash>
#include <QPointer>
#include <QQmlComponent>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

class KeyLayer;

// The layer over a window's content where its menus are drawn, one per window. While a menu is open it is
// first in the window's key chain, sees every press in the window before anything under it does, and closes
// the menu when the window is deactivated, resized or minimised.
class MenuOverlay : public QQuickItem, public MenuHost {
    Q_OBJECT
    QML_ELEMENT
    // Draws one level; it gets the level as its `level` property and fades out when `closing` is set.
    Q_PROPERTY(QQmlComponent* view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(bool menuOpen READ menuOpen NOTIFY menuOpenChanged)
public:
    explicit MenuOverlay(QQuickItem* parent = nullptr);
    ~MenuOverlay() override;

    static MenuOverlay* of(QQuickWindow* window);

    QQmlComponent* view() const { return m_view; }
    void setView(QQmlComponent* view);
    bool menuOpen() const { return m_controller && !m_controller->isClosed(); }

    // The drawn panels, newest last (closing ones included until they are gone).
    Q_INVOKABLE QList<QQuickItem*> panels() const;

    QObject* hostObject() override { return this; }
    QRectF visibleArea() const override;
    bool reduceMotion() const override;
    void attach(MenuController* controller) override;
    void present(MenuLevel* level) override;
    void dismiss(MenuLevel* level) override;

signals:
    void viewChanged();
    void menuOpenChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void joinWindow();
    void closeMenu();

    QPointer<QQmlComponent> m_view;
    QPointer<MenuController> m_controller;
    QPointer<QQuickWindow> m_window;
    KeyLayer* m_keys;
    QHash<MenuLevel*, QPointer<QQuickItem>> m_panels;
};
