#pragma once

#include "CoverPicture.h"
#include "library/FileUrl.h"

#include <QFuture>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QPromise>
#include <QSet>
#include <QThreadPool>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <vector>

class QQmlEngine;
class QJSEngine;

// The one place covers are found, decoded and kept, and where their colours are worked out. An address is a
// picture file (a chosen cover) or a song file (its embedded picture, else a cover file beside it). Each
// address is loaded once however many callers ask at the same time, and an address that gave nothing is not
// tried again until it is forgotten.
//
// Every operation may be called from any thread. Loads and colour analysis run on the cache's own worker
// pool; the futures it returns can be waited on off the GUI thread or continued on a QObject's thread with
// QFuture::then(context, …), which arrives through that thread's event queue.
//
// Decoded pictures are kept within a byte budget, least recently used first out: Linux gives no
// memory-pressure signal to drop them on, and a dropped picture is simply loaded again when next asked for.
class ArtworkCache : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // Rises whenever an address is forgotten, so views can ask for their picture again.
    Q_PROPERTY(int revision READ revision NOTIFY revisionChanged)

public:
    // The bytes of every picture embedded in a song file, in the file's order; empty when there is none or
    // the file cannot be read. Called on worker threads.
    using EmbeddedPictures = std::function<QList<QByteArray>(const QString& songPath)>;
    // The file of the user's own picture of an artist, or none.
    using ArtistPicture = std::function<std::optional<QString>(const QString& artistName)>;

    static constexpr qint64 defaultBudget = 320ll * 1024 * 1024;

    explicit ArtworkCache(EmbeddedPictures embedded, ArtistPicture artistPicture = {},
                          qint64 budgetBytes = defaultBudget, QObject* parent = nullptr);
    ~ArtworkCache() override;

    // The picture of an address; a null image when there is none.
    QFuture<QImage> image(const FileUrl& url);
    // What the cache already holds for an address (a single cover or a mosaic key); never loads.
    QImage cached(const QString& key) const;
    QImage cached(const FileUrl& url) const { return cached(url.path); }

    QFuture<std::optional<CoverGradient>> gradient(const FileUrl& url);
    QFuture<std::optional<double>> hue(const FileUrl& url);
    static std::optional<double> hue(const QImage& picture) { return CoverPicture::hue(picture); }

    // The cover of a list of songs' addresses: a 2×2 mosaic when the first four all have pictures, else
    // the first address's picture; null for an empty list.
    QFuture<QImage> mosaic(const QList<FileUrl>& urls);
    QImage cachedMosaic(const QList<FileUrl>& urls) const;
    static QString mosaicKey(const QList<FileUrl>& urls);

    // A re-tagged song or a replaced cover file: drop what is known of the address (its picture, colours,
    // a remembered miss and the mosaics made with it) so the next request loads it afresh.
    void forget(const FileUrl& url);

    qint64 budget() const { return m_budget; }
    qint64 heldBytes() const;
    int revision() const { return m_revision; }
    QThreadPool& pool() { return m_pool; }

    // For views: image URLs served by the artwork image providers, and whether a picture is ready now.
    // An address is a path or a "file:" URL.
    Q_INVOKABLE QString source(const QVariant& address, int revision = 0) const;
    Q_INVOKABLE QString mosaicSource(const QVariantList& addresses, int revision = 0) const;
    // The user's own picture of an artist, served like a chosen cover; empty when the artist has none.
    Q_INVOKABLE QString artistSource(const QString& name, int revision = 0) const;
    Q_INVOKABLE bool holds(const QVariant& address) const;

    static std::optional<FileUrl> addressFrom(const QVariant& value);
    // The image-provider ids the sources above carry, back to what they name.
    struct Request {
        enum class Kind { cover, mosaic } kind = Kind::cover;
        QList<FileUrl> urls;
    };
    static std::optional<Request> parseId(const QString& id);

    // The instance QML sees is the one the application object made and handed to its engine.
    static void exposeTo(QQmlEngine& engine, ArtworkCache* cache);
    static ArtworkCache* create(QQmlEngine* qml, QJSEngine*);
    // The engine's QML warnings go out as before, except an image's report of an address without a
    // picture: that is an everyday answer, drawn as the placeholder, and would otherwise print a line per
    // coverless album shown, into the user's journal.
    static void quietMisses(QQmlEngine& engine);

signals:
    void revisionChanged();

private:
    QImage load(const QString& path) const;
    QImage loadSong(const QString& path) const;
    // The callers waiting on one load, each with a future of its own (guarded by m_lock).
    struct Waiting {
        std::vector<QPromise<QImage>> promises;
    };
    QFuture<QImage> joinOrStart(const QString& key);
    static QFuture<QImage> wait(Waiting& waiting);
    void finishLoad(const QString& key, quint64 ticket, const QImage& picture, Waiting& waiting);
    void store(const QString& key, const QImage& picture);

    EmbeddedPictures m_embedded;
    ArtistPicture m_artistPicture;
    const qint64 m_budget;

    // Guards the misses and the running loads, and is never held while waiting for anything.
    mutable QMutex m_lock;
    QSet<QString> m_misses;
    struct Running {
        quint64 ticket;
        std::shared_ptr<Waiting> waiting;
    };
    QHash<QString, Running> m_loading;
    quint64 m_nextTicket = 1;

    // The caches, behind their own lock so readers never wait on load bookkeeping.
    mutable QMutex m_cacheLock;
    struct Held {
        QImage picture;
        std::list<QString>::iterator use;
    };
    mutable QHash<QString, Held> m_images;
    mutable std::list<QString> m_uses; // least recently used first
    qint64 m_held = 0;
    QHash<QString, QList<QString>> m_mosaicParts;
    QHash<QString, CoverGradient> m_gradients;
    QHash<QString, double> m_hues;
    // How often each address was forgotten: part of its image URL, so views showing an old picture of it
    // (the scene graph keeps its own copies by URL) ask again.
    QHash<QString, int> m_generations;

    int m_revision = 0;
    QThreadPool m_pool;
};
