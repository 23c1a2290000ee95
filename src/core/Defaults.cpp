#include "Defaults.h"

#include "DataFolder.h"
#include "JsonFile.h"

#include <QJsonArray>
#include <QJsonDocument>

Defaults::Defaults(QString filePath, QObject* parent)
    : QObject(parent), m_path(filePath.isEmpty() ? standardPath() : std::move(filePath)),
      m_values(readFile(m_path)) {}

QString Defaults::standardPath() {
    return DataFolder::configPath() + QStringLiteral("/defaults.json");
}
QString Defaults::formerPath() {
    return DataFolder::formerConfigPath() + QStringLiteral("/defaults.json");
}

QJsonObject Defaults::readFile(const QString& path) {
    auto object =
        JsonFile::load<QJsonObject>(path, [](const QJsonDocument& doc) -> std::optional<QJsonObject> {
            if (!doc.isObject()) return std::nullopt;
            return doc.object();
        });
    return object.value_or(QJsonObject{});
}

bool Defaults::boolValue(const QString& key, bool fallback) const {
    const QJsonValue v = m_values.value(key);
    return v.isBool() ? v.toBool() : fallback;
}

double Defaults::doubleValue(const QString& key, double fallback) const {
    const QJsonValue v = m_values.value(key);
    return v.isDouble() ? v.toDouble() : fallback;
}

QString Defaults::stringValue(const QString& key, const QString& fallback) const {
    const QJsonValue v = m_values.value(key);
    return v.isString() ? v.toString() : fallback;
}

QStringList Defaults::stringList(const QString& key) const {
    QStringList out;
    for (const QJsonValue& v : m_values.value(key).toArray())
        if (v.isString()) out.append(v.toString());
    return out;
}

void Defaults::set(const QString& key, const QJsonValue& value) {
    if (value.isUndefined()) {
        remove(key);
        return;
    }
    if (m_values.contains(key) && m_values.value(key) == value) return;
    m_values.insert(key, value);
    save();
    emit changed(key);
}

void Defaults::remove(const QString& key) {
    if (!m_values.contains(key)) return;
    m_values.remove(key);
    save();
    emit changed(key);
}

void Defaults::save() const {
    JsonFile::write(m_path, QJsonDocument(m_values));
}
