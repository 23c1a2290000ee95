#include "SystemAppearance.h"

#include <QDBusArgument>
#include <QDBusMessage>

namespace {
const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString interface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
const QString interfaceGroup = QStringLiteral("org.gnome.desktop.interface");
const QString animationsKey = QStringLiteral("enable-animations");
// Start-up waits at most this long for a slow portal; a missing one answers at once.
constexpr int readTimeoutMs = 1500;

// Portal values arrive wrapped in one or two variants (Read wraps twice, ReadOne once).
QVariant unwrap(QVariant v) {
    for (int i = 0; i < 3; ++i) {
        if (v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>())
            v = v.value<QDBusVariant>().variant();
        else if (v.userType() == qMetaTypeId<QDBusArgument>()) {
            const auto arg = v.value<QDBusArgument>();
            if (arg.currentType() != QDBusArgument::VariantType) break;
            v = qdbus_cast<QDBusVariant>(arg).variant();
        } else
            break;
    }
    return v;
}
} // namespace

SystemAppearance::SystemAppearance(QDBusConnection bus, QObject* parent) : QObject(parent), m_bus(bus) {
    const QByteArray motion = qgetenv(reduceMotionVariable);
    if (!motion.isEmpty()) {
        m_motionOverridden = true;
        m_reduceMotion = motion != "0" && motion.toLower() != "false";
    }
    if (!m_bus.isConnected()) return;
    // Subscribed whatever the sender, so a portal that starts after us is followed too.
    m_bus.connect(QString(), path, interface, QStringLiteral("SettingChanged"), this,
                  SLOT(onSettingChanged(QString, QString, QDBusVariant)));
    if (auto v = read(appearanceGroup, colorSchemeKey)) applyColorScheme(*v);
    if (!m_motionOverridden)
        if (auto v = read(interfaceGroup, animationsKey)) applyAnimations(*v);
}

std::optional<QVariant> SystemAppearance::read(const QString& group, const QString& key) const {
    for (const QString& method : {QStringLiteral("ReadOne"), QStringLiteral("Read")}) {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
        call << group << key;
        const QDBusMessage reply = m_bus.call(call, QDBus::Block, readTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            return unwrap(reply.arguments().first());
        // Older portals lack ReadOne; anything else (no portal, no such setting) ends the attempt.
        if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")) return std::nullopt;
    }
    return std::nullopt;
}

void SystemAppearance::onSettingChanged(const QString& group, const QString& key, const QDBusVariant& value) {
    if (group == appearanceGroup && key == colorSchemeKey)
        applyColorScheme(unwrap(value.variant()));
    else if (group == interfaceGroup && key == animationsKey && !m_motionOverridden)
        applyAnimations(unwrap(value.variant()));
}

void SystemAppearance::applyColorScheme(const QVariant& value) {
    // 1 asks for dark; 0 (no preference) and 2 (light) read as light.
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    const bool dark = ok && scheme == 1;
    if (dark == m_isDark) return;
    m_isDark = dark;
    emit isDarkChanged();
}

void SystemAppearance::applyAnimations(const QVariant& value) {
    if (value.userType() != QMetaType::Bool) return;
    const bool reduce = !value.toBool();
    if (reduce == m_reduceMotion) return;
    m_reduceMotion = reduce;
    emit reduceMotionChanged();
}
