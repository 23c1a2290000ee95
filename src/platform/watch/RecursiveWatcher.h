#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <thread>

class QSocketNotifier;

// Watches a folder tree with inotify, which watches single folders only: one watch per folder, new folders
// are watched as they appear (and what landed in them before the watch is reported), folder moves inside
// the tree keep their watches under the new path. Hidden folders are not watched: nothing in them matters.
// Folders reached through symbolic links are watched like the scanner walks them, each folder once under
// the first path that reached it, which also ends link loops.
//
// The root is watched at once; the tree below it (thousands of folders in a large library) is walked on a
// worker thread, and again after the kernel's event queue overflowed, since folders made meanwhile were
// never heard of. Events wait in the kernel's queue during a walk and are read when it is done.
class RecursiveWatcher : public QObject {
    Q_OBJECT
public:
    struct Change {
        QString path;
        bool isFolder = false;
    };

    explicit RecursiveWatcher(QObject* parent = nullptr);
    ~RecursiveWatcher() override;

    // False when inotify cannot be used at all or the root cannot be watched.
    bool start(const QString& root);
    // True once the walk below the root is done (until a re-walk starts).
    bool treeWatched() const { return m_started && !m_walking; }
    // True once some folder could not be watched because the system's watch limit was reached.
    bool partial() const { return m_partial; }
    int watchCount() const { return int(m_paths.size()); }

signals:
    void changed(const QList<RecursiveWatcher::Change>& changes);
    // The kernel's event queue overflowed: anything may have changed.
    void overflowed();
    // Emitted once, the first time a folder could not be watched for lack of watches.
    void limitReached();
    // The walk below the root (the first one, or one after an overflow) is done.
    void walked();

private:
    struct Walk;
    void readEvents();
    void walkInBackground();
    void adopt(std::shared_ptr<Walk> walk);
    // Watches `folder` and every non-hidden folder below; files found are appended to `found` when given.
    void addTree(const QString& folder, QList<Change>* found);
    void noteLimit();
    void removeWatch(int wd);
    void renameTree(const QString& from, const QString& to);
    void dropTree(const QString& folder);

    int m_fd = -1;
    QString m_root;
    QSocketNotifier* m_notifier = nullptr;
    QHash<int, QString> m_paths;
    QHash<QString, int> m_watches;
    // Folder moves arrive as a MOVED_FROM and a MOVED_TO with one cookie.
    QHash<quint32, QString> m_movedFrom;
    bool m_partial = false;
    bool m_started = false;
    bool m_walking = false;
    bool m_walkAgain = false;
    std::thread m_walker;
    std::atomic<bool> m_stop{false};
};
