#include "Taps.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStyleHints>

Taps::Taps(QObject* parent) : QObject(parent) {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    m_now = [] { return clock.elapsed(); };
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        m_interval = app->styleHints()->mouseDoubleClickInterval();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Taps::poll);
}

void Taps::setInterval(int ms) {
    if (ms == m_interval) return;
    m_interval = ms;
    emit intervalChanged();
}

void Taps::click() {
    if (!m_hasDouble) {
        m_pending = false;
        emit single();
        return;
    }
    const qint64 now = m_now();
    if (m_pending && now - m_pendingAt <= m_interval) {
        m_pending = false;
        m_timer.stop();
        emit doubled();
        return;
    }
    // A first click whose wait is over but whose timer has not run yet was a single click.
    if (m_pending) emit single();
    m_pending = true;
    m_pendingAt = now;
    // The timer only wakes us; the clock decides. A little late is fine, early never fires.
    m_timer.start(m_interval + 1);
}

void Taps::poll() {
    if (!m_pending) return;
    const qint64 left = m_pendingAt + m_interval - m_now();
    if (left >= 0) {
        m_timer.start(int(left) + 1);
        return;
    }
    m_pending = false;
    emit single();
}

void Taps::cancel() {
    m_pending = false;
    m_timer.stop();
}
