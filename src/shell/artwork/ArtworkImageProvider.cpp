#include "ArtworkImageProvider.h"

#include "ArtworkCache.h"
#include "FutureImageResponse.h"

QQuickImageResponse* ArtworkImageProvider::requestImageResponse(const QString& id,
                                                                const QSize& requestedSize) {
    const auto request = ArtworkCache::parseId(id);
    if (!request)
        return new FutureImageResponse(QtFuture::makeReadyFuture(QImage()), QString::fromLatin1(failure));
    QFuture<QImage> picture = request->kind == ArtworkCache::Request::Kind::cover
                                  ? m_cache.image(request->urls.first())
                                  : m_cache.mosaic(request->urls);
    const QSize size = requestedSize;
    return new FutureImageResponse(
        picture.then(&m_cache.pool(),
                     [size](const QImage& p) { return CoverPicture::scaledToCover(p, size); }),
        QString::fromLatin1(failure));
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
