#include "ArtworkImageProvider.h"

#include "ArtworkCache.h"

#include <QFutureWatcher>
#include <QQuickTextureFactory>

namespace {

// One request of an Image element. The watcher lives in the thread that made the response and hears of the
// result through that thread's event queue; when the Image goes away first, the response and its watcher
// are deleted and the result, shared with any other caller, simply goes unused here.
class ArtworkResponse : public QQuickImageResponse {
public:
    explicit ArtworkResponse(QFuture<QImage> future) {
        QObject::connect(&m_watcher, &QFutureWatcher<QImage>::finished, this, [this] {
            if (!m_watcher.future().isCanceled() && m_watcher.future().resultCount() > 0)
                m_picture = m_watcher.result();
            emit finished();
        });
        m_watcher.setFuture(future);
    }
    QQuickTextureFactory* textureFactory() const override {
        return QQuickTextureFactory::textureFactoryForImage(m_picture);
    }
    QString errorString() const override {
        // An empty string would count as success with an empty picture; the view shows its placeholder.
        return m_picture.isNull() ? QStringLiteral("no artwork") : QString();
    }

private:
    QFutureWatcher<QImage> m_watcher;
    QImage m_picture;
};

} // namespace

QQuickImageResponse* ArtworkImageProvider::requestImageResponse(const QString& id,
                                                                const QSize& requestedSize) {
    const auto request = ArtworkCache::parseId(id);
    if (!request) return new ArtworkResponse(QtFuture::makeReadyFuture(QImage()));
    QFuture<QImage> picture = request->kind == ArtworkCache::Request::Kind::cover
                                  ? m_cache.image(request->urls.first())
                                  : m_cache.mosaic(request->urls);
    const QSize size = requestedSize;
    return new ArtworkResponse(picture.then(
        &m_cache.pool(), [size](const QImage& p) { return CoverPicture::scaledToCover(p, size); }));
}

QImage HeldArtworkProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    QImage picture;
    if (const auto request = ArtworkCache::parseId(id)) {
        picture = request->kind == ArtworkCache::Request::Kind::cover ? m_cache.cached(request->urls.first())
                                                                      : m_cache.cachedMosaic(request->urls);
    }
    picture = CoverPicture::scaledToCover(picture, requestedSize);
    if (size) *size = picture.size();
    return picture;
}
