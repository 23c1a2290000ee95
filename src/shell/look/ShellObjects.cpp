#include "ShellObjects.h"

#include "AccentStore.h"
#include "Motion.h"
#include "platform/portal/SystemAppearance.h"

#include <QPointer>
#include <QQmlEngine>

namespace {
constexpr const char* accentKey = "_velto_accentStore";
constexpr const char* appearanceKey = "_velto_systemAppearance";
constexpr const char* motionKey = "_velto_motion";

template <typename T> T* installed(QQmlEngine* engine, const char* key) {
    return engine ? qobject_cast<T*>(engine->property(key).value<QObject*>()) : nullptr;
}
void keep(QQmlEngine& engine, const char* key, QObject* object) {
    if (object) QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    engine.setProperty(key, QVariant::fromValue(object));
}
} // namespace

namespace ShellObjects {

void install(QQmlEngine& engine, AccentStore* accent, SystemAppearance* appearance) {
    keep(engine, accentKey, accent);
    keep(engine, appearanceKey, appearance);
    // Motion is per engine: it only forwards the appearance's reduce-motion setting.
    keep(engine, motionKey, new Motion(appearance, &engine));
}

AccentStore* accentStore(QQmlEngine* engine) { return installed<AccentStore>(engine, accentKey); }
SystemAppearance* systemAppearance(QQmlEngine* engine) { return installed<SystemAppearance>(engine, appearanceKey); }

Motion* motion(QQmlEngine* engine) {
    if (auto* m = installed<Motion>(engine, motionKey)) return m;
    if (!engine) return nullptr;
    auto* m = new Motion(nullptr, engine);
    keep(*engine, motionKey, m);
    return m;
}

} // namespace ShellObjects
