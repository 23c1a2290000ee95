#pragma once

#include <QJsonValue>
#include <QString>

// Every setting that more than one place reads or that a view shows, declared here once with the value it
// reads as while it was never written (or holds a value of another type). Readers go through
// `Defaults::declared`, so a default never differs between the page that shows a setting and the code
// that obeys it. The collection's sorts keep their keys beside their types (SortSetting).
namespace SettingKeys {
inline constexpr char startPage[] = "startPage";
inline constexpr char fadeOnPause[] = "fadeOnPause";
inline constexpr char showEqualizer[] = "showEqualizer";
inline constexpr char watchFolder[] = "watchFolder";
inline constexpr char accent[] = "accent";
inline constexpr char appearance[] = "appearance";
inline constexpr char quickplayFront[] = "quickplayFront";
inline constexpr char playerName[] = "player.name";
inline constexpr char playerModel[] = "player.model";
inline constexpr char playerFinish[] = "player.finish";
inline constexpr char playerCapacity[] = "player.capacity";
inline constexpr char syncMusic[] = "sync.music";
inline constexpr char syncWhenFull[] = "sync.whenFull";
inline constexpr char syncConvert[] = "sync.convert";
inline constexpr char syncQuality[] = "sync.quality";
inline constexpr char syncAuto[] = "sync.auto";
inline constexpr char syncRemoveDeleted[] = "sync.removeDeleted";
inline constexpr char syncKeepCopies[] = "sync.keepCopies";
inline constexpr char syncLast[] = "sync.last";

// The declared default; undefined for a key that was never declared.
QJsonValue fallback(const QString& key);
bool isDeclared(const QString& key);
// `stored` when it has the declared default's type (any number for a number), else the default. An
// undeclared key gives `stored` as it is.
QJsonValue resolve(const QString& key, const QJsonValue& stored);
} // namespace SettingKeys
