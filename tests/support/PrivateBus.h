#pragma once

#include <QByteArray>
#include <QProcess>

// A D-Bus session bus of the test's own, for tests that take VELTO's well-known bus name: two test
// processes running at once on one bus would otherwise find each other and hand over. Must be made before
// the process first uses the session bus (Qt keeps its first connection). Child processes inherit it.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool ok() const { return !m_address.isEmpty(); }

private:
    QProcess m_daemon;
    QByteArray m_address;
    QByteArray m_saved;
    bool m_had = false;
};

// The process's one private bus, started on first call and kept until the process ends (Qt's session
// connection cannot move to another bus).
inline bool usePrivateBus() {
    static PrivateBus bus;
    return bus.ok();
}
