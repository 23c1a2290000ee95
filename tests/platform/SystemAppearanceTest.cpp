#include "platform/portal/SystemAppearance.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// A stand-in for the desktop portal's Settings interface, on its own bus connection and thread, as the real
// portal is another process: the program's start-up read blocks until it answers.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    QVariantMap values;          // "group/key" → value
    bool readOneMissing = false; // an older portal that only has Read

public slots:
    QDBusVariant ReadOne(const QString& group, const QString& key, const QDBusMessage& message) {
        if (readOneMissing) {
            message.setDelayedReply(true);
            QDBusConnection(connectionName)
                .send(message.createErrorReply(QDBusError::UnknownMethod, "no ReadOne"));
            return {};
        }
        return lookup(group, key, message);
    }
    QDBusVariant Read(const QString& group, const QString& key, const QDBusMessage& message) {
        // Read wraps the value in one more variant.
        return QDBusVariant(QVariant::fromValue(lookup(group, key, message)));
    }
    void change(const QString& group, const QString& key, const QVariant& value) {
        values.insert(group + '/' + key, value);
        emit SettingChanged(group, key, QDBusVariant(value));
    }

signals:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

public:
    QString connectionName;

private:
    QDBusVariant lookup(const QString& group, const QString& key, const QDBusMessage& message) {
        const QString k = group + '/' + key;
        if (!values.contains(k)) {
            message.setDelayedReply(true);
            QDBusConnection(connectionName)
                .send(message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), k));
            return {};
        }
        return QDBusVariant(values.value(k));
    }
};

class PortalOnItsOwnThread {
public:
    explicit PortalOnItsOwnThread(QVariantMap values, bool readOneMissing = false) {
        portal = new FakePortal;
        portal->values = values;
        portal->readOneMissing = readOneMissing;
        portal->connectionName = QStringLiteral("fake-portal");
        portal->moveToThread(&thread);
        thread.start();
        bool ok = false;
        QMetaObject::invokeMethod(
            portal,
            [this, &ok] {
                auto bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, portal->connectionName);
                ok =
                    bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), portal,
                                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) &&
                    bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
            },
            Qt::BlockingQueuedConnection);
        registered = ok;
    }
    ~PortalOnItsOwnThread() {
        QMetaObject::invokeMethod(
            portal,
            [this] {
                auto bus = QDBusConnection(portal->connectionName);
                bus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
                bus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
                delete portal;
                QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
            },
            Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    void change(const QString& group, const QString& key, const QVariant& value) {
        QMetaObject::invokeMethod(
            portal, [=, this] { portal->change(group, key, value); }, Qt::BlockingQueuedConnection);
    }

    bool registered = false;

private:
    QThread thread;
    FakePortal* portal = nullptr;
};

const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString desktop = QStringLiteral("org.gnome.desktop.interface");

} // namespace

// One test program holds the portal's name at a time, so the cases run in order within one test: ctest
// runs test cases as parallel processes on the same session bus.
static void noPortalMeansLightAndFullMotion() {
    qunsetenv(SystemAppearance::reduceMotionVariable);
    SystemAppearance a;
    EXPECT_FALSE(a.isDark());
    EXPECT_FALSE(a.reduceMotion());
    // And no bus at all is the same.
    SystemAppearance none(QDBusConnection(QStringLiteral("not-connected")));
    EXPECT_FALSE(none.isDark());
}

static void readsThePortalAtStartAndFollowsItLive() {
    qunsetenv(SystemAppearance::reduceMotionVariable);
    PortalOnItsOwnThread portal({{appearance + "/color-scheme", QVariant::fromValue(uint(1))},
                                 {desktop + "/enable-animations", false}});
    ASSERT_TRUE(portal.registered);
    SystemAppearance a;
    EXPECT_TRUE(a.isDark());
    EXPECT_TRUE(a.reduceMotion());

    QSignalSpy darkChanged(&a, &SystemAppearance::isDarkChanged);
    portal.change(appearance, QStringLiteral("color-scheme"), QVariant::fromValue(uint(2))); // prefer light
    EXPECT_TRUE(QTest::qWaitFor([&] { return !a.isDark(); }, 3000));
    portal.change(appearance, QStringLiteral("color-scheme"), QVariant::fromValue(uint(0))); // no preference
    portal.change(appearance, QStringLiteral("other-key"), QVariant::fromValue(uint(1)));
    portal.change(appearance, QStringLiteral("color-scheme"), QVariant::fromValue(uint(1)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return a.isDark(); }, 3000));
    // Light → (light again: no news) → dark: two notices, not three.
    EXPECT_EQ(darkChanged.count(), 2);

    portal.change(desktop, QStringLiteral("enable-animations"), true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !a.reduceMotion(); }, 3000));
}

static void olderPortalAndTheMotionOverride() {
    PortalOnItsOwnThread portal({{appearance + "/color-scheme", QVariant::fromValue(uint(1))},
                                 {desktop + "/enable-animations", true}},
                                /*readOneMissing=*/true);
    ASSERT_TRUE(portal.registered);
    qputenv(SystemAppearance::reduceMotionVariable, "1");
    SystemAppearance a;
    qunsetenv(SystemAppearance::reduceMotionVariable);
    EXPECT_TRUE(a.isDark()); // through Read
    EXPECT_TRUE(a.reduceMotion());
    // The override also outlasts the desktop's changes.
    portal.change(desktop, QStringLiteral("enable-animations"), false);
    portal.change(desktop, QStringLiteral("enable-animations"), true);
    QTest::qWait(100);
    EXPECT_TRUE(a.reduceMotion());
}

TEST(SystemAppearance, FollowsTheDesktopPortal) {
    {
        SCOPED_TRACE("no portal");
        noPortalMeansLightAndFullMotion();
    }
    {
        SCOPED_TRACE("portal");
        readsThePortalAtStartAndFollowsItLive();
    }
    {
        SCOPED_TRACE("older portal");
        olderPortalAndTheMotionOverride();
    }
}

#include "SystemAppearanceTest.moc"
