#include "quickplay/LibraryStatus.h"
#include "quickplay/QuickplayMetrics.h"

#include "core/Defaults.h"
#include "library/PlaylistLibrary.h"
#include "support/TestHome.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

namespace {

using QuickplayView::Half;

TEST(QuickplayMetrics, heightsRoundHalvesAwayFromZero) {
    struct Case {
        double scale;
        double collection;
        double smartDJ;
    };
    // 1.125 puts 4 × scale and 132 × scale on halves (4.5, 148.5): banker's rounding would give 268.18 − 1
    // and 172.
    for (const Case& c : {Case{1, 240.16, 156}, Case{2, 456.32, 288}, Case{1.125, 268.18, 173}}) {
        SCOPED_TRACE(c.scale);
        const QuickplayMetrics m{c.scale};
        EXPECT_NEAR(m.height(Half::collection), c.collection, 1e-9);
        EXPECT_DOUBLE_EQ(m.height(Half::smartDJ), c.smartDJ);
    }
}

TEST(QuickplayMetrics, cutSizes) {
    const QuickplayMetrics one{1};
    EXPECT_EQ(one.u(), 78);
    EXPECT_EQ(one.gap(), 4);
    EXPECT_EQ(one.tileSize(ColumnCut::big, 0), QSizeF(140, 140));
    EXPECT_EQ(one.tileSize(ColumnCut::medium, 0), QSizeF(109, 109));
    EXPECT_EQ(one.tileSize(ColumnCut::pair, 1), QSizeF(78, 78));
    EXPECT_EQ(one.tileSize(ColumnCut::wide, 0), QSizeF(140, 78));
    EXPECT_EQ(one.tileSize(ColumnCut::wide, 1), QSizeF(78, 78));
    EXPECT_TRUE(one.tileSize(ColumnCut::big, 1).isEmpty());

    const QuickplayMetrics half{1.5};
    EXPECT_EQ(half.u(), 117);
    EXPECT_EQ(half.gap(), 6);
    EXPECT_EQ(half.tileSize(ColumnCut::big, 0), QSizeF(211, 211));
    EXPECT_EQ(half.tileSize(ColumnCut::medium, 0), QSizeF(164, 164));
}

TEST(QuickplayMetrics, halvesAndArrivalTiming) {
    EXPECT_EQ(QuickplayView::rawValue(Half::smartDJ), QStringLiteral("smartDJ"));
    EXPECT_EQ(QuickplayView::halfFromRaw("collection"), Half::collection);
    EXPECT_EQ(QuickplayView::halfFromRaw("smartDJ"), Half::smartDJ);
    EXPECT_EQ(QuickplayView::halfFromRaw("SmartDJ"), std::nullopt);
    EXPECT_NEAR(Arrival::delaySeconds(0), 0.05, 1e-12);
    EXPECT_NEAR(Arrival::delaySeconds(3), 0.116, 1e-12);
    EXPECT_NEAR(QuickplayLook::arrivalDelayMs(10), 270, 1e-9);
    EXPECT_EQ(QuickplayLook().slideMs(), 300);
    // The cubic through (0.1, 0.9) and (0.2, 1.0): halfway along its parameter it stands at
    // (0.2375, 0.8375).
    const QEasingCurve slide = Arrival::slide();
    EXPECT_NEAR(slide.valueForProgress(0.2375), 0.8375, 1e-3);
    EXPECT_DOUBLE_EQ(slide.valueForProgress(1), 1);
}

TEST(LibraryStatus, statusTextInOrder) {
    struct Case {
        const char* name;
        std::optional<QString> import;
        bool scanning;
        ScanProgress progress;
        QString want;
    };
    const QList<Case> cases{
        {"an import status beats the scan",
         QStringLiteral("looking at what you dropped"),
         true,
         {25, 1200},
         "looking at what you dropped"},
        {"an import status without a scan",
         QStringLiteral("no songs in what you dropped"),
         false,
         {},
         "no songs in what you dropped"},
        {"nothing counted yet", std::nullopt, true, {0, 0}, "looking for songs"},
        {"progress in plain digits", std::nullopt, true, {25, 1200}, "reading 25 of 1200 songs"},
        {"a finished scan says nothing", std::nullopt, false, {1200, 1200}, ""},
    };
    // A locale that groups thousands ("1.200") must not reach the digits.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LibraryStatus::statusText(c.import, c.scanning, c.progress), c.want);
    }
    QLocale::setDefault(before);
}

// A scanner the test holds inside the scan until it lets go, reporting the progress it was given.
struct HeldScanner {
    std::mutex mutex;
    std::condition_variable cv;
    bool held = true;
    QList<Song> found;

    LibraryStore::ScanFunction function() {
        return [this](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress& progress) {
            progress(0, 0);
            std::unique_lock lock(mutex);
            cv.wait(lock, [this] { return !held; });
            progress(25, 1200);
            return found;
        };
    }
    void release() {
        {
            std::lock_guard lock(mutex);
            held = false;
        }
        cv.notify_all();
    }
};

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 5000);
}

TEST(LibraryStatus, emptyLibraryFollowsAScanThatFindsNothing) {
    TestHome home;
    Defaults defaults;
    defaults.set(QStringLiteral("libraryFolder"), home.folder(QStringLiteral("Music")));
    HeldScanner scanner;
    LibraryStore library(defaults, scanner.function());
    LibraryStatus status;
    status.setLibrary(&library);
    QSignalSpy changes(&status, &LibraryStatus::changed);

    EXPECT_EQ(status.title(), QStringLiteral("your music goes here"));
    EXPECT_TRUE(status.offersButtons());
    EXPECT_TRUE(status.text().isEmpty());
    EXPECT_EQ(status.explanation(), QStringLiteral("VELTO looks for songs in ") + library.folder().path +
                                        ", and keeps an eye on it for new ones. You can also drop songs or "
                                        "folders on this window to copy them in.");

    library.scan();
    ASSERT_TRUE(waitFor([&] { return library.scanning(); }));
    EXPECT_EQ(status.title(), QStringLiteral("reading your music"));
    EXPECT_FALSE(status.offersButtons());
    ASSERT_TRUE(waitFor([&] { return status.text() == QStringLiteral("looking for songs"); }));
    EXPECT_GT(changes.count(), 0);

    scanner.release();
    ASSERT_TRUE(waitFor([&] { return !library.scanning(); }));
    EXPECT_TRUE(library.songs().isEmpty());
    EXPECT_EQ(status.title(), QStringLiteral("your music goes here"));
    EXPECT_TRUE(status.offersButtons());
    EXPECT_TRUE(status.text().isEmpty());
}

} // namespace
