#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class MenuClock;

// The wait of a spring-loaded view: a pick held over it for half a second opens it, the way a folder
// springs open under a dragged file. idle → filling (a pick is over the view) → fired (the view opened;
// nothing repeats until the pick leaves and comes back), or back to idle when the pick leaves first.
// The wait runs on the menus' clock, which tests step by hand.
class Spring : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // Whether the view reacts at all.
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    // Whether the progress bar is (growing) full.
    Q_PROPERTY(bool filling READ filling NOTIFY stateChanged)
    // The drag format of player picks, the only drags a spring takes.
    Q_PROPERTY(QString pickFormat READ pickFormat CONSTANT)
    Q_PROPERTY(int delayMs READ delayMs CONSTANT)
public:
    enum State { Idle, Filling, Fired };
    Q_ENUM(State)
    static constexpr double delay = 0.5;
    static int delayMs() { return int(delay * 1000); }

    explicit Spring(QObject* parent = nullptr);

    bool active() const { return m_on; }
    void setActive(bool on);
    State state() const { return m_state; }
    bool filling() const { return m_state == Filling; }
    static QString pickFormat();

    // Without a clock of its own it waits on the one the menus of its QML engine use.
    void setClock(MenuClock* clock) { m_clock = clock; }

    // A dragged pick came over the view, or left it.
    Q_INVOKABLE void enter();
    Q_INVOKABLE void leave();

signals:
    void activeChanged();
    void stateChanged();
    void open();

private:
    void setState(State state);
    MenuClock* clock();

    bool m_on = true;
    State m_state = Idle;
    // Every entry and exit starts a new generation; a wait that ends in an older one does nothing.
    quint64 m_generation = 0;
    MenuClock* m_clock = nullptr;
};
