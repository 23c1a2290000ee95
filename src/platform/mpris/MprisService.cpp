#include "MprisService.h"

#include "MprisAdaptors.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDebug>
#include <cmath>

namespace {
qlonglong microseconds(double seconds) {
    return std::isfinite(seconds) ? qlonglong(std::llround(seconds * 1e6)) : 0;
}
} // namespace

MprisService::MprisService(NowPlayingCenter& center, QString busName, QObject* parent)
    : MprisService(center, std::move(busName), QDBusConnection::sessionBus(), parent) {}

MprisService::MprisService(NowPlayingCenter& center, QString busName, QDBusConnection bus, QObject* parent)
    : QObject(parent), m_center(center), m_busName(std::move(busName)), m_bus(std::move(bus)) {
    new MprisRootAdaptor(this);
    m_playerAdaptor = new MprisPlayerAdaptor(this);
    m_shown = m_center.state();
    m_shownSince.start();
    connect(&m_center, &NowPlayingCenter::stateChanged, this, &MprisService::publishChanges);
}

MprisService::~MprisService() {
    if (m_ownsName) m_bus.unregisterService(m_busName);
    if (m_objectRegistered) m_bus.unregisterObject(objectPath);
}

MprisService::Start MprisService::start() {
    if (!m_bus.isConnected()) return Start::noBus;
    if (!m_objectRegistered) {
        m_objectRegistered = m_bus.registerObject(objectPath, this, QDBusConnection::ExportAdaptors);
        if (!m_objectRegistered) {
            qWarning() << "media controls: cannot publish" << objectPath;
            return Start::noBus;
        }
    }
    if (!m_ownsName) {
        // Not queued: a second VELTO must learn at once that the name is held, and hand over to its owner.
        m_ownsName = m_bus.registerService(m_busName);
        if (!m_ownsName) return Start::nameTaken;
    }
    return Start::published;
}

bool MprisService::raiseRunning(const QString& busName, int timeoutMs) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    const QDBusReply<bool> held = bus.interface()->isServiceRegistered(busName);
    if (!held.isValid() || !held.value()) return false;
    const QDBusMessage call = QDBusMessage::createMethodCall(busName, objectPath, rootInterface, "Raise");
    return bus.call(call, QDBus::Block, timeoutMs).type() == QDBusMessage::ReplyMessage;
}

QDBusObjectPath MprisService::trackId(quint64 item) {
    // Paths under /org/mpris are reserved by MPRIS itself.
    return QDBusObjectPath(QStringLiteral("/velto/track/%1").arg(item));
}

// MARK: values

QString MprisService::playbackStatus() const {
    const NowPlayingCenter::State& state = m_center.state();
    if (!state.info) return QStringLiteral("Stopped");
    return state.playing ? QStringLiteral("Playing") : QStringLiteral("Paused");
}

QVariantMap MprisService::metadata() const {
    const std::optional<NowPlayingInfo>& info = m_center.state().info;
    if (!info) return {};
    QVariantMap map{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId(info->item))},
        {QStringLiteral("xesam:title"), info->title},
        {QStringLiteral("xesam:artist"), QStringList{info->artist}},
        {QStringLiteral("xesam:album"), info->album},
    };
    // A length is given only when known.
    if (info->duration > 0 && std::isfinite(info->duration))
        map.insert(QStringLiteral("mpris:length"), microseconds(info->duration));
    return map;
}

qlonglong MprisService::position() const {
    const std::optional<NowPlayingInfo>& info = m_center.state().info;
    if (!info) return 0;
    const double live = m_center.livePosition();
    return std::max<qlonglong>(0, microseconds(std::isfinite(live) ? live : info->elapsed));
}

// MARK: methods

void MprisService::command(NowPlayingCenter::Command command) {
    emit m_center.command(command);
}

