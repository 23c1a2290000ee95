#pragma once

#include <QString>
#include <functional>

class Defaults;

// The one-time move of the former program's data folder and settings to VELTO's.
namespace AppData {

// Runs once (guarded by "movedFromTamsk") before any store is made. Copies the former settings that the
// current ones lack, then moves the former data folder when the new one does not exist yet; a failed move
// leaves the flag unset so the next start tries again.
using FolderMove = std::function<bool(const QString& from, const QString& to)>;
void moveFromTamsk(Defaults& defaults, const FolderMove& move = {});

} // namespace AppData
