#include "pocketplayer/SyncRun.h"
#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "pocketplayer/PlayerSummaryPage.h"
#include "pocketplayer/SyncStatus.h"
#include "shell/AppModel.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Time moves only when the test says so.
class FakeClock : public RunClock {
public:
    void after(double seconds, QObject* context, std::function<void()> wake) override {
        waits.push_back({now_ + seconds, QPointer<QObject>(context), std::move(wake)});
        lastWait = seconds;
    }
    double now() const override { return wall + now_; }

    // Wakes, in time order, whatever falls due within `seconds`; returns how many woke.
    int advance(double seconds) {
        const double until = now_ + seconds + 1e-9;
        int woke = 0;
        while (true) {
            auto next = std::min_element(waits.begin(), waits.end(),
                                         [](const Wait& a, const Wait& b) { return a.due < b.due; });
            if (next == waits.end() || next->due > until) break;
            Wait w = std::move(*next);
            waits.erase(next);
            now_ = w.due;
            if (w.context) w.wake();
            ++woke;
        }
        now_ = until;
        return woke;
    }

    double wall = 1.7e9;
    double lastWait = 0;

private:
    struct Wait {
        double due;
        QPointer<QObject> context;
        std::function<void()> wake;
    };
    std::vector<Wait> waits;
    double now_ = 0;
};

QList<Song> numbered(int n) {
    QList<Song> out;
    for (int i = 1; i <= n; ++i)
        out.append(makeSong(QStringLiteral("/m/%1.mp3").arg(i), "artist", "album",
                            QStringLiteral("song %1").arg(i)));
    return out;
}

struct Recorded {
    std::vector<std::pair<SyncRun::Phase, int>> states;
    std::vector<double> finished;
};

