#include "NoticeBanner.h"

#include <QAccessible>
#include <QQuickItem>

void NoticeBanner::setPlayer(Player* player) {
    if (m_player == player) return;
    disconnect(m_connection);
    m_player = player;
    if (player) m_connection = connect(player, &Player::noticeChanged, this, &NoticeBanner::noticeChanged);
    emit playerChanged();
}

void NoticeBanner::noticeChanged() {
    if (!m_player) return;
    m_shown = m_player->notice();
    const quint64 generation = ++m_generation;
    emit changed();
    if (!m_shown) return;
    emit announced(m_shown->text);
    m_clock->sleep(showSeconds, this, [this, generation] {
        if (generation != m_generation || !m_shown) return;
        m_shown.reset();
        emit changed();
    });
}

void NoticeBanner::announce(QQuickItem* item) const {
    // Qt has no announcement of its own: an alert on the banner, whose accessible name is the notice, is
    // what screen readers speak.
    if (!item || !QAccessible::isActive()) return;
    QAccessibleEvent event(item, QAccessible::Alert);
    QAccessible::updateAccessibility(&event);
}
