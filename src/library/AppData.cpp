#include "AppData.h"

#include "core/DataFolder.h"
#include "core/Defaults.h"

#include <QDir>
#include <QFileInfo>

namespace AppData {

void moveFromTamsk(Defaults& defaults, const FolderMove& move) {
    const QString flag = QStringLiteral("movedFromTamsk");
    if (defaults.boolValue(flag, false)) return;

    // The former settings are only read; a key the user already has keeps its value.
    const QString formerDefaults = Defaults::formerPath();
    if (QFileInfo::exists(formerDefaults)) {
        const QJsonObject former = Defaults::readFile(formerDefaults);
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
