#pragma once

#include "NowPlayingCenter.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class MprisPlayerAdaptor;

// Shows a NowPlayingCenter to the desktop as an MPRIS 2 media player, which is how media keys, the shell's
// media controls, playerctl and the lock screen reach a player on Linux. Commands from the bus are handed to
// the center; changes of the center go out as PropertiesChanged (QtDBus sends none by itself) and, when the
// position jumps, as Seeked.
class MprisService : public QObject {
    Q_OBJECT
public:
    static inline const QString defaultBusName = QStringLiteral("org.mpris.MediaPlayer2.velto");
    static inline const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");
    static inline const QString rootInterface = QStringLiteral("org.mpris.MediaPlayer2");
    static inline const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
    // How far an update's elapsed time may stray from where the previous update's clock has run before the
    // desktop is told that playback jumped.
    static constexpr double seekTolerance = 0.5;

    enum class Start { published, nameTaken, noBus };

    // `busName` is the well-known name to own; tests give each service a name of its own. The service lives
    // on the session bus, or on `bus` when given.
    explicit MprisService(NowPlayingCenter& center, QString busName = defaultBusName,
                          QObject* parent = nullptr);
    MprisService(NowPlayingCenter& center, QString busName, QDBusConnection bus, QObject* parent = nullptr);
    ~MprisService() override;

    // Puts the objects on the session bus, then takes the name, so a desktop that sees the name appear finds
    // everything in place. `nameTaken` means another program (a running VELTO) owns it.
    Start start();
    const QString& busName() const { return m_busName; }

    // Asks the program owning `busName` to bring its window forward; true when it answered. This is how a
    // second start of VELTO hands over to the first.
    static bool raiseRunning(const QString& busName = defaultBusName, int timeoutMs = 3000);

    // The object path naming one load of the player.
    static QDBusObjectPath trackId(quint64 item);

    // The Player interface's values as the bus reads them.
    QString playbackStatus() const;
    QVariantMap metadata() const;
    qlonglong position() const;
    double volume() const { return m_center.state().volume; }
    const NowPlayingCenter::Abilities& abilities() const { return m_center.state().abilities; }

    // The Player interface's methods.
    void command(NowPlayingCenter::Command command);
    void seekBy(qlonglong offsetMicroseconds);
    void setPosition(const QDBusObjectPath& track, qlonglong microseconds);
    void setVolume(double volume);
    void setRate(double rate);

signals:
    // Root interface requests: the application shows its window, or quits.
    void raiseRequested();
    void quitRequested();

private:
    void publishChanges();
    QVariantMap playerProperties(const NowPlayingCenter::State& state) const;

    NowPlayingCenter& m_center;
    QString m_busName;
    QDBusConnection m_bus;
    bool m_objectRegistered = false;
    bool m_ownsName = false;
    MprisPlayerAdaptor* m_playerAdaptor = nullptr;
    // What the desktop was last told, and when, to send only what changed and to see jumps in position.
    NowPlayingCenter::State m_shown;
    QElapsedTimer m_shownSince;
};
