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
} // namespace

TEST(RecursiveWatcher, FollowsNewAndRenamedFolders) {
    TestHome home;
    const QString root = home.folder("music");
    QDir().mkpath(root + "/A/Old/Deep");
    QDir().mkpath(root + "/.hidden");
    RecursiveWatcher watcher;
    ASSERT_TRUE(watcher.start(root));
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
