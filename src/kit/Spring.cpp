#include "Spring.h"

#include "DropMenu.h"
#include "library/PlayerPick.h"

#include <QQmlEngine>

Spring::Spring(QObject* parent) : QObject(parent) {}

void Spring::setActive(bool on) {
    if (m_on == on) return;
    m_on = on;
    if (!on) {
        ++m_generation;
        setState(Idle);
    }
    emit activeChanged();
}

QString Spring::pickFormat() {
    return PlayerPick::mimeType;
}

MenuClock* Spring::clock() {
    if (m_clock) return m_clock;
    if (DropMenu* menus = DropMenu::of(qmlEngine(this))) return menus->clock();
    static TimerMenuClock timers;
    return &timers;
}

void Spring::enter() {
    if (!m_on) return;
    const quint64 generation = ++m_generation;
    setState(Filling);
    clock()->after(delay, this, [this, generation] {
        if (generation != m_generation || m_state != Filling) return;
        setState(Fired);
        emit open();
    });
}

void Spring::leave() {
    ++m_generation;
    setState(Idle);
}

void Spring::setState(State state) {
    if (m_state == state) return;
    m_state = state;
    emit stateChanged();
}
