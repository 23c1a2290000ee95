#pragma once

#include <QString>

class Defaults;

// Reads the on/off settings the settings page writes. A setting never written, or holding something that
// is not a Boolean, reads as on.
namespace SettingKey {
bool isOn(const Defaults& defaults, const QString& key);
}
