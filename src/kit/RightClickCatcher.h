#pragma once

#include "MenuSources.h"

#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>
#include <optional>

class AppStores;
class MenuContext;

// The part of a right-click menu that acts: it lies over the view it covers (see RightClickMenu.qml, whose
// tap handlers call `openAt`), builds the page from the newest state of the view's `page` and the stores
// at the moment of the click, and opens it at the pointer. It also gives the keyboard a way in: the Menu
// key and Shift+F10 on the covered view while it has the focus open the page under it.
class RightClickCatcher : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(MenuSource* page READ page WRITE setPage NOTIFY pageChanged)
    // For the keyboard only: a view with hover actions but no page of its own offers its actions as rows.
    Q_PROPERTY(QQmlListProperty<HoverAction> actions READ actions CONSTANT)
public:
    explicit RightClickCatcher(QQuickItem* parent = nullptr);

    MenuSource* page() const { return m_page; }
    QQmlListProperty<HoverAction> actions() { return {this, &m_actions}; }
    void setPage(MenuSource* page);

    // The stores of this item's engine as a menu context; none in an engine without them.
    static std::optional<MenuContext> contextFor(QObject* inEngine, QQuickWindow* window);
    // Whether a key press asks for the focused item's menu.
    static bool isMenuKey(int key, Qt::KeyboardModifiers modifiers);

    // At a point of this item. A page without rows opens nothing (and closes the open menu all the same).
    Q_INVOKABLE void openAt(QPointF point);
    // Under the covered view, for the keyboard. Nothing opens for a page without rows.
    Q_INVOKABLE void openUnder();

signals:
    void pageChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<DropMenuPage> build(bool byKey);

    QPointer<MenuSource> m_page;
    QPointer<QQuickItem> m_watched;
    QList<HoverAction*> m_actions;
};
