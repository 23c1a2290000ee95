#include "ArtworkCache.h"

#include "ArtworkImageProvider.h"
#include "library/Song.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QQmlEngine>
#include <QQmlError>
#include <QThread>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

namespace {

QFuture<QImage> ready(const QImage& picture) {
    return QtFuture::makeReadyFuture(picture);
}

QString encodePart(const QString& text) {
    return QString::fromLatin1(
        text.toUtf8().toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

std::optional<QString> decodePart(QStringView part) {
    auto result = QByteArray::fromBase64Encoding(
        part.toLatin1(), QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!result) return std::nullopt;
    return QString::fromUtf8(*result);
}

} // namespace

ArtworkCache::ArtworkCache(EmbeddedPictures embedded, ArtistPicture artistPicture, qint64 budgetBytes,
                           QObject* parent)
    : QObject(parent), m_embedded(std::move(embedded)), m_artistPicture(std::move(artistPicture)),
      m_budget(budgetBytes) {
    m_pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
}

ArtworkCache::~ArtworkCache() {
    // Running loads and their continuations reach back into the cache: let them end first.
    m_pool.waitForDone();
}

QImage ArtworkCache::cached(const QString& key) const {
    QMutexLocker lock(&m_cacheLock);
    auto it = m_images.find(key);
    if (it == m_images.end()) return {};
    m_uses.splice(m_uses.end(), m_uses, it->use);
    return it->picture;
}

qint64 ArtworkCache::heldBytes() const {
    QMutexLocker lock(&m_cacheLock);
    return m_held;
}

void ArtworkCache::store(const QString& key, const QImage& picture) {
    QMutexLocker lock(&m_cacheLock);
    if (auto it = m_images.find(key); it != m_images.end()) {
        m_held -= CoverPicture::bytesOf(it->picture);
        m_uses.erase(it->use);
        m_images.erase(it);
    }
    m_uses.push_back(key);
    m_images.insert(key, Held{picture, std::prev(m_uses.end())});
    m_held += CoverPicture::bytesOf(picture);
    // The newest picture always stays, even when it alone is over the budget: it is about to be shown.
    while (m_held > m_budget && m_uses.size() > 1) {
        const QString oldest = m_uses.front();
        m_uses.pop_front();
        m_held -= CoverPicture::bytesOf(m_images.value(oldest).picture);
        m_images.remove(oldest);
        m_mosaicParts.remove(oldest);
    }
}

QFuture<QImage> ArtworkCache::image(const FileUrl& url) {
    if (url.isEmpty()) return ready({});
    if (QImage held = cached(url.path); !held.isNull()) return ready(held);
    return joinOrStart(url.path);
}

QFuture<QImage> ArtworkCache::joinOrStart(const QString& key) {
    QMutexLocker lock(&m_lock);
    if (m_misses.contains(key)) return ready({});
    // Every caller gets a future of its own. A QFuture holds a single continuation: one future handed to
    // several callers that each chain work on it (the image provider, the tint, a mosaic) keeps only the
    // last chain, and the others end cancelled, showing no cover.
    if (auto it = m_loading.constFind(key); it != m_loading.constEnd()) return wait(*it->waiting);
    // A load may have ended between the caller's look-up and taking the lock; its picture is stored before
    // its entry leaves the running loads, so it is found here.
    if (QImage held = cached(key); !held.isNull()) return ready(held);
    const quint64 ticket = m_nextTicket++;
    auto waiting = std::make_shared<Waiting>();
    QFuture<QImage> future = wait(*waiting);
    m_loading.insert(key, Running{ticket, waiting});
    m_pool.start([this, key, ticket, waiting] { finishLoad(key, ticket, load(key), *waiting); });
    return future;
}

QFuture<QImage> ArtworkCache::wait(Waiting& waiting) {
    QPromise<QImage>& promise = waiting.promises.emplace_back();
    promise.start();
    return promise.future();
}

void ArtworkCache::finishLoad(const QString& key, quint64 ticket, const QImage& picture, Waiting& waiting) {
    std::vector<QPromise<QImage>> answered;
    {
        QMutexLocker lock(&m_lock);
        // Forgotten while it ran (the file changed under the load): neither its picture nor its miss stays,
        // but those who asked before still get what was read.
        if (auto it = m_loading.find(key); it != m_loading.end() && it->ticket == ticket) {
            if (!picture.isNull())
                store(key, picture);
            else
                m_misses.insert(key);
            m_loading.erase(it);
        }
        answered.swap(waiting.promises);
    }
    for (QPromise<QImage>& promise : answered) {
        promise.addResult(picture);
        promise.finish();
    }
}

QImage ArtworkCache::load(const QString& path) const {
    // A chosen cover is the picture itself; when it is damaged there is no cover, not some other one.
    if (CoverPicture::isPictureFile(path)) return CoverPicture::decodeFile(path);
    return loadSong(path);
}

QImage ArtworkCache::loadSong(const QString& path) const {
    if (m_embedded) {
        for (const QByteArray& bytes : m_embedded(path)) {
            QImage picture = CoverPicture::decode(bytes);
            if (!picture.isNull()) return picture;
        }
    }
    // The first cover file in the folder's own listing order decides, whether or not it decodes.
    QDirIterator it(QFileInfo(path).absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        if (CoverPicture::isFolderPictureName(it.fileName())) return CoverPicture::decodeFile(it.filePath());
    }
    return {};
}

QFuture<std::optional<CoverGradient>> ArtworkCache::gradient(const FileUrl& url) {
    {
        QMutexLocker lock(&m_cacheLock);
        if (auto it = m_gradients.constFind(url.path); it != m_gradients.constEnd())
            return QtFuture::makeReadyFuture(std::optional<CoverGradient>(*it));
    }
    const QString key = url.path;
    return image(url).then(&m_pool, [this, key](const QImage& picture) -> std::optional<CoverGradient> {
        if (picture.isNull()) return std::nullopt;
        auto colours = CoverPicture::gradient(picture);
        if (colours) {
            QMutexLocker lock(&m_cacheLock);
            m_gradients.insert(key, *colours);
        }
        return colours;
    });
}

QFuture<std::optional<double>> ArtworkCache::hue(const FileUrl& url) {
    {
        QMutexLocker lock(&m_cacheLock);
        if (auto it = m_hues.constFind(url.path); it != m_hues.constEnd())
            return QtFuture::makeReadyFuture(*it < 0 ? std::optional<double>() : std::optional<double>(*it));
    }
    const QString key = url.path;
    return image(url).then(&m_pool, [this, key](const QImage& picture) -> std::optional<double> {
        if (picture.isNull()) return std::nullopt;
        const std::optional<double> h = CoverPicture::hue(picture);
        QMutexLocker lock(&m_cacheLock);
        // A picture with no dominant hue is remembered as −1 so it is not analysed again.
        m_hues.insert(key, h.value_or(-1));
        return h;
    });
}

QString ArtworkCache::mosaicKey(const QList<FileUrl>& urls) {
    QStringList paths;
    paths.reserve(urls.size());
    for (const FileUrl& u : urls)
        paths << u.path;
    const QString joined = paths.join(keySeparator);
    // Every character that is not a letter, mark or digit of any script is escaped, byte by byte, so the key
    // holds no separator or slash of its own whatever the paths contain.
    QString escaped;
    escaped.reserve(joined.size() * 2);
    for (char32_t cp : joined.toUcs4()) {
        const QString ch = QString::fromUcs4(&cp, 1);
        if (QChar::isLetterOrNumber(cp) || QChar::isMark(cp)) {
            escaped += ch;
        } else {
            for (uchar byte : ch.toUtf8())
                escaped += QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        }
    }
    return QStringLiteral("mosaic:") + escaped;
}

QFuture<QImage> ArtworkCache::mosaic(const QList<FileUrl>& urls) {
    if (urls.isEmpty()) return ready({});
    if (urls.size() < 4) return image(urls.first());
    const QString key = mosaicKey(urls);
    if (QImage held = cached(key); !held.isNull()) return ready(held);
    QList<QFuture<QImage>> four;
    for (int i = 0; i < 4; ++i)
        four << image(urls[i]);
    QStringList parts;
    for (const FileUrl& u : urls)
        parts << u.path;
    return QtFuture::whenAll(four.begin(), four.end())
        .then(&m_pool, [this, key, parts](const QList<QFuture<QImage>>& done) {
            QList<QImage> pictures;
            for (const QFuture<QImage>& f : done)
                pictures << f.result();
            // One missing cover and the list shows its first album's cover alone.
            for (const QImage& p : pictures)
                if (p.isNull()) return pictures.first();
            QImage made = CoverPicture::mosaic(pictures);
            store(key, made);
            QMutexLocker lock(&m_cacheLock);
            m_mosaicParts.insert(key, parts);
            return made;
        });
}

QImage ArtworkCache::cachedMosaic(const QList<FileUrl>& urls) const {
    if (urls.isEmpty()) return {};
    if (urls.size() < 4) return cached(urls.first().path);
    return cached(mosaicKey(urls));
}

void ArtworkCache::forget(const FileUrl& url) {
    const QString key = url.path;
    {
        QMutexLocker lock(&m_lock);
        m_misses.remove(key);
        m_loading.remove(key); // a load still running ends without storing anything
        QMutexLocker cacheLock(&m_cacheLock);
        QStringList gone{key};
        for (auto it = m_mosaicParts.begin(); it != m_mosaicParts.end();) {
            if (it.value().contains(key)) {
                gone << it.key();
                it = m_mosaicParts.erase(it);
            } else {
                ++it;
            }
        }
        for (const QString& k : gone) {
            if (auto it = m_images.find(k); it != m_images.end()) {
                m_held -= CoverPicture::bytesOf(it->picture);
                m_uses.erase(it->use);
                m_images.erase(it);
            }
        }
        m_gradients.remove(key);
        m_hues.remove(key);
        ++m_generations[key];
    }
    QMetaObject::invokeMethod(this, [this] {
        ++m_revision;
        emit revisionChanged();
    });
}

std::optional<FileUrl> ArtworkCache::addressFrom(const QVariant& value) {
    QString text;
    if (value.metaType() == QMetaType::fromType<QUrl>()) {
        const QUrl url = value.toUrl();
        if (!url.isLocalFile()) return std::nullopt;
        text = url.toLocalFile();
    } else {
        text = value.toString();
        if (text.startsWith(QLatin1String("file:"))) text = QUrl(text).toLocalFile();
    }
    if (text.isEmpty() || !text.startsWith(QLatin1Char('/'))) return std::nullopt;
    return FileUrl::fromPath(text);
}

QString ArtworkCache::source(const QVariant& address, int) const {
    const auto url = addressFrom(address);
    if (!url) return {};
    int generation;
    {
        QMutexLocker lock(&m_cacheLock);
        generation = m_generations.value(url->path);
    }
    const bool held = !cached(url->path).isNull();
    return QStringLiteral("image://%1/%2/c/%3")
        .arg(held ? ArtworkImageProvider::heldName : ArtworkImageProvider::name)
        .arg(generation)
        .arg(encodePart(url->path));
}

QString ArtworkCache::mosaicSource(const QVariantList& addresses, int) const {
    QList<FileUrl> urls;
    for (const QVariant& a : addresses)
        if (auto u = addressFrom(a)) urls << *u;
    if (urls.isEmpty()) return {};
    int generation = 0;
    QStringList parts;
    {
        QMutexLocker lock(&m_cacheLock);
        for (const FileUrl& u : urls) {
            generation += m_generations.value(u.path);
            parts << encodePart(u.path);
        }
    }
    const bool held = !cachedMosaic(urls).isNull();
    return QStringLiteral("image://%1/%2/m/%3")
        .arg(held ? ArtworkImageProvider::heldName : ArtworkImageProvider::name)
        .arg(generation)
        .arg(parts.join(QLatin1Char('/')));
}

QString ArtworkCache::artistSource(const QString& name, int revision) const {
    if (!m_artistPicture || name.isEmpty()) return {};
    const auto path = m_artistPicture(name);
    return path ? source(*path, revision) : QString();
}

bool ArtworkCache::holds(const QVariant& address) const {
    const auto url = addressFrom(address);
    return url && !cached(url->path).isNull();
}

std::optional<ArtworkCache::Request> ArtworkCache::parseId(const QString& id) {
    // "<generation>/c/<path>" or "<generation>/m/<path>/<path>/…", each path base64url-encoded.
    const QStringList parts = id.split(QLatin1Char('/'));
    if (parts.size() < 3) return std::nullopt;
    Request request;
    if (parts[1] == QLatin1String("c")) {
        if (parts.size() != 3) return std::nullopt;
        request.kind = Request::Kind::cover;
    } else if (parts[1] == QLatin1String("m")) {
        request.kind = Request::Kind::mosaic;
    } else {
        return std::nullopt;
    }
    for (qsizetype i = 2; i < parts.size(); ++i) {
        auto path = decodePart(parts[i]);
        if (!path || path->isEmpty()) return std::nullopt;
        request.urls << FileUrl::fromPath(*path);
    }
    return request;
}

void ArtworkCache::exposeTo(QQmlEngine& engine, ArtworkCache* cache) {
    engine.setProperty("veltoArtworkCache", QVariant::fromValue(cache));
    engine.addImageProvider(ArtworkImageProvider::name, new ArtworkImageProvider(*cache));
    engine.addImageProvider(ArtworkImageProvider::heldName, new HeldArtworkProvider(*cache));
}

ArtworkCache* ArtworkCache::create(QQmlEngine* qml, QJSEngine*) {
    auto* cache = qml->property("veltoArtworkCache").value<ArtworkCache*>();
    if (cache) QJSEngine::setObjectOwnership(cache, QJSEngine::CppOwnership);
    return cache;
}

void ArtworkCache::quietMisses(QQmlEngine& engine) {
    engine.setOutputWarningsToStandardError(false);
    QObject::connect(&engine, &QQmlEngine::warnings, &engine, [](const QList<QQmlError>& errors) {
        static const QString miss = QStringLiteral(": ") + QLatin1String(ArtworkImageProvider::failure);
        for (const QQmlError& error : errors) {
            if (error.description().endsWith(miss)) continue;
            const QByteArray file = error.url().toString().toUtf8();
            qt_message_output(error.messageType(),
                              QMessageLogContext(file.constData(), error.line(), nullptr, "qml"),
                              error.toString());
        }
    });
}
