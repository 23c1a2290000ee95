// The library store's side of scanning: starting scans and coalescing requests, the music folder and the
// cache file.
#include "LibraryCache.h"
#include "LibraryStore.h"
#include "SettingKey.h"

#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <mutex>

#include <cerrno>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString libraryFolderKey = QStringLiteral("libraryFolder");
const QString watchFolderKey = QStringLiteral("watchFolder");

FileUrl defaultFolder() {
    QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (music.isEmpty()) music = QDir::homePath() + QStringLiteral("/Music");
    return FileUrl::fromPath(music);
}

// Scans yield to everything the user is doing; threads the scanner starts from here inherit the niceness.
void lowerThisThreadsPriority() {
    // Linux keeps a niceness per thread; 0 names the calling one.
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (errno == 0) setpriority(PRIO_PROCESS, 0, std::min(nice + 10, 19));
}

} // namespace

struct LibraryStore::ScanResult {
    FileUrl folder;
    QList<Song> songs;
    // What the scan started from; held back when the folder turns out to be missing.
    QList<Song> known;
    bool fromHeld = false;  // `known` is the list held back, not the collection's
    quint64 generation = 0; // of the collection's raw list when the scan started
    bool folderMissing = false;
    // The scan found exactly the songs it started from (the usual rescan), in whatever order.
    bool unchanged = false;
    // Files known before whose content changed since (re-tagged, a new embedded cover).
    QList<FileUrl> rewritten;
    QByteArray cacheJson; // made only when something changed
    // The collection derived from the songs with the edits of the scan's start, made only when something
    // changed; `sets` tells whether anything replaced the collection since.
    std::optional<Collection> collection;
    LibraryChange change; // from the collection of the scan's start to `collection`
    quint64 sets = 0;
};

struct LibraryStore::ScanHandoff {
    std::mutex mutex;
    QList<ScanProgress> progress;
    std::unique_ptr<ScanResult> result;
    std::unique_ptr<Loaded> loaded;
};

struct LibraryStore::Loaded {
    std::optional<Collection> collection;
    qsizetype rawSize = 0;
    quint64 sets = 0; // m_sets when the load started
    FileUrl folder;
};

LibraryStore::LibraryStore(Defaults& defaults, QObject* parent) : LibraryStore(defaults, {}, {}, parent) {}

LibraryStore::LibraryStore(Defaults& defaults, ScanFunction scanFunction, QObject* parent)
    : LibraryStore(defaults, std::move(scanFunction), {}, parent) {}

LibraryStore::LibraryStore(Defaults& defaults, ScanFunction scanFunction, CacheReader cacheReader,
                           QObject* parent)
    : QObject(parent), m_defaults(defaults), m_scanFunction(std::move(scanFunction)),
      m_ownScanner(!m_scanFunction), m_edits(LibraryEdits::load()),
      m_handoff(std::make_shared<ScanHandoff>()) {
    if (!m_scanFunction)
        m_scanFunction = [stop = m_stop](const FileUrl& folder, const QHash<QString, Song>& known,
                                         const LibraryScanner::Progress& progress) {
            return LibraryScanner::scan(folder, known, progress, stop.get());
        };
    if (!cacheReader) cacheReader = &LibraryStore::loadCache;
    const QString stored = m_defaults.stringValue(libraryFolderKey);
    m_folder = stored.isEmpty() ? defaultFolder() : FileUrl::fromPath(stored);

    // The cache of a large library is tens of megabytes: reading, decoding and deriving the collection
    // took seconds on the GUI thread before the window could show. It is done on a worker instead, and the
    // result handed over like a scan's.
    m_loading = true;
    m_loadThread = std::thread([this, handoff = m_handoff, edits = m_edits, read = std::move(cacheReader),
                                sets = m_sets, folder = m_folder] {
        auto loaded = std::make_unique<Loaded>();
        loaded->sets = sets;
        loaded->folder = folder;
        if (std::optional<QList<Song>> cached = read()) {
            loaded->rawSize = cached->size();
            loaded->collection = build(*cached, edits);
        }
        // The parser's buffers are freed by now; hand them back instead of carrying them for the whole run.
        malloc_trim(0);
        {
            std::lock_guard lock(handoff->mutex);
            handoff->loaded = std::move(loaded);
        }
        QMetaObject::invokeMethod(this, "deliverScan", Qt::QueuedConnection);
    });
    watch();
}

