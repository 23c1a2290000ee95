#pragma once

#include <QQuickAsyncImageProvider>
#include <QQuickImageProvider>
#include <QString>

class ArtworkCache;

// Serves covers and mosaics to QML Image elements ("image://artwork/…", made by ArtworkCache::source and
// mosaicSource). The request is answered off the GUI thread: the cache loads on its pool, and the picture
// is shrunk there to the size the view asked for, so the GUI thread only uploads a texture of that size.
class ArtworkImageProvider : public QQuickAsyncImageProvider {
public:
    static constexpr auto name = "artwork";
    static constexpr auto heldName = "artworkheld";
    // What a request answers when the address has no picture: the view shows its placeholder.
    static constexpr auto failure = "no artwork";

    explicit ArtworkImageProvider(ArtworkCache& cache) : m_cache(cache) {}
    QQuickImageResponse* requestImageResponse(const QString& id, const QSize& requestedSize) override;

private:
    ArtworkCache& m_cache;
};

// The synchronous twin for pictures the cache already holds ("image://artworkheld/…"): an Image that loads
// through it synchronously draws the cover in its first frame instead of a placeholder. It never loads; a
// picture dropped from the cache in between gives an empty image.
class HeldArtworkProvider : public QQuickImageProvider {
public:
    explicit HeldArtworkProvider(ArtworkCache& cache)
        : QQuickImageProvider(QQuickImageProvider::Image), m_cache(cache) {}
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;

private:
    ArtworkCache& m_cache;
};