TEST(SyncRun, CountsThroughTheSongsInAtMost150EqualSteps) {
    struct Case {
        int songs;
        int steps;
        double step;
        std::vector<int> firstCounts;
    };
    const Case cases[] = {
        {1, 1, 3.0, {1}},
        {10, 10, 0.3, {1, 2, 3}},
        {100, 100, 0.08, {1, 2, 3}},
        {1000, 150, 0.08, {6, 13, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.songs);
        auto clock = std::make_shared<FakeClock>();
        Recorded seen;
        SyncRun run(clock, [&](double at) { seen.finished.push_back(at); });
        QObject::connect(&run, &SyncRun::changed,
                         [&] { seen.states.emplace_back(run.phase(), run.count()); });
        EXPECT_EQ(SyncRun::steps(c.songs), c.steps);
        EXPECT_NEAR(SyncRun::stepSeconds(c.songs), c.step, 1e-12);

        run.start(numbered(c.songs));
        ASSERT_EQ(seen.states.front(), std::make_pair(SyncRun::Phase::copying, 0));
        EXPECT_NEAR(clock->lastWait, c.step, 1e-12);
        // Nothing moves before the first step is due.
        EXPECT_EQ(clock->advance(c.step * 0.99), 0);
        clock->advance(c.step * 0.01 + c.step * (c.firstCounts.size() - 1));
        for (size_t i = 0; i < c.firstCounts.size(); ++i)
            EXPECT_EQ(seen.states.at(1 + i).second, c.firstCounts[i]);
        clock->advance(100);
        ASSERT_EQ(seen.states.size(), size_t(1 + c.steps + 1));
        EXPECT_EQ(seen.states.at(c.steps), std::make_pair(SyncRun::Phase::copying, c.songs));
        EXPECT_EQ(seen.states.back(), std::make_pair(SyncRun::Phase::done, c.songs));
        // The whole run takes 0.08 s a song, at least 3 and at most 12.
        ASSERT_EQ(seen.finished.size(), 1u);
        EXPECT_NEAR(seen.finished[0] - clock->wall, std::clamp(0.08 * c.songs, 3.0, 12.0), 1e-6);
    }
}

TEST(SyncRun, StopKeepsTheCountAndWritesNothing) {
    auto clock = std::make_shared<FakeClock>();
    int finished = 0;
    SyncRun run(clock, [&](double) { ++finished; });
    run.start({});
    EXPECT_EQ(run.phase(), SyncRun::Phase::idle); // nothing to copy: nothing starts

    run.start(numbered(200));
    // 200 songs: 150 steps of 0.08 s, 200·s/150 songs after step s; 37 after step 28.
    clock->advance(28 * 0.08);
    ASSERT_EQ(run.count(), 37);
    bool animated = false;
    QObject::connect(&run, &SyncRun::changed, [&](bool a) { animated = a; });
    run.stop();
    EXPECT_EQ(run.phase(), SyncRun::Phase::stopped);
    EXPECT_EQ(run.count(), 37);
    EXPECT_TRUE(animated);
    clock->advance(100);
    EXPECT_EQ(run.phase(), SyncRun::Phase::stopped);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(SyncStatus::bigLine(run.phase(), run.count(), 200, {}), "after 37 of 200 songs");

    // A new run starts from nothing with a fresh copy of the songs.
    run.start(numbered(3));
    EXPECT_EQ(run.phase(), SyncRun::Phase::copying);
    EXPECT_EQ(run.count(), 0);
    EXPECT_EQ(run.songs().size(), 3);
}

TEST(SyncRun, TheSystemClockGivesSecondsSince1970) {
    const double now = RunClock::system()->now();
    EXPECT_NEAR(now, double(QDateTime::currentSecsSinceEpoch()), 1.0);
}

TEST(SyncStatus, SummaryNamesWhatElseTheSyncDid) {
    SyncPlan plan;
    const QList<Song> going = numbered(20);
    plan.going = going;
    for (int i = 0; i < 12; ++i)
        plan.converted.insert(going[i].url);
    plan.left = numbered(40);
    EXPECT_EQ(SyncStatus::doneSummary(going, plan), QString::fromUtf8("12 converted to AAC · 40 didn't fit"));
    plan.unplayable = numbered(2);
    EXPECT_EQ(SyncStatus::doneSummary(going.mid(12), plan),
              QString::fromUtf8("40 didn't fit · 2 can't play"));
    EXPECT_EQ(SyncStatus::doneSummary(going, SyncPlan()), "Your player matches your collection.");

    EXPECT_EQ(SyncStatus::bigLine(SyncRun::Phase::done, 1, 1, {}), "1 song copied");
    EXPECT_EQ(SyncStatus::bigLine(SyncRun::Phase::done, 2, 2, {}), "2 songs copied");
    EXPECT_EQ(SyncStatus::bigLine(SyncRun::Phase::stopped, 0, 1, {}), "after 0 of 1 songs");
    EXPECT_EQ(SyncStatus::bigLine(SyncRun::Phase::copying, 3, 10, {}), "copying 3 of 10");
    EXPECT_EQ(SyncStatus::heading(SyncRun::Phase::idle), "last sync");
}

TEST(SyncStatus, WhenSaysTheDayInTheUsersWords) {
    const QDateTime now(QDate(2026, 3, 20), QTime(18, 0));
    const auto at = [](QDate d, QTime t) { return double(QDateTime(d, t).toSecsSinceEpoch()); };
    const QLocale us(QLocale::English, QLocale::UnitedStates), de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(SyncStatus::when(at({2026, 3, 20}, {9, 5}), now, us, "en_US"), "today, 9:05 am");
    EXPECT_EQ(SyncStatus::when(at({2026, 3, 19}, {23, 30}), now, us, "en_US"), "yesterday, 11:30 pm");
    EXPECT_EQ(SyncStatus::when(at({2026, 3, 4}, {15, 41}), now, us, "en_US"), "march 4, 3:41 pm");
    EXPECT_EQ(SyncStatus::when(at({2026, 3, 4}, {15, 41}), now, de, "de_DE"),
              QString::fromUtf8("4. märz, 15:41"));
    for (const double bad : {0.0, -1.0, std::nan(""), 1e300, double(INFINITY)})
        EXPECT_EQ(SyncStatus::when(bad, now, us, "en_US"), "never") << bad;

    qputenv("LC_ALL", "");
    qputenv("LC_TIME", "de_DE.UTF-8");
    EXPECT_EQ(SyncStatus::userDateLocale(), "de_DE");
    qputenv("LC_ALL", "fr_FR@euro");
    EXPECT_EQ(SyncStatus::userDateLocale(), "fr_FR");
    qunsetenv("LC_ALL");
    qunsetenv("LC_TIME");
}

// The summary page over real stores in a private home, with a fake clock for its runs and a scan that finds
// the songs the test gives.
struct PageRig {
    TestHome home;
    QString music = home.folder("Music");
    Defaults defaults;
    QList<Song> found;
    std::unique_ptr<LibraryStore> library;
    PlaylistStore playlists;
    PlayerMusic picks{defaults};
    AppModel app{defaults};
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();

    PageRig() {
        defaults.set("libraryFolder", music);
        library = std::make_unique<LibraryStore>(defaults,
                                                 [this](const FileUrl&, const QHash<QString, Song>&,
                                                        const LibraryScanner::Progress&) { return found; });
        // A first scan may start by itself; the songs change only between scans.
        EXPECT_TRUE(QTest::qWaitFor([&] { return library->loaded() && !library->scanning(); }, 10000));
    }
    void scan(int songs) {
        found.clear();
        for (int i = 1; i <= songs; ++i)
            found.append(makeSong(music + QStringLiteral("/a/%1.mp3").arg(i), "artist", "album",
                                  QStringLiteral("song %1").arg(i)));
        library->scan();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !library->scanning() && library->songs().size() == songs; }, 10000));
    }
    std::unique_ptr<PlayerSummaryPage> page() {
        auto p = std::make_unique<PlayerSummaryPage>(
            PlayerSummaryPage::Stores{&defaults, library.get(), &playlists, &picks, nullptr, &app}, clock);
        waitForPlan(*p);
        return p;
    }
    // The plan is worked out on a worker and arrives through the event loop.
    static void waitForPlan(PlayerSummaryPage& page) {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !page.planning(); }, 5000));
    }
};

