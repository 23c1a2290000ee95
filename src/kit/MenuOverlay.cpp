#include "MenuOverlay.h"

#include "shell/KeyChain.h"
#include "shell/RootModel.h"
#include "shell/look/Motion.h"
#include "shell/look/ShellObjects.h"

#include <QMouseEvent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTimer>

namespace {
constexpr const char* windowKey = "_velto_menuOverlay";
}

MenuOverlay::MenuOverlay(QQuickItem* parent) : QQuickItem(parent), m_keys(new KeyLayer(this)) {
    // The layer itself takes no input: its panels do, and the window filter sees presses elsewhere.
    setAcceptedMouseButtons(Qt::NoButton);
    m_keys->setKind(KeyLayer::Kind::Popup);
    m_keys->setActive(false);
    connect(m_keys, &KeyLayer::pressed, this, [this](KeyPress* press) {
        if (m_controller && m_controller->key(press->key())) press->setAccepted(true);
    });
    connect(m_keys, &KeyLayer::overriding, this, [this](KeyPress* press) {
        if (m_controller && m_controller->takes(press->key())) press->setAccepted(true);
    });
}

MenuOverlay::~MenuOverlay() {
    if (m_controller) m_controller->close();
}

MenuOverlay* MenuOverlay::of(QQuickWindow* window) {
    return window ? qobject_cast<MenuOverlay*>(window->property(windowKey).value<QObject*>()) : nullptr;
}

void MenuOverlay::setView(QQmlComponent* view) {
    if (m_view == view) return;
    m_view = view;
    emit viewChanged();
}

void MenuOverlay::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change == ItemSceneChange) joinWindow();
}

void MenuOverlay::joinWindow() {
    if (m_window) {
        m_window->removeEventFilter(this);
        disconnect(m_window, nullptr, this, nullptr);
        if (of(m_window) == this) m_window->setProperty(windowKey, QVariant());
    }
    closeMenu();
    m_window = window();
    if (!m_window) return;
    m_window->setProperty(windowKey, QVariant::fromValue<QObject*>(this));
    m_window->installEventFilter(this);
    connect(m_window, &QWindow::activeChanged, this, [this] {
        if (m_window && !m_window->isActive()) closeMenu();
    });
    // Moving the window leaves the menu open; resizing closes it.
    connect(m_window, &QWindow::widthChanged, this, &MenuOverlay::closeMenu);
    connect(m_window, &QWindow::heightChanged, this, &MenuOverlay::closeMenu);
    connect(m_window, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
        if (state == Qt::WindowMinimized) closeMenu();
    });
}

void MenuOverlay::closeMenu() {
    if (m_controller) m_controller->close();
}

bool MenuOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window || !m_controller || event->type() != QEvent::MouseButtonPress)
        return QQuickItem::eventFilter(watched, event);
    const auto* press = static_cast<QMouseEvent*>(event);
    return m_controller->press(mapFromScene(press->scenePosition()), press->button(), press->modifiers());
}

QRectF MenuOverlay::visibleArea() const {
    return {0, 0, width(), height()};
}

bool MenuOverlay::reduceMotion() const {
    Motion* motion = ShellObjects::motion(qmlEngine(this));
    return motion && motion->reduceMotion();
}

void MenuOverlay::attach(MenuController* controller) {
    if (m_controller && m_controller != controller) m_controller->close();
    m_controller = controller;
    connect(controller, &MenuController::closed, this, [this, controller] {
        if (m_controller == controller) {
            m_keys->setActive(false);
            emit menuOpenChanged();
        }
    });
    m_keys->setActive(true);
    emit menuOpenChanged();
}

void MenuOverlay::present(MenuLevel* level) {
    if (!m_view) return;
    QQmlContext* context = qmlContext(this);
    QObject* made = m_view->beginCreate(context);
    auto* item = qobject_cast<QQuickItem*>(made);
    if (!item) {
        delete made;
        return;
    }
    m_view->setInitialProperties(item, {{QStringLiteral("level"), QVariant::fromValue<QObject*>(level)}});
    item->setParentItem(this);
    item->setParent(this);
    m_view->completeCreate();
    m_panels.insert(level, item);
    connect(level, &QObject::destroyed, this, [this, level] { m_panels.remove(level); });
}

void MenuOverlay::dismiss(MenuLevel* level) {
    QPointer<QQuickItem> item = m_panels.take(level);
    if (!item) {
        level->deleteLater();
        return;
    }
    // The panel fades out; the level lives with it, so what it draws stays valid until it is gone.
    level->setParent(item);
    item->setProperty("closing", true);
    QTimer::singleShot(MenuLevel::fadeOutMs + 20, item, &QObject::deleteLater);
}

QList<QQuickItem*> MenuOverlay::panels() const {
    QList<QQuickItem*> out;
    for (QQuickItem* child : childItems())
        if (child != m_keys) out.append(child);
    return out;
}
