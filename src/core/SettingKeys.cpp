#include "SettingKeys.h"

#include <QHash>

namespace SettingKeys {
namespace {

const QHash<QString, QJsonValue>& table() {
    static const QHash<QString, QJsonValue> declared{
        {startPage, QStringLiteral("quickplay")},
        {fadeOnPause, true},
        {showEqualizer, true},
        {watchFolder, true},
        {accent, QStringLiteral("magenta")},
        {appearance, QStringLiteral("system")},
        {quickplayFront, QStringLiteral("collection")},
        {playerName, QStringLiteral("my player")},
        {playerModel, QStringLiteral("flash")},
        {playerFinish, QString()},
        {playerCapacity, 0},
        {syncMusic, QStringLiteral("all")},
        {syncWhenFull, QStringLiteral("stop")},
        {syncConvert, true},
        {syncQuality, 256},
        {syncAuto, true},
        {syncRemoveDeleted, true},
        {syncKeepCopies, false},
        {syncLast, 0.0},
    };
    return declared;
}

} // namespace

QJsonValue fallback(const QString& key) {
    return table().value(key, QJsonValue(QJsonValue::Undefined));
}

bool isDeclared(const QString& key) {
    return table().contains(key);
}

QJsonValue resolve(const QString& key, const QJsonValue& stored) {
    const auto it = table().constFind(key);
    if (it == table().constEnd()) return stored;
    return stored.type() == it->type() ? stored : *it;
}

} // namespace SettingKeys
