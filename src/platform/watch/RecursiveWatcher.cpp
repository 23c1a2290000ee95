#include "RecursiveWatcher.h"

#include <QDir>
#include <QDirIterator>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace {
constexpr uint32_t folderMask = IN_CREATE | IN_DELETE | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_FROM |
                                IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

bool isHiddenName(const QString& name) {
    return name.startsWith(QLatin1Char('.'));
}
} // namespace

RecursiveWatcher::RecursiveWatcher(QObject* parent) : QObject(parent) {}

RecursiveWatcher::~RecursiveWatcher() {
    if (m_fd >= 0) ::close(m_fd);
}

bool RecursiveWatcher::start(const QString& root) {
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0) return false;
    const QString clean = QDir::cleanPath(root);
    if (!addWatch(clean)) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    addTree(clean, nullptr);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RecursiveWatcher::readEvents);
    return true;
}

bool RecursiveWatcher::addWatch(const QString& folder) {
    if (m_watches.contains(folder)) return true;
    const int wd = ::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), folderMask);
    if (wd < 0) {
        if (errno == ENOSPC && !m_partial) {
            m_partial = true;
            emit limitReached();
        }
        return false;
    }
    // A folder renamed back and forth can hand out the same descriptor again.
    if (auto old = m_paths.constFind(wd); old != m_paths.cend()) m_watches.remove(*old);
    m_paths.insert(wd, folder);
    m_watches.insert(folder, wd);
    return true;
}

void RecursiveWatcher::addTree(const QString& folder, QList<Change>* found) {
    QDirIterator it(folder, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::NoIteratorFlags);
    QStringList subfolders;
    while (it.hasNext()) {
        const QString path = it.next();
        if (isHiddenName(it.fileName())) continue;
        const bool dir = it.fileInfo().isDir();
        if (found) found->append({path, dir});
        if (dir) subfolders.append(path);
    }
    for (const QString& sub : subfolders) {
        // Watch before reading, so a file landing in between is heard either way.
        if (addWatch(sub)) addTree(sub, found);
    }
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
            if (e->mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
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
                else if (addWatch(path))
                    addTree(path, &changes);
            } else if (e->mask & IN_CREATE) {
                if (addWatch(path)) addTree(path, &changes);
            }
        }
    }
    // A folder moved out of the tree gets no MOVED_TO: stop watching it, or its events would come back under
    // paths that no longer exist here.
    for (const QString& gone : std::as_const(m_movedFrom))
        dropTree(gone);
    m_movedFrom.clear();
    if (overflow) emit overflowed();
    if (!changes.isEmpty()) emit changed(changes);
}
