#include "SystemAppearanceQml.h"

#include "ShellObjects.h"

SystemAppearance* SystemAppearanceQml::create(QQmlEngine* engine, QJSEngine*) {
    return ShellObjects::systemAppearance(engine);
}
