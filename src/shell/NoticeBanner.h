#pragma once

#include "playback/Player.h"
#include "playback/VolumeFade.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUuid>
#include <QtQml/qqmlregistration.h>
#include <optional>

class QQuickItem;

// The notice banner's state: each notice the player posts after the banner was made is shown for 2.4
// seconds from its own arrival; a newer one replaces it at once and restarts the time. The notice present
// when the banner is made is not shown (a banner made on the way back from Now Playing starts empty), and
// the banner never clears the player's notice.
class NoticeBanner : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY playerChanged)
    Q_PROPERTY(bool shown READ shown NOTIFY changed)
    Q_PROPERTY(QString text READ text NOTIFY changed)
    // Which notice is on screen: a new notice with the same text is still a new banner.
    Q_PROPERTY(QUuid noticeId READ noticeId NOTIFY changed)

public:
    static constexpr double showSeconds = 2.4;

    explicit NoticeBanner(QObject* parent = nullptr) : QObject(parent) {}

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    bool shown() const { return m_shown.has_value(); }
    QString text() const { return m_shown ? m_shown->text : QString(); }
    QUuid noticeId() const { return m_shown ? m_shown->id : QUuid(); }

    // Where the wait is timed; the event loop's unless a test steps its own.
    void setClock(FadeClock& clock) { m_clock = &clock; }

    // Tells assistive technology about the notice on `item` (which carries its text as an alert).
    Q_INVOKABLE void announce(QQuickItem* item) const;

signals:
    void playerChanged();
    void changed();
    // A notice arrived: its text as posted, for assistive technology.
    void announced(const QString& text);

private:
    void noticeChanged();

    QPointer<Player> m_player;
    QMetaObject::Connection m_connection;
    std::optional<Player::Notice> m_shown;
    // Each notice gets its own wait; a wait that ends after a newer notice came does nothing.
    quint64 m_generation = 0;
    FadeClock* m_clock = &FadeClock::system();
};
