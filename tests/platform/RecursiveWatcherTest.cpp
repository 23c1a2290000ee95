#include "platform/watch/RecursiveWatcher.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct Recorder {
    QStringList paths;
    explicit Recorder(RecursiveWatcher& w) {
        QObject::connect(&w, &RecursiveWatcher::changed,
                         [this](const QList<RecursiveWatcher::Change>& changes) {
                             for (const auto& c : changes)
                                 paths.append(c.path);
                         });
    }
    bool waitFor(const QString& path) {
        return QTest::qWaitFor([&] { return paths.contains(path); }, 3000);
    }
};

bool waitWalked(const RecursiveWatcher& w) {
    return QTest::qWaitFor([&] { return w.treeWatched(); }, 5000);
}
} // namespace

TEST(RecursiveWatcher, FollowsNewAndRenamedFolders) {
    TestHome home;
    const QString root = home.folder("music");
    QDir().mkpath(root + "/A/Old/Deep");
    QDir().mkpath(root + "/.hidden");
    RecursiveWatcher watcher;
    ASSERT_TRUE(watcher.start(root));
    ASSERT_TRUE(waitWalked(watcher));
    EXPECT_EQ(watcher.watchCount(), 4); // root, A, Old, Deep; not the hidden folder
    Recorder rec(watcher);

    // A folder made with a file already inside before its watch exists: the file is still reported.
    QDir().mkpath(root + "/B/C");
    TestHome::writeFile(root + "/B/C/song.mp3", "x");
    EXPECT_TRUE(rec.waitFor(root + "/B/C/song.mp3")) << rec.paths.join('\n').toStdString();
    TestHome::writeFile(root + "/B/C/later.mp3", "x");
    EXPECT_TRUE(rec.waitFor(root + "/B/C/later.mp3"));

    // A folder renamed inside the tree keeps its watches under the new path.
    ASSERT_TRUE(QDir().rename(root + "/A/Old", root + "/A/New"));
    EXPECT_TRUE(rec.waitFor(root + "/A/New"));
    TestHome::writeFile(root + "/A/New/Deep/x.flac", "x");
    EXPECT_TRUE(rec.waitFor(root + "/A/New/Deep/x.flac")) << rec.paths.join('\n').toStdString();

    // Moved out of the tree: no longer watched.
    const QString outside = home.folder("elsewhere");
    rec.paths.clear();
    ASSERT_TRUE(QDir().rename(root + "/B", outside + "/B"));
    EXPECT_TRUE(rec.waitFor(root + "/B"));
    QTest::qWait(100);
    rec.paths.clear();
    TestHome::writeFile(outside + "/B/C/gone.mp3", "x");
    TestHome::writeFile(root + "/marker.mp3", "x");
    EXPECT_TRUE(rec.waitFor(root + "/marker.mp3"));
    for (const QString& p : rec.paths)
        EXPECT_FALSE(p.contains("gone.mp3")) << p.toStdString();
}

TEST(RecursiveWatcher, MissingRootCannotBeWatched) {
    TestHome home;
    RecursiveWatcher watcher;
    EXPECT_FALSE(watcher.start(home.path() + "/nope"));
}

// Folders reached through links are watched, as the scanner walks them; a link back up the tree is not
// followed round and round, and a folder reached twice is watched once.
TEST(RecursiveWatcher, FollowsLinksOnceEach) {
    TestHome home;
    const QString root = home.folder("music");
    const QString outside = home.folder("elsewhere/Album");
    QDir().mkpath(root + "/A");
    ASSERT_TRUE(QFile::link(outside, root + "/Linked"));
    ASSERT_TRUE(QFile::link(outside, root + "/A/Again"));
    ASSERT_TRUE(QFile::link(root, root + "/A/Loop"));
    RecursiveWatcher watcher;
    ASSERT_TRUE(watcher.start(root));
    ASSERT_TRUE(waitWalked(watcher));
    EXPECT_EQ(watcher.watchCount(), 3); // root, A and the linked album
    Recorder rec(watcher);
    TestHome::writeFile(outside + "/new.mp3", "x");
    EXPECT_TRUE(rec.waitFor(root + "/A/Again/new.mp3") || rec.waitFor(root + "/Linked/new.mp3"))
        << rec.paths.join('\n').toStdString();
}

// Events lost to a full kernel queue may have been new folders: after an overflow the tree is walked
// again, so a folder made while events were lost is watched all the same.
TEST(RecursiveWatcher, WalksAgainAfterAnOverflow) {
    TestHome home;
    const QString root = home.folder("music");
    QDir().mkpath(root + "/A");
    RecursiveWatcher watcher;
    ASSERT_TRUE(watcher.start(root));
    ASSERT_TRUE(waitWalked(watcher));
    QSignalSpy overflows(&watcher, &RecursiveWatcher::overflowed);

    // The event loop does not run here, so nothing is read: each file makes two events (create and close),
    // more than the kernel keeps (16384 on this kind of system), and the folder made last is lost with them.
    int limit = 16384;
    if (QFile f("/proc/sys/fs/inotify/max_queued_events"); f.open(QIODevice::ReadOnly))
        limit = f.readAll().trimmed().toInt();
    for (int i = 0; i < limit / 2 + 100; ++i)
        TestHome::writeFile(root + QString("/A/%1.txt").arg(i), "");
    QDir().mkpath(root + "/A/Late");

    ASSERT_TRUE(QTest::qWaitFor([&] { return overflows.count() > 0; }, 5000));
    ASSERT_TRUE(waitWalked(watcher));
    EXPECT_EQ(watcher.watchCount(), 3);
    Recorder rec(watcher);
    TestHome::writeFile(root + "/A/Late/song.mp3", "x");
    EXPECT_TRUE(rec.waitFor(root + "/A/Late/song.mp3"));
}