LibraryStore::~LibraryStore() {
    m_stop->store(true);
    if (m_loadThread.joinable()) m_loadThread.join();
    joinScanThread();
}

void LibraryStore::adoptCache(Loaded loaded) {
    if (m_loadThread.joinable()) m_loadThread.join();
    m_loading = false;
    // Something replaced the collection meanwhile. A new folder makes the cache moot; an edit only means
    // the collection is derived again with it.
    if (loaded.collection && m_sets == loaded.sets) {
        m_cacheHoldsScanned = loaded.collection->scanned.size() == loaded.rawSize;
        publish(std::move(*loaded.collection));
    } else if (loaded.collection && loaded.folder == m_folder) {
        set(loaded.collection->scanned);
        m_cacheHoldsScanned = m_raw.size() == loaded.rawSize;
    }
    emit loadedChanged();
    if (m_scanWhenLoaded) {
        m_scanWhenLoaded = false;
        scan();
    }
}

void LibraryStore::joinScanThread() {
    if (m_scanThread.joinable()) m_scanThread.join();
}

void LibraryStore::setScanning(bool on) {
    if (m_scanning == on) return;
    m_scanning = on;
    emit scanningChanged();
}

void LibraryStore::setScanProgress(ScanProgress progress) {
    if (m_scanProgress == progress) return;
    m_scanProgress = progress;
    emit scanProgressChanged();
}

void LibraryStore::scan() {
    if (m_loading) {
        m_scanWhenLoaded = true;
        return;
    }
    if (m_scanning) {
        m_rescanWhenDone = true;
        return;
    }
    setScanning(true);
    joinScanThread();

    // Everything the worker needs is taken here; it never touches the store. The lists are shared, not
    // copied, and the map of known songs is built on the worker. What it finds goes through the handoff,
    // whose lock is the one every exchange between the threads passes (and one ThreadSanitizer can see:
    // Qt's own event queue, not built for it, would look like a race).
    const FileUrl folder = m_folder;
    const bool fromHeld = m_raw.isEmpty() && !m_heldKnown.isEmpty();
    m_scanThread = std::thread([this, handoff = m_handoff, folder, raw = m_raw, held = m_heldKnown, fromHeld,
                                generation = m_rawGeneration, scanFunction = m_scanFunction, edits = m_edits,
                                sets = m_sets, songs = m_songs, duplicates = m_duplicates, albums = m_albums,
                                artists = m_artists, ownScanner = m_ownScanner, stop = m_stop,
                                cacheHeld = m_cacheHoldsScanned] {
        lowerThisThreadsPriority();
        // The songs the last scan gave, read back from the collection here rather than kept as a list.
        const QList<Song> known = fromHeld ? held : raw.songs(songs, duplicates);
        const LibraryScanner::KnownSongs knownByPath(known);
        const auto knownSong = [&](const QString& path) { return knownByPath.find(path); };
        // A rescan of a large library reports thousands of times a second; the GUI thread hears of it at
        // most every 50 ms (the newest report then), and the result brings the last one in any case.
        std::chrono::steady_clock::time_point lastPost{};
        auto progress = [this, &handoff, &lastPost](qsizetype done, qsizetype total) {
            const auto now = std::chrono::steady_clock::now();
            {
                std::lock_guard lock(handoff->mutex);
                handoff->progress.append({done, total});
            }
            if (now - lastPost < std::chrono::milliseconds(50)) return;
            lastPost = now;
            QMetaObject::invokeMethod(this, "deliverScan", Qt::QueuedConnection);
        };
        auto result = std::make_unique<ScanResult>();
        result->folder = folder;
        // On a first scan our own scanner writes the cache's text in its readers as songs finish, so no
        // serial encoding follows the reading. A rescan mostly finds what it knew: its text (tens of
        // megabytes at 100k songs, all of it thrown away when nothing changed) is made after the scan, and
        // only when something changed. One scan function handed in (tests) gets the map it asks for, and its
        // result is encoded here.
        QByteArray cacheJson;
        if (ownScanner) {
            result->songs = LibraryScanner::scanReusing(folder, knownByPath, progress, stop.get(),
                                                        known.isEmpty() ? &cacheJson : nullptr);
        } else {
            QHash<QString, Song> copies;
            copies.reserve(knownByPath.paths());
            for (const Song& s : known)
                if (!copies.contains(s.url.path)) copies.insert(s.url.path, s);
            result->songs = scanFunction(folder, copies, progress);
        }
        result->known = known;
        result->fromHeld = fromHeld;
        result->generation = generation;
        result->folderMissing = !QFileInfo(folder.path).isDir();
        result->unchanged = result->songs.size() == known.size() && knownByPath.paths() == known.size() &&
                            std::all_of(result->songs.cbegin(), result->songs.cend(), [&](const Song& s) {
                                const Song* k = knownSong(s.url.path);
                                return k && *k == s;
                            });
        // Deriving the albums and artists of 100k songs takes a while; it is done here rather than on
        // the GUI thread, which then only swaps the new collection in.
        result->sets = sets;
        if (!result->unchanged) {
            result->cacheJson = cacheJson.isNull() ? encodeCache(result->songs) : std::move(cacheJson);
            result->collection = build(result->songs, edits);
            const Collection& c = *result->collection;
            result->change = LibraryChange::between(songs, c.songs, albums, c.albums, artists, c.artists);
            for (const Song& s : std::as_const(result->songs)) {
                const Song* k = knownSong(s.url.path);
                if (k && k->modified != s.modified) result->rewritten.append(s.url);
            }
        }
        // Kept also when nothing changed: the GUI thread writes it if the file does not hold these songs.
        if (result->cacheJson.isNull()) result->cacheJson = std::move(cacheJson);
        if (result->cacheJson.isNull() && !cacheHeld) result->cacheJson = encodeCache(result->songs);
        {
            std::lock_guard lock(handoff->mutex);
            handoff->result = std::move(result);
        }
        QMetaObject::invokeMethod(this, "deliverScan", Qt::QueuedConnection);
    });
}

