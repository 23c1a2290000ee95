#include "AppStores.h"

#include "artwork/PlaylistCover.h"

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

QList<QUrl> AppStores::playlistCoverURLs(const QStringList& paths) const {
    if (!library) return {};
    QList<Song> songs;
    for (const QString& path : paths)
        if (std::optional<Song> song = library->song(path)) songs.append(std::move(*song));
    const LibraryStore* store = library;
    const QList<FileUrl> urls =
        PlaylistCover::urls(songs, [store](const QString& id) -> std::optional<FileUrl> {
            const std::optional<Album> album = store->album(id);
            if (!album || album->songs.isEmpty()) return std::nullopt;
            return store->artworkURL(album->songs.first());
        });
    QList<QUrl> out;
    for (const FileUrl& url : urls)
        out.append(url.toUrl());
    return out;
}
