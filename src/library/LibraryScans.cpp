// The library store's side of scanning: starting scans and coalescing requests, the music folder and the
// cache file.
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
#include <algorithm>
#include <mutex>

#include <cerrno>
#include <malloc.h>
#include <sys/resource.h>

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
    bool folderMissing = false;
    // The scan found exactly the songs it started from (the usual rescan), in whatever order.
    bool unchanged = false;
    // Files known before whose content changed since (re-tagged, a new embedded cover).
    QList<FileUrl> rewritten;
    QByteArray cacheJson; // made only when something changed
};

struct LibraryStore::ScanHandoff {
    std::mutex mutex;
    QList<ScanProgress> progress;
    std::unique_ptr<ScanResult> result;
};

LibraryStore::LibraryStore(Defaults& defaults, QObject* parent)
    : LibraryStore(
          defaults,
          [](const FileUrl& folder, const QHash<QString, Song>& known,
             const LibraryScanner::Progress& progress) {
              return LibraryScanner::scan(folder, known, progress);
          },
          parent) {}

LibraryStore::LibraryStore(Defaults& defaults, ScanFunction scanFunction, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_scanFunction(std::move(scanFunction)),
      m_edits(LibraryEdits::load()), m_handoff(std::make_shared<ScanHandoff>()) {
    const QString stored = m_defaults.stringValue(libraryFolderKey);
    m_folder = stored.isEmpty() ? defaultFolder() : FileUrl::fromPath(stored);
    if (auto cached = loadCache()) {
        set(*cached);
        m_cacheHoldsScanned = m_scanned.size() == cached->size();
    }
    // Reading a large cache leaves tens of megabytes of freed parser nodes in the heap; hand them back
    // instead of carrying them for the whole run.
    malloc_trim(0);
    watch();
}

LibraryStore::~LibraryStore() {
    joinScanThread();
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
    const QList<Song> known = m_scanned.isEmpty() ? m_heldKnown : m_scanned;
    m_scanThread = std::thread([this, handoff = m_handoff, folder, known, scanFunction = m_scanFunction] {
        lowerThisThreadsPriority();
        QHash<QString, Song> knownByPath;
        knownByPath.reserve(known.size());
        for (const Song& s : known) // the first of a doubled path stands
            if (!knownByPath.contains(s.url.path)) knownByPath.insert(s.url.path, s);
        auto progress = [this, &handoff](qsizetype done, qsizetype total) {
            {
                std::lock_guard lock(handoff->mutex);
                handoff->progress.append({done, total});
            }
            QMetaObject::invokeMethod(this, "deliverScan", Qt::QueuedConnection);
        };
        auto result = std::make_unique<ScanResult>();
        result->folder = folder;
        result->songs = scanFunction(folder, knownByPath, progress);
        result->known = known;
        result->folderMissing = !QFileInfo(folder.path).isDir();
        result->unchanged = result->songs.size() == known.size() && knownByPath.size() == known.size() &&
                            std::all_of(result->songs.cbegin(), result->songs.cend(), [&](const Song& s) {
                                auto it = knownByPath.constFind(s.url.path);
                                return it != knownByPath.cend() && *it == s;
                            });
        // Encoding 100k songs takes a while; do it here rather than on the GUI thread.
        if (!result->unchanged) {
            result->cacheJson = encodeCache(result->songs);
            for (const Song& s : std::as_const(result->songs)) {
                auto it = knownByPath.constFind(s.url.path);
                if (it != knownByPath.cend() && it->modified != s.modified) result->rewritten.append(s.url);
            }
        }
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
    {
        std::lock_guard lock(m_handoff->mutex);
        progress.swap(m_handoff->progress);
        result = std::move(m_handoff->result);
    }
    // Every report in order, each before the result that follows it.
    for (const ScanProgress& p : std::as_const(progress))
        setScanProgress(p);
    if (result) finishScan(std::move(*result));
}

void LibraryStore::finishScan(ScanResult result) {
    joinScanThread();
    // Nothing found that the collection does not already hold, and nothing else replaced it meanwhile:
    // deriving it again would give the same collection, so it stays as it is.
    const bool same = result.unchanged && result.known.size() == m_scanned.size() &&
                      result.known.constData() == m_scanned.constData();
    if (!same) set(result.songs);
    setScanning(false);
    if (!result.rewritten.isEmpty()) emit filesRewritten(result.rewritten);
    // A vanished music folder (an unmounted disk) empties the collection but keeps the cache, so that
    // its return costs a rescan of dates rather than a reading of every file.
    if (result.folderMissing && !result.known.isEmpty() && result.folder == m_folder) {
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
    if (!SettingKey::isOn(m_defaults, watchFolderKey)) return;
    // The watcher belongs to the store, so its callback cannot outlive it.
    m_watcher = FolderWatcher::make(m_folder, [this] { scan(); });
    if (!m_watcher) return;
    const auto tellPartial = [this] {
        showPassingStatus(
            QStringLiteral("some folders are not watched: the system's limit of watches is reached"));
    };
    if (m_watcher->partial()) tellPartial();
    connect(m_watcher.get(), &FolderWatcher::limitReached, this, tellPartial);
}

QString LibraryStore::cachePath() {
    DataFolder::ensure(DataFolder::path());
    return DataFolder::file(QStringLiteral("library-2.json"));
}

QString LibraryStore::formerCachePath() {
    return DataFolder::file(QStringLiteral("library.json"));
}

std::optional<QList<Song>> LibraryStore::loadCache() {
    return JsonFile::load<QList<Song>>(cachePath(),
                                       [](const QJsonDocument& doc) -> std::optional<QList<Song>> {
                                           if (!doc.isArray()) return std::nullopt;
                                           return Song::listFromJson(doc.array());
                                       });
}

QByteArray LibraryStore::encodeCache(const QList<Song>& songs) {
    return QJsonDocument(Song::listToJson(songs)).toJson(QJsonDocument::Compact);
}

bool LibraryStore::writeCache(const QByteArray& json) {
    const bool written = JsonFile::writeBytes(cachePath(), json);
    QFile::remove(formerCachePath());
    return written;
}
