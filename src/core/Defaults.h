#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <QVariant>
#include <atomic>

// The typed settings store: small settings and lists, kept in one JSON file. JSON keeps what was stored: a
// Boolean stays a Boolean (so "not a Boolean" can be told apart), a list stays a list, and a
// present-but-empty list stays present.
//
// A change is in memory and announced at once; the file follows within half a second, written whole and
// atomically by a writer thread, so dragging the volume over a file holding thousands of play counts never
// stalls the window. Pending changes are written when the store goes away, when the application is about
// to quit, and before another store opens the same file.
class Defaults : public QObject {
    Q_OBJECT
public:
    static constexpr int writeDelayMs = 500;

    // The settings file is $XDG_CONFIG_HOME/VELTO/defaults.json unless a path is given.
    explicit Defaults(QString filePath = {}, QObject* parent = nullptr);
    ~Defaults() override;

    static QString standardPath();
    static QString formerPath();
    QString filePath() const { return m_path; }

    bool contains(const QString& key) const { return m_values.contains(key); }
    QJsonValue value(const QString& key) const { return m_values.value(key); }
    QJsonObject all() const { return m_values; }
    // A declared setting (see SettingKeys): the stored value when it has the declared type, else the
    // declared default.
    QJsonValue declared(const QString& key) const;

    bool boolValue(const QString& key, bool fallback) const;
    double doubleValue(const QString& key, double fallback) const;
    QString stringValue(const QString& key, const QString& fallback = {}) const;
    QStringList stringList(const QString& key) const;

    void set(const QString& key, const QJsonValue& value);
    void remove(const QString& key);

    // Writes what is pending now and waits for the file; cheap when nothing is.
    void flush();
    // Files written and their bytes, for the benchmark and the tests of coalescing.
    int writes() const { return m_writes.load(); }
    qint64 bytesWritten() const { return m_bytesWritten.load(); }

    // For the views' setting bindings: declared settings read as their default when unset.
    Q_INVOKABLE QVariant read(const QString& key) const { return declared(key).toVariant(); }
    Q_INVOKABLE void write(const QString& key, const QVariant& value) {
        set(key, QJsonValue::fromVariant(value));
    }

    // Reads a settings file as a key-value object; empty when missing or undecodable (and set aside then).
    static QJsonObject readFile(const QString& path);

signals:
    void changed(const QString& key);

private:
    void changedNow(const QString& key);
    void startWrite();
    void writeSnapshot(const QJsonObject& values);

    QString m_path;
    QJsonObject m_values;
    QTimer m_writeTimer;
    bool m_dirty = false;
    // One writer thread: files land in the order they were taken, and a newer one always wins.
    QThreadPool m_writer;
    std::atomic<int> m_writes{0};
    std::atomic<qint64> m_bytesWritten{0};
};
