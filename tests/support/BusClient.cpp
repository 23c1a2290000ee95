#include "BusClient.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QTest>
#include <atomic>

namespace {
QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("bus-client-%1").arg(++counter);
}

QVariant unwrap(QVariant value) {
    if (value.canConvert<QDBusVariant>() && value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const auto argument = value.value<QDBusArgument>();
        if (argument.currentType() == QDBusArgument::MapType) return qdbus_cast<QVariantMap>(argument);
    }
    return value;
}
} // namespace

BusClient::BusClient(QString service, QString path)
    : m_service(std::move(service)), m_path(std::move(path)), m_name(nextConnectionName()),
      m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_name)) {
    m_bus.connect(m_service, m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
                  QStringLiteral("PropertiesChanged"), this,
                  SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
    m_bus.connect(m_service, m_path, QStringLiteral("org.mpris.MediaPlayer2.Player"),
                  QStringLiteral("Seeked"), this, SLOT(onSeeked(qlonglong)));
}

BusClient::~BusClient() {
    QDBusConnection::disconnectFromBus(m_name);
}

QDBusMessage BusClient::call(const QString& interface, const QString& method, const QVariantList& args) {
    QDBusMessage message = QDBusMessage::createMethodCall(m_service, m_path, interface, method);
    message.setArguments(args);
    QDBusPendingCall pending = m_bus.asyncCall(message, 5000);
    QTest::qWaitFor([&] { return pending.isFinished(); }, 6000);
    return pending.reply();
}

QVariant BusClient::property(const QString& interface, const QString& name) {
    const QDBusMessage reply =
        call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), {interface, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return unwrap(reply.arguments().first());
}

bool BusClient::setProperty(const QString& interface, const QString& name, const QVariant& value) {
    const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                                    {interface, name, QVariant::fromValue(QDBusVariant(value))});
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool BusClient::waitForChanges(qsizetype count, int timeoutMs) {
    return QTest::qWaitFor([&] { return changes.size() >= count; }, timeoutMs);
}

void BusClient::sync() {
    // Signals and replies from one sender arrive in order, so once this answer is here, so is all before it.
    call(QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    QCoreApplication::processEvents();
}

void BusClient::onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                    const QStringList& invalidated) {
    QVariantMap plain;
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        plain.insert(it.key(), unwrap(it.value()));
    changes.append(Change{interface, plain, invalidated});
}

void BusClient::onSeeked(qlonglong position) {
    seeks.append(position);
}
