#include "SettingKey.h"

#include "core/Defaults.h"

namespace SettingKey {
bool isOn(const Defaults& defaults, const QString& key) {
    return defaults.boolValue(key, true);
}
} // namespace SettingKey
