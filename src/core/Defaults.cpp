#include "Defaults.h"

#include "DataFolder.h"
#include "JsonFile.h"
#include "SettingKeys.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>

namespace {

// The stores open on each file. A store opening a file first has the others write what they hold, so it
// never reads a file that is older than what another store already announced.
QMutex liveMutex;
QList<Defaults*>& liveStores() {
    static QList<Defaults*> stores;
    return stores;
}

} // namespace

Defaults::Defaults(QString filePath, QObject* parent)
    : QObject(parent), m_path(filePath.isEmpty() ? standardPath() : std::move(filePath)) {
    QList<Defaults*> sameFile;
    {
        QMutexLocker lock(&liveMutex);
        for (Defaults* other : liveStores())
            if (other->m_path == m_path) sameFile.append(other);
        liveStores().append(this);
    }
    for (Defaults* other : sameFile)
        other->flush();
    m_values = readFile(m_path);

    m_writer.setMaxThreadCount(1);
    m_writeTimer.setSingleShot(true);
    m_writeTimer.setInterval(writeDelayMs);
    connect(&m_writeTimer, &QTimer::timeout, this, &Defaults::startWrite);
    // SIGTERM and the Quit command both end in the application's quit, which announces this first.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &Defaults::flush);
}

Defaults::~Defaults() {
    flush();
    QMutexLocker lock(&liveMutex);
    liveStores().removeOne(this);
}

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

QJsonValue Defaults::declared(const QString& key) const {
    return SettingKeys::resolve(key, m_values.value(key));
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
    changedNow(key);
}

void Defaults::remove(const QString& key) {
    if (!m_values.contains(key)) return;
    m_values.remove(key);
    changedNow(key);
}

void Defaults::changedNow(const QString& key) {
    m_dirty = true;
    // The timer is not restarted by later changes: a change that keeps coming (a volume drag) is still
    // written every half second.
    if (!m_writeTimer.isActive()) m_writeTimer.start();
    emit changed(key);
}

void Defaults::startWrite() {
    if (!m_dirty) return;
    m_dirty = false;
    // The copy shares the object's data until the next change detaches it here, on this thread.
    const QJsonObject snapshot = m_values;
    m_writer.start([this, snapshot] { writeSnapshot(snapshot); });
}

void Defaults::writeSnapshot(const QJsonObject& values) {
    const QByteArray bytes = QJsonDocument(values).toJson(QJsonDocument::Compact);
    if (JsonFile::writeBytes(m_path, bytes)) {
        ++m_writes;
        m_bytesWritten += bytes.size();
    }
}

void Defaults::flush() {
    m_writeTimer.stop();
    startWrite();
    m_writer.waitForDone();
}
