#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QStringList>
#include <QVariant>

// The typed settings store: small settings and lists, kept in one JSON file that is rewritten atomically at
// every change. JSON keeps what was stored: a Boolean stays a Boolean (so "not a Boolean" can be told
// apart), a list stays a list, and a present-but-empty list stays present.
class Defaults : public QObject {
    Q_OBJECT
public:
    // The settings file is $XDG_CONFIG_HOME/VELTO/defaults.json unless a path is given.
    explicit Defaults(QString filePath = {}, QObject* parent = nullptr);

    static QString standardPath();
    static QString formerPath();
    QString filePath() const { return m_path; }

    bool contains(const QString& key) const { return m_values.contains(key); }
    QJsonValue value(const QString& key) const { return m_values.value(key); }
    QJsonObject all() const { return m_values; }

    bool boolValue(const QString& key, bool fallback) const;
    double doubleValue(const QString& key, double fallback) const;
    QString stringValue(const QString& key, const QString& fallback = {}) const;
    QStringList stringList(const QString& key) const;

    void set(const QString& key, const QJsonValue& value);
    void remove(const QString& key);

    // For the views' setting bindings.
    Q_INVOKABLE QVariant read(const QString& key) const { return m_values.value(key).toVariant(); }
    Q_INVOKABLE void write(const QString& key, const QVariant& value) {
        set(key, QJsonValue::fromVariant(value));
    }

    // Reads a settings file as a key-value object; empty when missing or undecodable (and set aside then).
    static QJsonObject readFile(const QString& path);

signals:
    void changed(const QString& key);

private:
    void save() const;

    QString m_path;
    QJsonObject m_values;
};
