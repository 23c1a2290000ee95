#include "SongLists.h"

#include "shell/AppStores.h"

namespace {
const char* const engineKey = "veltoSongLists";
}

SongLists* SongLists::create(QQmlEngine* engine, QJSEngine*) {
    if (auto* lists = qobject_cast<SongLists*>(engine->property(engineKey).value<QObject*>())) return lists;
    auto* lists = new SongLists(engine);
    lists->m_engine = engine;
    QQmlEngine::setObjectOwnership(lists, QQmlEngine::CppOwnership);
    engine->setProperty(engineKey, QVariant::fromValue<QObject*>(lists));
    return lists;
}

AllSongsModel* SongLists::all() {
    if (!m_all) {
        m_all = new AllSongsModel(this);
        QQmlEngine::setObjectOwnership(m_all, QQmlEngine::CppOwnership);
        if (m_engine) {
            AppStores* stores = AppStores::create(m_engine, nullptr);
            m_all->setDefaults(stores->defaults);
            m_all->setPlayer(stores->player);
            m_all->setLibrary(stores->library);
        }
    }
    return m_all;
}
