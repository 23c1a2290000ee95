#include "DropMenu.h"

#include "MenuOverlay.h"

#include <QQmlEngine>
#include <QQuickWindow>

namespace {
constexpr const char* engineKey = "_velto_dropMenu";
}

DropMenu::DropMenu(QObject* parent) : QObject(parent) {}

DropMenu::~DropMenu() {
    close();
}

DropMenu* DropMenu::of(QQmlEngine* engine) {
    if (!engine) return nullptr;
    if (auto* menu = qobject_cast<DropMenu*>(engine->property(engineKey).value<QObject*>())) return menu;
    auto* menu = new DropMenu(engine);
    QQmlEngine::setObjectOwnership(menu, QQmlEngine::CppOwnership);
    engine->setProperty(engineKey, QVariant::fromValue<QObject*>(menu));
    return menu;
}

DropMenu* DropMenu::create(QQmlEngine* engine, QJSEngine*) {
    return of(engine);
}

void DropMenu::setClock(MenuClock* clock) {
    m_clock = clock ? clock : &m_timers;
}

void DropMenu::close() {
    if (m_open) m_open->close();
}

void DropMenu::show(DropMenuPage page, const DropMenuAnchor* anchor) {
    close();
    QQuickItem* view = anchor ? anchor->view() : nullptr;
    MenuOverlay* overlay = view ? MenuOverlay::of(view->window()) : nullptr;
    if (!overlay) return;
    const QRectF rect = view->mapRectToItem(overlay, QRectF(0, 0, view->width(), view->height()));
    show(std::move(page), rect, false, overlay);
}

void DropMenu::show(DropMenuPage page, QPointF point, QQuickWindow* window) {
    close();
    if (page.items().empty()) return;
    MenuOverlay* overlay = MenuOverlay::of(window);
    if (!overlay) return;
    show(std::move(page), QRectF(overlay->mapFromScene(point), QSizeF(0, 0)), true, overlay);
}

void DropMenu::show(DropMenuPage page, QRectF anchorRect, bool atPointer, MenuHost* host) {
    close();
    if (atPointer && page.items().empty()) return;
    auto* controller =
        new MenuController(std::move(page), anchorRect, atPointer, host, *m_clock, nullptr, this);
    // The old menu closed above, so its close action never clears this one.
    QPointer<MenuController> weak(controller);
    connect(controller, &MenuController::closed, this, [this, weak] {
        if (m_open == weak) {
            m_open = nullptr;
            emit openChanged();
        }
        if (weak) weak->deleteLater();
    });
    m_open = controller;
    emit openChanged();
}
