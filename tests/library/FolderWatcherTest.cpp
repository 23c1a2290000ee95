#include "library/FolderWatcher.h"
#include "support/TestHome.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

struct CountsCase {
    const char* path;
    bool isFolder;
    bool counts;
};

class FolderWatcherFilter : public ::testing::TestWithParam<CountsCase> {};

TEST_P(FolderWatcherFilter, Counts) {
    const auto& c = GetParam();
    EXPECT_EQ(FolderWatcher::counts(c.path, c.isFolder), c.counts) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderWatcherFilter,
    ::testing::Values(CountsCase{"/m/a/song.mp3", false, true}, CountsCase{"/m/a/SONG.MP3", false, true},
                      CountsCase{"/m/a/song.m4b", false, true}, CountsCase{"/m/a/.song.mp3", false, false},
                      CountsCase{"/m/.sync/a/song.mp3", false, false},
                      CountsCase{"/m/Lib.musiclibrary/x.mp3", false, false},
                      CountsCase{"/m/Lib.musiclibrary", true, false},
                      CountsCase{"/m/a/cover.jpg", false, false}, CountsCase{"/m/a/notes.txt", false, false},
                      CountsCase{"/m/a/README", false, true}, CountsCase{"/m/Vol. 2", true, true},
                      CountsCase{"/m/new folder", true, true},
                      CountsCase{"/home/u/.music/a/song.mp3", false, false}));

namespace {
struct Notices {
    int count = 0;
    std::function<void()> callback() {
        return [this] { ++count; };
    }
};
constexpr int latency = 150;
// Long enough for any batch that was going to come.
void quiet() {
    QTest::qWait(latency * 4);
}
} // namespace

TEST(FolderWatcher, IgnoresWhatCannotBeSongs) {
    TestHome home;
    const QString root = home.folder("music");
    QDir().mkpath(root + "/Album");
    Notices n;
    auto watcher = FolderWatcher::make(FileUrl::fromPath(root), n.callback(), latency);
    ASSERT_TRUE(watcher);
    TestHome::writeFile(root + "/Album/.DS_Store", "x");
    TestHome::writeFile(root + "/Album/cover.jpg", "x");
    TestHome::writeFile(root + "/Album/notes.txt", "x");
    QDir().mkpath(root + "/Lib.musiclibrary");
    quiet();
    // The package folder's own creation is a folder event, but inside ".musiclibrary": ignored as well.
    EXPECT_EQ(n.count, 0);
}

TEST(FolderWatcher, OneNoticePerBatchAndNothingAfterDrop) {
    TestHome home;
    const QString root = home.folder("music");
    Notices n;
    auto watcher = FolderWatcher::make(FileUrl::fromPath(root), n.callback(), latency);
    ASSERT_TRUE(watcher);

    QDir().mkpath(root + "/Empty");
    EXPECT_TRUE(QTest::qWaitFor([&] { return n.count == 1; }, 3000));

    QDir().mkpath(root + "/Later/Sub");
    quiet();
    n.count = 0;
    TestHome::writeFile(root + "/Later/Sub/track.MP3", "x");
    EXPECT_TRUE(QTest::qWaitFor([&] { return n.count == 1; }, 3000));

    quiet();
    n.count = 0;
    // The writes run without the event loop, so their events wait in the queue and are read together: one
    // batch, however slowly the machine writes. The notice is awaited rather than timed, then a quiet spell
    // shows that no second one follows.
    for (int i = 0; i < 100; ++i)
        TestHome::writeFile(root + QString("/Later/%1.flac").arg(i), "x");
    EXPECT_TRUE(QTest::qWaitFor([&] { return n.count >= 1; }, 5000));
    quiet();
    EXPECT_EQ(n.count, 1);

    watcher.reset();
    n.count = 0;
    TestHome::writeFile(root + "/after.mp3", "x");
    quiet();
    EXPECT_EQ(n.count, 0);
}

TEST(FolderWatcher, MissingFolderGivesNoWatcher) {
    TestHome home;
    EXPECT_FALSE(FolderWatcher::make(FileUrl::fromPath(home.path() + "/missing"), [] {}));
}
