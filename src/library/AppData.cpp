#include "AppData.h"

#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace AppData {

void moveFromTamsk(Defaults& defaults, const FolderMove& move) {
    const QString flag = QStringLiteral("movedFromTamsk");
    if (defaults.boolValue(flag, false)) return;

    // The former settings are only read, never touched: not even a file that fails to decode is set
    // aside, since it belongs to the former program. A key the user already has keeps its value.
    const JsonFile::ReadResult formerDefaults = JsonFile::read(Defaults::formerPath());
    if (formerDefaults.status == JsonFile::ReadStatus::Ok) {
        const QJsonObject former = QJsonDocument::fromJson(formerDefaults.data).object();
        for (auto it = former.begin(); it != former.end(); ++it)
            if (!defaults.contains(it.key())) defaults.set(it.key(), it.value());
    }

    const QString target = DataFolder::path();
    const QString formerFolder = DataFolder::formerPath();
    if (QFileInfo(formerFolder).isDir() && !QFileInfo::exists(target)) {
        DataFolder::ensure(QFileInfo(target).absolutePath());
        const bool moved = move ? move(formerFolder, target) : QDir().rename(formerFolder, target);
        if (!moved) return;
    }

    defaults.set(flag, true);
}

} // namespace AppData
