#pragma once

#include <QString>

// Where VELTO keeps its files. Computed at every call from the XDG variables so that tests (and a user who
// changes them) get the folder they set.
namespace DataFolder {

// $XDG_DATA_HOME/VELTO (by default ~/.local/share/VELTO).
QString path();
// A file or folder inside it.
QString file(const QString& name);
// The folder of the program's former name, beside the data folder.
QString formerPath();

// $XDG_CONFIG_HOME/VELTO (by default ~/.config/VELTO), home of the settings file.
QString configPath();
QString formerConfigPath();

// Makes the folder and its parents; false when it could not.
bool ensure(const QString& folder);

} // namespace DataFolder