void MprisService::seekBy(qlonglong offsetMicroseconds) {
    const std::optional<NowPlayingInfo>& info = m_center.state().info;
    if (!info || !abilities().seek) return;
    // Added in floating point: an offset near the 64-bit limits (a client asking for "the end") must not
    // wrap around to a negative time and restart the song.
    const double target = std::max(0.0, (double(position()) + double(offsetMicroseconds)) / 1e6);
    // Seeking past the end moves on to the next song.
    if (info->duration > 0 && target > info->duration) {
        command(NowPlayingCenter::Command::nextTrack);
        return;
    }
    emit m_center.changePosition(target);
}

void MprisService::setPosition(const QDBusObjectPath& track, qlonglong microsecondsIn) {
    const std::optional<NowPlayingInfo>& info = m_center.state().info;
    // A request made for an earlier song (the desktop had not seen the change yet) is stale, and one outside
    // the song is invalid: both are ignored.
    if (!info || track != trackId(info->item)) return;
    if (microsecondsIn < 0 || microsecondsIn > microseconds(info->duration)) return;
    emit m_center.changePosition(double(microsecondsIn) / 1e6);
}

void MprisService::setVolume(double volume) {
    if (!std::isfinite(volume)) return;
    emit m_center.changeVolume(std::clamp(volume, 0.0, 1.0));
}

void MprisService::setRate(double rate) {
    // Any rate but the one the player has is out of range, except 0, which MPRIS defines as a pause.
    if (rate == 0.0) command(NowPlayingCenter::Command::pause);
}

// MARK: change signals

QVariantMap MprisService::playerProperties(const NowPlayingCenter::State& state) const {
    QString status = QStringLiteral("Stopped");
    if (state.info) status = state.playing ? QStringLiteral("Playing") : QStringLiteral("Paused");
    QVariantMap metadataNow;
    if (state.info) {
        metadataNow = QVariantMap{
            {QStringLiteral("item"), state.info->item},         {QStringLiteral("title"), state.info->title},
            {QStringLiteral("artist"), state.info->artist},     {QStringLiteral("album"), state.info->album},
            {QStringLiteral("duration"), state.info->duration},
        };
    }
    return {
        {QStringLiteral("PlaybackStatus"), status},
        {QStringLiteral("Metadata"), metadataNow},
        {QStringLiteral("Volume"), state.volume},
        {QStringLiteral("CanGoNext"), state.abilities.next},
        {QStringLiteral("CanGoPrevious"), state.abilities.previous},
        {QStringLiteral("CanPlay"), state.abilities.play},
        {QStringLiteral("CanPause"), state.abilities.pause},
        {QStringLiteral("CanSeek"), state.abilities.seek},
    };
}

void MprisService::publishChanges() {
    const NowPlayingCenter::State& now = m_center.state();
    const QVariantMap before = playerProperties(m_shown);
    const QVariantMap after = playerProperties(now);
    QVariantMap changed;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key()) == it.value()) continue;
        // The comparison above uses plain values; the bus gets the typed ones.
        changed.insert(it.key(), it.key() == QLatin1String("Metadata") ? QVariant(metadata()) : it.value());
    }

    // The desktop runs its own clock from the last elapsed time; an update off that clock is a jump.
    bool jumped = false;
    if (now.info && m_shown.info && now.info->item == m_shown.info->item) {
        const double expected =
            m_shown.info->elapsed + m_shown.info->rate * double(m_shownSince.nsecsElapsed()) / 1e9;
        jumped = std::abs(now.info->elapsed - expected) > seekTolerance;
    }
    if (now.info != m_shown.info) m_shownSince.restart();
    m_shown = now;

    if (!m_objectRegistered) return;
    if (!changed.isEmpty()) {
        QDBusMessage signal =
            QDBusMessage::createSignal(objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                       QStringLiteral("PropertiesChanged"));
        signal << playerInterface << changed << QStringList();
        m_bus.send(signal);
    }
    if (jumped) emit m_playerAdaptor->Seeked(microseconds(now.info->elapsed));
}
