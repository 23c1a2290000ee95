#include "KeyChain.h"

#include "RootModel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QQuickWindow>

KeyPress::KeyPress(const QKeyEvent& event, QObject* parent)
    : QObject(parent), m_key(event.key()), m_modifiers(int(event.modifiers())), m_text(event.text()) {}

// MARK: layers

KeyLayer::KeyLayer(QQuickItem* parent) : QQuickItem(parent) {
    connect(this, &QQuickItem::visibleChanged, this, &KeyLayer::join);
}

KeyLayer::~KeyLayer() {
    if (m_joined) KeyChain::of(*m_joined).remove(this);
}

void KeyLayer::setActive(bool active) {
    if (m_active == active) return;
    m_active = active;
    emit activeChanged();
    join();
}

void KeyLayer::setKind(Kind kind) {
    if (m_kind == kind) return;
    m_kind = kind;
    emit kindChanged();
    join();
}

void KeyLayer::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change == ItemSceneChange) join();
}

void KeyLayer::join() {
    // Leaving and joining again puts a layer that just opened after the ones open before it.
    if (m_joined) KeyChain::of(*m_joined).remove(this);
    m_joined = nullptr;
    if (!m_active || !isVisible() || !window()) return;
    m_joined = window();
    KeyChain::of(*m_joined).add(this);
}

bool KeyLayer::offer(const QKeyEvent& event) {
    KeyPress press(event);
    emit pressed(&press);
    if (press.accepted()) return true;
    if (m_kind == Kind::Popup && event.key() == Qt::Key_Escape) {
        emit dismissed();
        return true;
    }
    return false;
}

bool KeyLayer::takes(const QKeyEvent& event) {
    KeyPress press(event);
    emit overriding(&press);
    return press.accepted();
}

// MARK: the chain

namespace {
// Sees the shortcut overrides of the whole application for one chain; a filter of its own, so that the
// chain's window filter is not asked twice for the window's own events.
class ShortcutOverrides : public QObject {
public:
    explicit ShortcutOverrides(KeyChain& chain) : QObject(&chain), m_chain(chain) {}
    bool eventFilter(QObject* watched, QEvent* event) override { return m_chain.overrides(watched, event); }

private:
    KeyChain& m_chain;
};
} // namespace

KeyChain::KeyChain(QQuickWindow& window) : QObject(&window), m_window(window) {
    // Open popups are asked before anything else sees the key.
    window.installEventFilter(this);
    // The content item is the last stop of Qt's own delivery: a key arrives there only when the focused
    // control and every item above it left it.
    window.contentItem()->installEventFilter(this);
    // Before a key that is an application shortcut is delivered, its shortcut override goes to the focus
    // object, an item of the window that the window's filter never sees.
    qApp->installEventFilter(new ShortcutOverrides(*this));
}

KeyChain& KeyChain::of(QQuickWindow& window) {
    if (auto* chain = window.findChild<KeyChain*>(QString(), Qt::FindDirectChildrenOnly)) return *chain;
    return *new KeyChain(window);
}

void KeyChain::add(KeyLayer* layer) {
    if (!m_layers.contains(layer)) m_layers.append(layer);
}

void KeyChain::remove(KeyLayer* layer) {
    m_layers.removeAll(layer);
}

KeyLayer* KeyChain::openPopup() const {
    for (auto it = m_layers.crbegin(); it != m_layers.crend(); ++it)
        if (*it && (*it)->kind() == KeyLayer::Kind::Popup) return *it;
    return nullptr;
}

void KeyChain::setWindowHandler(QObject* owner, WindowHandler handler) {
    m_handlerOwner = owner;
    m_handler = std::move(handler);
}

bool KeyChain::editingText(const QQuickWindow& window) {
    // Text inputs ask for the input method while they have focus and can be edited.
    const QQuickItem* focus = window.activeFocusItem();
    return focus && focus->inputMethodQuery(Qt::ImEnabled).toBool();
}

bool KeyChain::controlsPopupOpen(const QQuickWindow& window) {
    // The controls' overlay is a child of the window's root item, shown only while it holds an open popup.
    const QQuickItem* root = window.contentItem() ? window.contentItem()->parentItem() : nullptr;
    if (!root) return false;
    const QList<QQuickItem*> children = root->childItems();
    for (const QQuickItem* child : children)
        if (child->inherits("QQuickOverlay") && child->isVisible()) return true;
    return false;
}

bool KeyChain::overrides(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* item = qobject_cast<QQuickItem*>(watched);
    if (watched != &m_window && !(item && item->window() == &m_window)) return false;
    KeyLayer* popup = openPopup();
    if (!popup || !popup->takes(static_cast<const QKeyEvent&>(*event))) return false;
    event->accept();
    return true;
}

bool KeyChain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (watched == &m_window) {
        KeyLayer* popup = openPopup();
        return popup && popup->offer(key);
    }
    if (watched == m_window.contentItem()) return last(key);
    return false;
}

bool KeyChain::last(const QKeyEvent& key) {
    // While a popup is open, the window's keys would act behind it.
    if (openPopup()) return false;
    const QList<QPointer<KeyLayer>> layers = m_layers;
    for (auto it = layers.crbegin(); it != layers.crend(); ++it)
        if (*it && (*it)->kind() == KeyLayer::Kind::Page && (*it)->offer(key)) return true;
    return m_handlerOwner && m_handler && m_handler(key);
}

// MARK: the window's keys

WindowKeys::WindowKeys(QQuickItem* parent) : QQuickItem(parent) {}

void WindowKeys::setRoot(RootModel* root) {
    if (m_root == root) return;
    m_root = root;
    emit rootChanged();
}

void WindowKeys::setChrome(bool chrome) {
    if (m_chrome == chrome) return;
    m_chrome = chrome;
    emit chromeChanged();
}

void WindowKeys::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change == ItemSceneChange) join();
}

void WindowKeys::join() {
    QQuickWindow* w = window();
    if (!w) return;
    KeyChain::of(*w).setWindowHandler(this, [this, w](const QKeyEvent& key) {
        return m_root && !KeyChain::controlsPopupOpen(*w) &&
               handle(*m_root, key, m_chrome, KeyChain::editingText(*w));
    });
}

bool WindowKeys::handle(RootModel& root, const QKeyEvent& event, bool chrome, bool editingText) {
    if (event.modifiers() & ~Qt::KeypadModifier) return false;
    // The drop panel lies over Now Playing too, and takes the two keys there.
    const bool dropping = root.dropping();
    if (!chrome && !dropping) return false;
    // A text being edited keeps its Space and its Escape.
    if (editingText && !dropping) return false;
    if (event.key() == Qt::Key_Space) return root.space(false);
    if (event.key() == Qt::Key_Escape) {
        root.escape();
        return true;
    }
    return false;
}