void LibraryStore::deliverScan() {
    QList<ScanProgress> progress;
    std::unique_ptr<ScanResult> result;
    std::unique_ptr<Loaded> loaded;
    {
        std::lock_guard lock(m_handoff->mutex);
        progress.swap(m_handoff->progress);
        result = std::move(m_handoff->result);
        loaded = std::move(m_handoff->loaded);
    }
    if (loaded) adoptCache(std::move(*loaded));
    // Only the newest report matters to the views; it comes before the result that follows it.
    if (!progress.isEmpty()) setScanProgress(progress.last());
    if (result) finishScan(std::move(*result));
}

void LibraryStore::finishScan(ScanResult result) {
    joinScanThread();
    // Nothing found that the collection does not already hold, and nothing else replaced it meanwhile:
    // deriving it again would give the same collection, so it stays as it is.
    const bool same = result.unchanged && !result.fromHeld && result.generation == m_rawGeneration;
    if (!same) {
        // An edit or another list since the scan began makes the worker's collection stale: derived again.
        if (result.collection && result.sets == m_sets) {
            ++m_sets;
            publish(std::move(*result.collection), std::move(result.change));
        } else {
            set(result.songs);
        }
    }
    setScanning(false);
    if (!result.rewritten.isEmpty()) emit filesRewritten(result.rewritten);
    // A vanished music folder (an unmounted disk) empties the collection but keeps the cache, so that its
    // return costs a rescan of dates rather than a reading of every file. So does an empty folder where
    // the last scan found songs: the mount point an unmounted disk leaves behind.
    const bool emptyWhereSongsWere = result.songs.isEmpty() && !result.known.isEmpty();
    if ((result.folderMissing || emptyWhereSongsWere) && !result.known.isEmpty() &&
        result.folder == m_folder) {
        m_heldKnown = result.known;
        m_cacheHoldsScanned = false;
    } else {
        m_heldKnown.clear();
        if (same && m_cacheHoldsScanned && QFileInfo::exists(cachePath())) {
            QFile::remove(formerCachePath());
        } else {
            if (result.cacheJson.isNull()) result.cacheJson = encodeCache(result.songs);
            m_cacheHoldsScanned = writeCache(result.cacheJson);
        }
    }
    if (result.folder == m_folder && (result.folderMissing || emptyWhereSongsWere)) watchForReturn();
    // The scan's threads and the collection it replaced leave freed memory in several heaps, which glibc
    // keeps; without this every rescan of a large library kept another hundred megabytes. Trimming walks
    // the whole heap, so it runs off the GUI thread.
    QThreadPool::globalInstance()->start([] { malloc_trim(0); });
    if (m_rescanWhenDone) {
        m_rescanWhenDone = false;
        scan();
    }
}

