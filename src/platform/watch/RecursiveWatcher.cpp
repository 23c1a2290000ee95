#include "RecursiveWatcher.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr uint32_t folderMask = IN_CREATE | IN_DELETE | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_FROM |
                                IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

bool isHiddenName(const QString& name) {
    return name.startsWith(QLatin1Char('.'));
}

struct TreeWalk {
    int fd;
    QHash<int, QString>& paths;
    QList<std::pair<int, QString>> added;
    QList<RecursiveWatcher::Change>* found = nullptr;
    const std::atomic<bool>* stop = nullptr;
    bool limitHit = false;

    // Watches `path`; true when its inside is to be walked: a new watch, or a folder already watched under
    // this very path. A folder already watched under another path (reached again through a link, or a
    // link loop) is left alone.
    bool watch(const QString& path, const QByteArray& encoded) {
        const int wd = ::inotify_add_watch(fd, encoded.constData(), folderMask);
        if (wd < 0) {
            if (errno == ENOSPC) limitHit = true;
            return false;
        }
        auto it = paths.find(wd);
        if (it == paths.end()) {
            paths.insert(wd, path);
            added.append({wd, path});
            return true;
        }
        if (*it == path) return true;
        // The kernel hands out a folder's descriptor again after the folder was renamed away and back;
        // only a path that still leads to this folder keeps it.
        struct stat here, there;
        if (::stat(encoded.constData(), &here) == 0 &&
            ::stat(QFile::encodeName(*it).constData(), &there) == 0 && here.st_dev == there.st_dev &&
            here.st_ino == there.st_ino)
            return false;
        *it = path;
        added.append({wd, path});
        return true;
    }

    void below(const QString& path, const QByteArray& encoded) {
        if (stop && stop->load(std::memory_order_relaxed)) return;
        DIR* dir = ::opendir(encoded.constData());
        if (!dir) return;
        std::vector<std::pair<QByteArray, unsigned char>> entries;
        while (const dirent* e = ::readdir(dir)) {
            if (e->d_name[0] == '.') continue; // hidden, and "." and ".."
            entries.emplace_back(QByteArray(e->d_name), e->d_type);
        }
        ::closedir(dir);
        std::sort(entries.begin(), entries.end());
        QList<std::pair<QString, QByteArray>> subfolders;
        for (const auto& [name, type] : entries) {
            const QString childPath = path + QLatin1Char('/') + QFile::decodeName(name);
            const QByteArray childEncoded = encoded + '/' + name;
            bool isDir = type == DT_DIR;
            if (type == DT_LNK || type == DT_UNKNOWN) {
                struct stat target;
                isDir = ::stat(childEncoded.constData(), &target) == 0 && S_ISDIR(target.st_mode);
            }
            if (found) found->append({childPath, isDir});
            if (isDir) subfolders.append({childPath, childEncoded});
        }
        for (const auto& [sub, subEncoded] : subfolders)
            // Watched before it is read, so a file landing in between is heard either way.
            if (watch(sub, subEncoded)) below(sub, subEncoded);
    }
};
} // namespace

struct RecursiveWatcher::Walk {
    QHash<int, QString> paths;
    bool limitHit = false;
};

RecursiveWatcher::RecursiveWatcher(QObject* parent) : QObject(parent) {}

RecursiveWatcher::~RecursiveWatcher() {
    m_stop = true;
    if (m_walker.joinable()) m_walker.join();
    if (m_fd >= 0) ::close(m_fd);
}

bool RecursiveWatcher::start(const QString& root) {
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0) return false;
    m_root = QDir::cleanPath(root);
    const int wd = ::inotify_add_watch(m_fd, QFile::encodeName(m_root).constData(), folderMask);
    if (wd < 0) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_paths.insert(wd, m_root);
    m_watches.insert(m_root, wd);
    m_started = true;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RecursiveWatcher::readEvents);
    walkInBackground();
    return true;
}

void RecursiveWatcher::walkInBackground() {
    if (m_walking) {
        m_walkAgain = true;
        return;
    }
    m_walking = true;
    // Events wait in the kernel until the walk's watches are known here.
    m_notifier->setEnabled(false);
    if (m_walker.joinable()) m_walker.join();
    auto walk = std::make_shared<Walk>();
    walk->paths = m_paths;
    m_walker = std::thread([this, walk, fd = m_fd, root = m_root] {
        TreeWalk tree{fd, walk->paths};
        tree.stop = &m_stop;
        tree.below(root, QFile::encodeName(root));
        walk->limitHit = tree.limitHit;
        QMetaObject::invokeMethod(
            this, [this, walk] { adopt(walk); }, Qt::QueuedConnection);
    });
}

