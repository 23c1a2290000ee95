#include "RightClickCatcher.h"

#include "DropMenu.h"
#include "MenuContext.h"
#include "MenuOverlay.h"
#include "PictureChooser.h"
#include "shell/AppStores.h"

#include <QKeyEvent>
#include <QQmlEngine>
#include <QQuickWindow>

RightClickCatcher::RightClickCatcher(QQuickItem* parent) : QQuickItem(parent) {
    // It draws nothing; the tap handlers of the QML side take its clicks.
    setFlag(ItemHasContents, false);
}

void RightClickCatcher::setPage(MenuSource* page) {
    if (m_page == page) return;
    m_page = page;
    emit pageChanged();
}

std::optional<MenuContext> RightClickCatcher::contextFor(QObject* inEngine, QQuickWindow* window) {
    QQmlEngine* engine = qmlEngine(inEngine);
    if (!engine) return std::nullopt;
    AppStores* s = AppStores::create(engine, nullptr);
    if (!s || !s->app || !s->library || !s->player || !s->playlists || !s->playerMusic || !s->lastFM)
        return std::nullopt;
    MenuContext context(*s->app, *s->library, *s->player, *s->playlists, *s->playerMusic, *s->lastFM);
    QPointer<PictureChooser> chooser(PictureChooser::of(engine));
    QPointer<QQuickWindow> in(window);
    context.choosePicture = [chooser, in](const QString& button, const QString& message,
                                          std::function<void(const QUrl&)> answer) {
        if (chooser) chooser->choose(in, button, message, std::move(answer));
    };
    return context;
}

bool RightClickCatcher::isMenuKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (key == Qt::Key_Menu) return held == Qt::NoModifier;
    return key == Qt::Key_F10 && held == Qt::ShiftModifier;
}

std::optional<DropMenuPage> RightClickCatcher::build(bool byKey) {
    if (!window()) return std::nullopt;
    if (!m_page) {
        if (byKey && !m_actions.isEmpty()) return ActionsMenu::pageOf(m_actions);
        return std::nullopt;
    }
    std::optional<MenuContext> context = contextFor(this, window());
    if (!context) return std::nullopt;
    return m_page->page(*context);
}

void RightClickCatcher::openAt(QPointF point) {
    std::optional<DropMenuPage> page = build(false);
    if (!page) return;
    if (DropMenu* menus = DropMenu::of(qmlEngine(this)))
        menus->show(std::move(*page), mapToScene(point), window());
}

void RightClickCatcher::openUnder() {
    std::optional<DropMenuPage> page = build(true);
    if (!page || page->items().empty()) return;
    QQuickItem* under = parentItem() ? parentItem() : this;
    if (DropMenu* menus = DropMenu::of(qmlEngine(this)))
        menus->show(std::move(*page), DropMenuAnchor::qmlAttachedProperties(under));
}

void RightClickCatcher::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change != ItemParentHasChanged) return;
    if (m_watched) m_watched->removeEventFilter(this);
    m_watched = data.item;
    if (m_watched) m_watched->installEventFilter(this);
}

bool RightClickCatcher::eventFilter(QObject* watched, QEvent* event) {
    // Keys reach the covered view when it or a child of it has the focus and nobody took them before.
    if (watched == m_watched && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isMenuKey(key->key(), key->modifiers()) && (m_page || !m_actions.isEmpty())) {
            openUnder();
            key->accept();
            return true;
        }
    }
    return QQuickItem::eventFilter(watched, event);
}
