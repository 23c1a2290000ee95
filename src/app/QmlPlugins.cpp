#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Velto_ShellPlugin)
Q_IMPORT_QML_PLUGIN(Velto_LibraryPlugin)
