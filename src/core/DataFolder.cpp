#include "DataFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace DataFolder {

namespace {
QString dataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}
QString configHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}
} // namespace

QString path() {
    return dataHome() + QStringLiteral("/VELTO");
}
QString file(const QString& name) {
    return path() + QLatin1Char('/') + name;
}
QString formerPath() {
    return dataHome() + QStringLiteral("/Tamsk");
}
QString configPath() {
    return configHome() + QStringLiteral("/VELTO");
}
QString formerConfigPath() {
    return configHome() + QStringLiteral("/Tamsk");
}

bool ensure(const QString& folder) {
    return QDir().mkpath(folder);
}

} // namespace DataFolder
