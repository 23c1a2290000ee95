#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

class QKeyEvent;
class QQuickWindow;
class RootModel;

// A key as a layer of the chain sees it; a handler that acts on it sets `accepted`.
class KeyPress : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("handed to key layers")
    Q_PROPERTY(int key READ key CONSTANT)
    Q_PROPERTY(int modifiers READ modifiers CONSTANT)
    Q_PROPERTY(QString text READ text CONSTANT)
    Q_PROPERTY(bool accepted READ accepted WRITE setAccepted)
public:
    explicit KeyPress(const QKeyEvent& event, QObject* parent = nullptr);
    int key() const { return m_key; }
    int modifiers() const { return m_modifiers; }
    QString text() const { return m_text; }
    bool accepted() const { return m_accepted; }
    void setAccepted(bool accepted) { m_accepted = accepted; }

private:
    int m_key = 0;
    int m_modifiers = 0;
    QString m_text;
    bool m_accepted = false;
};

// One place in a window's key chain. A `Popup` layer (an open menu, hint or popup) is asked before the
// focused control, and while one is active the window's own Space and Escape stay off; Escape that the
// popup leaves unhandled dismisses it. A `Page` layer is asked after the focused control and before the
// window's keys. A layer only takes part while it is active and shown.
class KeyLayer : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(Kind kind READ kind WRITE setKind NOTIFY kindChanged)
public:
    enum class Kind { Popup, Page };
    Q_ENUM(Kind)

    explicit KeyLayer(QQuickItem* parent = nullptr);
    ~KeyLayer() override;

    bool active() const { return m_active; }
    void setActive(bool active);
    Kind kind() const { return m_kind; }
    void setKind(Kind kind);

    // True when the layer acted on the key.
    bool offer(const QKeyEvent& event);
    // True when the layer would act on the key, so that an application shortcut on it must wait.
    bool takes(const QKeyEvent& event);

signals:
    void activeChanged();
    void kindChanged();
    void pressed(KeyPress* event);
    // Asked before a key that is also a shortcut is delivered: accepting it keeps the key for the layer.
    void overriding(KeyPress* event);
    // Escape reached an open popup layer that did not handle it: the popup should close.
    void dismissed();

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;

private:
    void join();

    bool m_active = true;
    Kind m_kind = Kind::Popup;
    QPointer<QQuickWindow> m_joined;
};

// The order in which a key reaches the parts of one window: an open menu or popup first, then the focused
// control (Qt's own delivery, which passes a key the control leaves up through its parents), then the
// page, then the window's Space and Escape. Made once per window, on first use.
class KeyChain : public QObject {
    Q_OBJECT
public:
    static KeyChain& of(QQuickWindow& window);

    void add(KeyLayer* layer);
    void remove(KeyLayer* layer);
    // The newest active popup layer, or none.
    KeyLayer* openPopup() const;

    // The window's own keys, asked last; it returns true when it took the key.
    using WindowHandler = std::function<bool(const QKeyEvent&)>;
    void setWindowHandler(QObject* owner, WindowHandler handler);

    // A shortcut override on the window or one of its items: an open popup that takes the key accepts it.
    bool overrides(QObject* watched, QEvent* event);

    // True when the window's active focus is a text input that can be edited.
    static bool editingText(const QQuickWindow& window);
    // True while a Qt Quick Controls popup (a menu, a dialog, the Up Next panel) is open in the window: its
    // keys are its own, whether or not it joined the chain.
    static bool controlsPopupOpen(const QQuickWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyChain(QQuickWindow& window);
    bool last(const QKeyEvent& event);

    QQuickWindow& m_window;
    QList<QPointer<KeyLayer>> m_layers; // in the order they became active
    QPointer<QObject> m_handlerOwner;
    WindowHandler m_handler;
};

// The main window's own keys: Space plays or pauses unless a text field is being edited, Escape steps
// back. On Now Playing the page handles its keys, except while files are dragged over the window.
class WindowKeys : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(RootModel* root READ root WRITE setRoot NOTIFY rootChanged)
    Q_PROPERTY(bool chrome READ chrome WRITE setChrome NOTIFY chromeChanged)
public:
    explicit WindowKeys(QQuickItem* parent = nullptr);

    RootModel* root() const { return m_root; }
    void setRoot(RootModel* root);
    bool chrome() const { return m_chrome; }
    void setChrome(bool chrome);

    // The rule, apart from any window: whether the key is the window's, and acts.
    static bool handle(RootModel& root, const QKeyEvent& event, bool chrome, bool editingText);

signals:
    void rootChanged();
    void chromeChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;

private:
    void join();

    QPointer<RootModel> m_root;
    bool m_chrome = true;
};
