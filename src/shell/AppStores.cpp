#include "AppStores.h"

namespace {
constexpr const char* key = "_velto_stores";
}

void AppStores::installIn(QQmlEngine& engine) {
    QQmlEngine::setObjectOwnership(this, QQmlEngine::CppOwnership);
    engine.setProperty(key, QVariant::fromValue<QObject*>(this));
}

AppStores* AppStores::create(QQmlEngine* engine, QJSEngine*) {
    if (auto* stores = qobject_cast<AppStores*>(engine->property(key).value<QObject*>())) return stores;
    auto* empty = new AppStores(engine);
    empty->installIn(*engine);
    return empty;
}