void RecursiveWatcher::adopt(std::shared_ptr<Walk> walk) {
    m_walking = false;
    m_paths = std::move(walk->paths);
    m_watches.clear();
    m_watches.reserve(m_paths.size());
    for (auto it = m_paths.cbegin(); it != m_paths.cend(); ++it)
        m_watches.insert(*it, it.key());
    if (walk->limitHit) noteLimit();
    m_notifier->setEnabled(true);
    emit walked();
    if (m_walkAgain) {
        m_walkAgain = false;
        walkInBackground();
        return;
    }
    readEvents();
}

void RecursiveWatcher::noteLimit() {
    if (m_partial) return;
    m_partial = true;
    emit limitReached();
}

void RecursiveWatcher::addTree(const QString& folder, QList<Change>* found) {
    TreeWalk tree{m_fd, m_paths};
    tree.found = found;
    const QByteArray encoded = QFile::encodeName(folder);
    if (!tree.watch(folder, encoded)) {
        if (tree.limitHit) noteLimit();
        return;
    }
    tree.below(folder, encoded);
    for (const auto& [wd, path] : std::as_const(tree.added)) {
        m_watches.remove(m_paths.value(wd));
        m_watches.insert(path, wd);
    }
    if (tree.limitHit) noteLimit();
}

void RecursiveWatcher::removeWatch(int wd) {
    const QString path = m_paths.take(wd);
    if (!path.isNull() && m_watches.value(path) == wd) m_watches.remove(path);
}

void RecursiveWatcher::renameTree(const QString& from, const QString& to) {
    const QString prefix = from + QLatin1Char('/');
    for (auto it = m_paths.begin(); it != m_paths.end(); ++it) {
        if (*it == from || it->startsWith(prefix)) {
            m_watches.remove(*it);
            *it = to + it->mid(from.size());
            m_watches.insert(*it, it.key());
        }
    }
}

void RecursiveWatcher::dropTree(const QString& folder) {
    const QString prefix = folder + QLatin1Char('/');
    QList<int> gone;
    for (auto it = m_paths.cbegin(); it != m_paths.cend(); ++it)
        if (*it == folder || it->startsWith(prefix)) gone.append(it.key());
    for (int wd : gone) {
        ::inotify_rm_watch(m_fd, wd);
        removeWatch(wd);
    }
}

void RecursiveWatcher::readEvents() {
    alignas(inotify_event) char buffer[64 * 1024];
    QList<Change> changes;
    bool overflow = false;
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0) break;
        for (ssize_t offset = 0; offset < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + e->len);
            if (e->mask & IN_Q_OVERFLOW) {
                overflow = true;
                continue;
            }
            if (e->mask & IN_IGNORED) {
                removeWatch(e->wd);
                continue;
            }
            const QString folder = m_paths.value(e->wd);
            if (folder.isNull()) continue;
            if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
                changes.append({folder, true});
                continue;
            }
            const QString name = e->len ? QFile::decodeName(e->name) : QString();
            const QString path = name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
            const bool isFolder = e->mask & IN_ISDIR;
            changes.append({path, isFolder});
            if (!isFolder || isHiddenName(name)) continue;
            if (e->mask & IN_MOVED_FROM) {
                m_movedFrom.insert(e->cookie, path);
            } else if (e->mask & IN_MOVED_TO) {
                const QString from = m_movedFrom.take(e->cookie);
                if (!from.isNull() && m_watches.contains(from))
                    renameTree(from, path);
                else
                    addTree(path, &changes);
            } else if (e->mask & IN_CREATE) {
                addTree(path, &changes);
            }
        }
    }
    // A folder moved out of the tree gets no MOVED_TO: stop watching it, or its events would come back under
    // paths that no longer exist here.
    for (const QString& gone : std::as_const(m_movedFrom))
        dropTree(gone);
    m_movedFrom.clear();
    // Folders made while events were being lost were never watched: walk the tree again.
    if (overflow) {
        walkInBackground();
        emit overflowed();
    }
    if (!changes.isEmpty()) emit changed(changes);
}