void LibraryStore::useFolder(const QUrl& chosen) {
    if (!chosen.isValid() || !chosen.isLocalFile()) return;
    const QString path = QDir::cleanPath(chosen.toLocalFile());
    if (path.isEmpty()) return;
    m_folder = FileUrl::fromPath(path);
    emit folderChanged();
    m_defaults.set(libraryFolderKey, path);
    m_heldKnown.clear();
    set({});
    m_cacheHoldsScanned = false;
    watch();
    scan();
}

void LibraryStore::setWatching(bool on) {
    m_defaults.set(watchFolderKey, on);
    watch();
    if (on) scan();
}

void LibraryStore::watch() {
    m_watcher.reset();
    if (m_returnPoll) m_returnPoll->stop();
    if (!SettingKey::isOn(m_defaults, watchFolderKey)) return;
    // The watcher belongs to the store, so its callback cannot outlive it.
    m_watcher = FolderWatcher::make(m_folder, [this] { scan(); });
    if (!m_watcher) {
        // Most often the folder is missing (a disk not plugged in yet): look for it now and then.
        watchForReturn();
        return;
    }
    // Said once per run, however often the watch is made again: the limit is the system's, not the folder's.
    const auto tellPartial = [this] {
        if (m_toldWatchLimit) return;
        m_toldWatchLimit = true;
        qWarning("Some folders of the music folder are not watched: the system's limit of inotify watches "
                 "(fs.inotify.max_user_watches) is reached. Changes in them are found by the next scan.");
        showPassingStatus(
            QStringLiteral("some folders are not watched: the system's limit of watches is reached"));
    };
    if (m_watcher->partial()) tellPartial();
    connect(m_watcher.get(), &FolderWatcher::limitReached, this, tellPartial);
}

namespace {
// Absent when the path is not a folder; otherwise which folder it is, so that a disk mounted over an
// empty mount point counts as a change although the path stayed a folder.
std::optional<std::pair<quint64, quint64>> folderIdentity(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    return std::pair<quint64, quint64>(st.st_dev, st.st_ino);
}
} // namespace

void LibraryStore::watchForReturn() {
    if (!SettingKey::isOn(m_defaults, watchFolderKey)) return;
    if (!m_returnPoll) {
        m_returnPoll = new QTimer(this);
        connect(m_returnPoll, &QTimer::timeout, this, &LibraryStore::checkReturn);
    }
    m_folderIdentity = folderIdentity(m_folder.path);
    m_returnPoll->start(m_returnPollMs);
}

void LibraryStore::checkReturn() {
    const auto now = folderIdentity(m_folder.path);
    if (!now || now == m_folderIdentity) return;
    m_returnPoll->stop();
    watch();
    scan();
}

QString LibraryStore::cachePath() {
    DataFolder::ensure(DataFolder::path());
    return DataFolder::file(QStringLiteral("library-2.json"));
}

QString LibraryStore::formerCachePath() {
    return DataFolder::file(QStringLiteral("library.json"));
}

std::optional<QList<Song>> LibraryStore::loadCache() {
    const QString path = cachePath();
    const JsonFile::ReadResult r = JsonFile::read(path);
    if (r.status == JsonFile::ReadStatus::Missing) return std::nullopt;
    if (r.status == JsonFile::ReadStatus::Ok)
        if (auto songs = LibraryCache::decode(r.data)) return songs;
    JsonFile::setAside(path);
    return std::nullopt;
}

QByteArray LibraryStore::encodeCache(const QList<Song>& songs) {
    return LibraryCache::encode(songs);
}

bool LibraryStore::writeCache(const QByteArray& json) {
    const bool written = JsonFile::writeBytes(cachePath(), json);
    QFile::remove(formerCachePath());
    return written;
}
