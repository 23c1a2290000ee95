#pragma once

class AccentStore;
class Motion;
class QQmlEngine;
class SystemAppearance;

// The look's long-lived objects as one QML engine sees them. The application object owns them and
// installs them in its engine; QML reads them as singletons, and an engine given none (a test that needs
// no store) gets a Motion of its own with full motion, and no accent store.
namespace ShellObjects {
void install(QQmlEngine& engine, AccentStore* accent, SystemAppearance* appearance);
AccentStore* accentStore(QQmlEngine* engine);
SystemAppearance* systemAppearance(QQmlEngine* engine);
Motion* motion(QQmlEngine* engine);
} // namespace ShellObjects
