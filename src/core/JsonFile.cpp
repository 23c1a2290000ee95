#include "JsonFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace JsonFile {

ReadResult read(const QString& path) {
    QFile file(path);
    if (!file.exists()) return {ReadStatus::Missing, {}};
    if (!file.open(QIODevice::ReadOnly)) return {ReadStatus::Unreadable, {}};
    return {ReadStatus::Ok, file.readAll()};
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool write(const QString& path, const QJsonDocument& doc) {
    return writeBytes(path, doc.toJson(QJsonDocument::Compact));
}

namespace {
QString asideName(const QString& path) {
    const QString base =
        path + QStringLiteral(".unreadable-") + QString::number(QDateTime::currentSecsSinceEpoch());
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    return target;
}
} // namespace

QString setAside(const QString& path) {
    if (!QFileInfo::exists(path)) return {};
    const QString target = asideName(path);
    return QFile::rename(path, target) ? target : QString();
}

QString copyAside(const QString& path) {
    if (!QFileInfo::exists(path)) return {};
    const QString target = asideName(path);
    return QFile::copy(path, target) ? target : QString();
}

} // namespace JsonFile
