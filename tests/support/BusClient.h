#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// A client of one MPRIS player on the session bus, with a connection of its own so that every call and
// signal really goes through the bus daemon (and its marshalling), as a desktop's would. Calls wait on the
// event loop, so a service living in the same thread can answer.
class BusClient : public QObject {
    Q_OBJECT
public:
    struct Change {
        QString interface;
        QVariantMap changed; // nested a{sv} values (Metadata) arrive as QVariantMap
        QStringList invalidated;
    };

    explicit BusClient(QString service, QString path = QStringLiteral("/org/mpris/MediaPlayer2"));
    ~BusClient() override;

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {});
    // A player method; the reply (an error reply too) is returned.
    QDBusMessage player(const QString& method, const QVariantList& args = {}) {
        return call(QStringLiteral("org.mpris.MediaPlayer2.Player"), method, args);
    }
    // A property as the bus gives it, a{sv} turned into a QVariantMap; invalid when the Get failed.
    QVariant property(const QString& interface, const QString& name);
    QVariant playerProperty(const QString& name) {
        return property(QStringLiteral("org.mpris.MediaPlayer2.Player"), name);
    }
    bool setProperty(const QString& interface, const QString& name, const QVariant& value);

    // Signals received so far.
    QList<Change> changes;
    QList<qlonglong> seeks;
    // Waits until at least `count` PropertiesChanged signals have come.
    bool waitForChanges(qsizetype count, int timeoutMs = 5000);
    // Lets signals already sent arrive: a round trip to the service after them.
    void sync();

    QDBusConnection& connection() { return m_bus; }

private slots:
    void onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                             const QStringList& invalidated);
    void onSeeked(qlonglong position);

private:
    QString m_service;
    QString m_path;
    QString m_name;
    QDBusConnection m_bus;
};
