#pragma once

#include "DropMenuPage.h"
#include "MenuLevel.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <functional>
#include <optional>
#include <vector>

// Runs an action later; the controller's delays go through it so that tests can step time by hand.
class MenuClock {
public:
    virtual ~MenuClock() = default;
    // Calls `action` after `seconds` unless `context` is gone by then.
    virtual void after(double seconds, QObject* context, std::function<void()> action) = 0;
};

// The event loop's timers.
class TimerMenuClock : public MenuClock {
public:
    void after(double seconds, QObject* context, std::function<void()> action) override;
};

class MenuController;

// Where a menu's panels are drawn: the window's menu layer, or a stand-in in tests.
class MenuHost {
public:
    virtual ~MenuHost() = default;
    // Alive as long as the host; a menu whose host is gone opens nothing and lets every event pass.
    virtual QObject* hostObject() = 0;
    // The window's content, where panels must stay.
    virtual QRectF visibleArea() const = 0;
    virtual bool reduceMotion() const = 0;
    virtual void attach(MenuController* controller) = 0;
    // A level opened: draw its panel.
    virtual void present(MenuLevel* level) = 0;
    // A level closed: fade its panel out. The host takes the level and deletes it with the panel.
    virtual void dismiss(MenuLevel* level) = 0;
};

// The one open menu: its levels (the page, then each open sub-page), the pointer's delayed actions, the
// keys and the clicks while it is open, and the chosen row's action, run after the menu has closed.
class MenuController : public QObject {
    Q_OBJECT
public:
    static constexpr double openDelay = 0.18;
    static constexpr double closeDelay = 0.3;

    struct Pending {
        int level;
        std::optional<int> row;
        friend bool operator==(const Pending&, const Pending&) = default;
    };

    MenuController(DropMenuPage page, QRectF anchorRect, bool atPointer, MenuHost* host, MenuClock& clock,
                   std::function<void()> onClose, QObject* parent = nullptr);
    ~MenuController() override;

    const std::vector<MenuLevel*>& levels() const { return m_levels; }
    std::optional<Pending> pending() const { return m_pending; }
    bool isClosed() const { return m_closed; }
    QRectF anchorRect() const { return m_anchorRect; }

    // A key pressed while the menu is open: true when the menu took it.
    bool key(int key);
    // Whether the menu takes this key (so that an application shortcut on it waits).
    bool takes(int key) const;
    // A button pressed anywhere in the window (window coordinates): true when the press stops here.
    bool press(QPointF point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // The pointer moved over a level's panel (panel coordinates), or left it.
    void pointer(std::optional<QPointF> point, MenuLevel* level);
    void choose(int row, MenuLevel* level);
    void close();

signals:
    void closed();

private:
    void open(DropMenuPage page, std::optional<int> row);
    void place(MenuLevel* level, std::optional<int> row, bool keepTop);
    void wait(int level, std::optional<int> row, double seconds);
    void openFurther(int row, MenuLevel* level);
    void closeBelow(int depth);
    void light(MenuLevel* level, std::optional<int> row, bool byKeyboard);
    bool hostAlive() const { return !m_hostObject.isNull(); }

    std::vector<MenuLevel*> m_levels;
    MenuHost* m_host;
    QPointer<QObject> m_hostObject;
    MenuClock& m_clock;
    QRectF m_anchorRect;
    bool m_atPointer;
    std::function<void()> m_onClose;
    bool m_closed = false;
    std::optional<Pending> m_pending;
};
