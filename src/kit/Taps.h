#pragma once

#include <QObject>
#include <QTimer>
#include <QtQml/qqmlregistration.h>
#include <functional>

// Single and double clicks on one view. Without a double action a click acts at once. With one, a click
// waits out the desktop's double-click interval: a second click within it makes a double click, which
// runs only the double action; otherwise the single action runs when the interval has passed.
//
// The view calls `click()` for every click. Tests give a clock of their own and call `poll()`.
class Taps : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasDouble MEMBER m_hasDouble NOTIFY hasDoubleChanged)
    Q_PROPERTY(int interval READ interval WRITE setInterval NOTIFY intervalChanged)
public:
    // The clock gives milliseconds on a monotonic scale; by default the process's.
    explicit Taps(QObject* parent = nullptr);
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }

    int interval() const { return m_interval; }
    void setInterval(int ms);
    bool waiting() const { return m_pending; }

    Q_INVOKABLE void click();
    // Runs the single action of a click whose interval has passed.
    Q_INVOKABLE void poll();
    // Drops a click still waiting for a possible second one: the view now shows something else (a list
    // handed it another row), and the click was meant for what it showed.
    Q_INVOKABLE void cancel();

signals:
    void single();
    void doubled();
    void hasDoubleChanged();
    void intervalChanged();

private:
    std::function<qint64()> m_now;
    QTimer m_timer;
    bool m_hasDouble = false;
    int m_interval = 400;
    bool m_pending = false;
    qint64 m_pendingAt = 0;
};
