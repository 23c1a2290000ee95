#include "FolderWatcher.h"

#include "LibraryScanner.h"
#include "platform/watch/RecursiveWatcher.h"

#include <QFileInfo>

FolderWatcher::FolderWatcher(std::function<void()> onChange, int latencyMs)
    : m_onChange(std::move(onChange)) {
    m_batch.setSingleShot(true);
    m_batch.setInterval(latencyMs);
    connect(&m_batch, &QTimer::timeout, this, &FolderWatcher::deliver);
}

FolderWatcher::~FolderWatcher() = default;

std::unique_ptr<FolderWatcher> FolderWatcher::make(const FileUrl& folder, std::function<void()> onChange,
                                                   int latencyMs) {
    std::unique_ptr<FolderWatcher> watcher(new FolderWatcher(std::move(onChange), latencyMs));
    auto* inotify = new RecursiveWatcher(watcher.get());
    connect(inotify, &RecursiveWatcher::limitReached, watcher.get(), &FolderWatcher::limitReached);
    FolderWatcher* self = watcher.get();
    connect(inotify, &RecursiveWatcher::changed, self,
            [self](const QList<RecursiveWatcher::Change>& changes) {
                if (self->m_pending) return;
                for (const auto& c : changes) {
                    if (counts(c.path, c.isFolder)) {
                        self->m_pending = true;
                        break;
                    }
                }
                if (self->m_pending && !self->m_batch.isActive()) self->m_batch.start();
            });
    // Lost events may have been anything.
    connect(inotify, &RecursiveWatcher::overflowed, self, [self] {
        self->m_pending = true;
        if (!self->m_batch.isActive()) self->m_batch.start();
    });
    if (!inotify->start(folder.path)) return nullptr;
    watcher->m_watcher = inotify;
    return watcher;
}

bool FolderWatcher::partial() const {
    return m_watcher && m_watcher->partial();
}

void FolderWatcher::deliver() {
    if (!m_pending) return;
    m_pending = false;
    if (m_onChange) m_onChange();
}

bool FolderWatcher::counts(const QString& path, bool isFolder) {
    if (path.contains(QLatin1String(".musiclibrary"))) return false;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        if (part.startsWith(QLatin1Char('.'))) return false;
    // Any folder counts, even one whose name looks like it has an extension ("Vol. 2").
    if (isFolder) return true;
    const QString last = parts.isEmpty() ? QString() : parts.last();
    const qsizetype dot = last.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot == last.size() - 1) return true;
    return LibraryScanner::isPlayable(last);
}
