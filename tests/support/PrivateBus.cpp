#include "PrivateBus.h"

PrivateBus::PrivateBus() {
    m_had = qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS");
    m_saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    m_daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    if (!m_daemon.waitForStarted(5000)) return;
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(5000)) {
    }
    m_address = m_daemon.readLine().trimmed();
    if (!m_address.isEmpty()) qputenv("DBUS_SESSION_BUS_ADDRESS", m_address);
}

PrivateBus::~PrivateBus() {
    m_daemon.terminate();
    m_daemon.waitForFinished(3000);
    if (m_had)
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_saved);
    else
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
}