TEST(SummaryPage, PlansWhenMadeAndWhenItsKeyChanges) {
    PageRig rig;
    ASSERT_FALSE(rig.app.samplePlayer());
    auto page = rig.page();
    EXPECT_EQ(page->plansStarted(), 1); // planned with no player picked too
    EXPECT_EQ(page->capacityText(), "4GB");
    EXPECT_EQ(page->capacityBytes(), 3'720'000'000);
    EXPECT_EQ(page->planKey(), QStringLiteral("0 all %1 3720000000 stop true 256").arg(qHash(QString(), 0)));
    EXPECT_FALSE(page->canSync());

    rig.scan(3);
    PageRig::waitForPlan(*page);
    EXPECT_EQ(page->plan().going.size(), 3);
    EXPECT_TRUE(page->canSync());

    // A setting of the key replans; one outside it does not.
    rig.defaults.set(SettingKeys::syncQuality, 128);
    PageRig::waitForPlan(*page);
    EXPECT_EQ(page->plansStarted(), 3);
    rig.defaults.set(SettingKeys::playerName, "pocket");
    QCoreApplication::processEvents();
    EXPECT_EQ(page->plansStarted(), 3);
    EXPECT_EQ(page->name(), "pocket");

    // Under "all" a new pick makes the same plan; under "choose" the picks are what goes on.
    const SyncPlan before = page->plan();
    rig.picks.add({PlayerPick::song(rig.library->songs().at(0))}, [](const QString&) {});
    PageRig::waitForPlan(*page);
    EXPECT_EQ(page->plansStarted(), 4);
    EXPECT_EQ(page->plan(), before);
    rig.defaults.set(SettingKeys::syncMusic, "choose");
    PageRig::waitForPlan(*page);
    EXPECT_EQ(page->plan().going.size(), 1);
    rig.picks.add({PlayerPick::song(rig.library->songs().at(1))}, [](const QString&) {});
    PageRig::waitForPlan(*page);
    EXPECT_EQ(page->plan().going.size(), 2);
}

TEST(SummaryPage, ATagEditAtEqualSongCountWaitsForTheNextVisit) {
    PageRig rig;
    rig.scan(2);
    auto page = rig.page();
    const int plans = page->plansStarted();
    const Song first = page->plan().going.at(0);
    rig.library->rename(first, "renamed");
    ASSERT_EQ(rig.library->song(first.url.path)->title, "renamed");
    QTest::qWait(50);
    EXPECT_EQ(page->plansStarted(), plans);
    EXPECT_EQ(page->plan().going.at(0).title, first.title);
    // The next visit makes a new page, which plans afresh.
    page = rig.page();
    EXPECT_EQ(page->plan().going.at(0).title, "renamed");
}

TEST(SummaryPage, RunsAPreviewAndRemembersWhenItFinished) {
    PageRig rig;
    auto empty = rig.page();
    empty->startSync(); // nothing to copy: no run, no "sync now"
    EXPECT_FALSE(empty->isCopying());
    EXPECT_FALSE(empty->canSync());
    EXPECT_EQ(empty->bigLine(), "never");

    rig.scan(1);
    auto page = rig.page();
    ASSERT_TRUE(page->canSync());
    page->startSync();
    EXPECT_EQ(page->heading(), "syncing");
    EXPECT_EQ(page->bigLine(), "copying 0 of 1");
    EXPECT_FALSE(page->showsSong());
    EXPECT_FALSE(page->canSync());
    rig.clock->advance(2.9);
    EXPECT_EQ(page->bigLine(), "copying 0 of 1");
    QSignalSpy ended(page.get(), &PlayerSummaryPage::runEnded);
    rig.clock->advance(0.1);
    EXPECT_EQ(page->heading(), "synced");
    EXPECT_EQ(page->bigLine(), "1 song copied");
    EXPECT_EQ(page->doneSummary(), "Your player matches your collection.");
    EXPECT_EQ(ended.size(), 1);
    EXPECT_DOUBLE_EQ(rig.defaults.declared(SettingKeys::syncLast).toDouble(), rig.clock->wall + 3.0);
    EXPECT_TRUE(page->canSync());

    // The song row shows the song copied last while the run is under way.
    rig.scan(200);
    PageRig::waitForPlan(*page);
    page->startSync();
    rig.clock->advance(28 * 0.08);
    EXPECT_EQ(page->bigLine(), "copying 37 of 200");
    EXPECT_TRUE(page->showsSong());
    EXPECT_EQ(page->songTitle(), page->run().songs().at(36).title);
    EXPECT_NEAR(page->progress(), 37.0 / 200, 1e-12);
    page->stopSync();
    EXPECT_EQ(page->heading(), "sync stopped");
    EXPECT_EQ(page->bigLine(), "after 37 of 200 songs");
    EXPECT_DOUBLE_EQ(rig.defaults.declared(SettingKeys::syncLast).toDouble(), rig.clock->wall + 3.0);

    // Leaving the page mid-run ends it: nothing is written after.
    page->startSync();
    rig.clock->advance(1);
    page.reset();
    rig.clock->advance(100);
    EXPECT_DOUBLE_EQ(rig.defaults.declared(SettingKeys::syncLast).toDouble(), rig.clock->wall + 3.0);
    // And the next visit starts idle with the last finished time.
    page = rig.page();
    EXPECT_EQ(page->heading(), "last sync");
    EXPECT_NE(page->bigLine(), "never");
}

TEST(SummaryPage, ShowsThePickedPlayer) {
    PageRig rig;
    rig.defaults.set(SettingKeys::playerModel, "hd");
    rig.defaults.set(SettingKeys::playerFinish, "red");
    rig.defaults.set(SettingKeys::playerCapacity, 64);
    auto page = rig.page();
    EXPECT_EQ(page->statusName(), QString::fromUtf8("ivra hd 64 · red"));
    EXPECT_EQ(page->capacityText(), "64GB");
    EXPECT_EQ(page->name(), "my player");
    QSignalSpy changed(page.get(), &PlayerSummaryPage::playerChanged);
    rig.defaults.set(SettingKeys::playerModel, "flash");
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(page->modelText(), "flash");
    EXPECT_EQ(page->capacityText(), "4GB"); // 64 is no flash size
    rig.defaults.set(SettingKeys::playerName, "");
    EXPECT_EQ(page->name(), "");
    page->openSettings();
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.app.page() == Nav::Page::playerSettings; }, 1000));
}

} // namespace
