#include "core/Defaults.h"
#include "platform/gst/GstMediaBackend.h"
#include "playback/Player.h"
#include "support/TestHome.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>

namespace {
Song fileSong(const QString& path, double duration = 2.0) {
    Song song;
    song.url = FileUrl::fromPath(path);
    song.title = QFileInfo(path).fileName();
    song.albumArtist = QStringLiteral("Test Artist");
    song.duration = duration;
    return song;
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
} // namespace

TEST(PlayerPlayback, SongsPlayToTheirEndAndTheNextStarts) {
    TestHome home;
    Defaults defaults;
    GstMediaBackend engine(QStringLiteral("fakesink sync=true"));
    Player player(defaults, engine);
    const QStringList formats{"mp3", "flac", "m4a", "ogg", "wav"};
    QList<Song> queue;
    for (const QString& format : formats)
        queue.append(fileSong(fixturePath("tone." + format)));

    // Each song is sought close to its end as soon as it is loaded, before the engine is ready for it.
    QObject::connect(&player, &Player::historyPathsChanged, [&] { player.seek(1.6); });
    player.play(queue, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.isPlaying(); }, 15000));
    EXPECT_EQ(player.index(), 4);
    EXPECT_EQ(player.position(), 0);
    EXPECT_FALSE(player.notice()) << player.noticeText().toStdString();
    const QList<Listen> listens = player.log().listens();
    ASSERT_EQ(listens.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(listens[i].path, queue[i].path());
        EXPECT_GE(listens[i].seconds, 1.6) << formats[i].toStdString(); // played on from the seek
    }
    for (const Song& song : queue)
        EXPECT_EQ(player.plays(song), 1);
}

TEST(PlayerPlayback, MissingFileIsReportedAndNothingClaimsToPlay) {
    TestHome home;
    Defaults defaults;
    GstMediaBackend engine(QStringLiteral("fakesink sync=true"));
    Player player(defaults, engine);
    Song missing = fileSong(home.path() + "/gone.mp3");
    missing.title = QStringLiteral("Gone");
    player.play({missing, fileSong(fixturePath("tone.ogg"))}, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !player.isPlaying(); }, 5000));
    EXPECT_EQ(player.noticeText(), QStringLiteral("couldn't play \u201CGone\u201D"));
    EXPECT_EQ(player.index(), 0);
    EXPECT_EQ(player.plays(missing), 1);

    // The user moves on and the next song plays.
    player.next();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.position() > 0.3; }, 3000));
    EXPECT_TRUE(player.isPlaying());
}

// The corpus in four shards, each its own test program run, so ctest can run them side by side. Within a
// shard one player goes through its files in a queue, the way a user would: several pipelines that decode
// with libav at once in one process can block each other on its global lock, which one player never does.
class CorpusShard : public ::testing::TestWithParam<int> {};

TEST_P(CorpusShard, EveryFileEndsOrIsReportedAndTheProcessGoesIdle) {
    constexpr int shards = 4;
    QStringList all;
    for (const QFileInfo& info :
         QDir(corpusPath()).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        if (info.fileName() != "README.md") all.append(info.absoluteFilePath());
    ASSERT_GT(all.size(), 100);
    QList<Song> files;
    for (int i = GetParam(); i < all.size(); i += shards)
        files.append(fileSong(all[i]));

    TestHome home;
    Defaults defaults;
    // As fast as the decoder goes: what matters is that every file comes to an end or is given up on,
    // including those that keep the decoder busy forever without reaching either.
    GstMediaBackend engine(QStringLiteral("fakesink sync=false"));
    Player player(defaults, engine);
    int reported = 0;
    QObject::connect(&player, &Player::noticeChanged, [&] { ++reported; });
    player.play(files, 0);
    int at = 0;
    for (;;) {
        const bool moved = QTest::qWaitFor([&] { return !player.isPlaying() || player.index() != at; },
                                           Player::defaultStallLimitMs + 5000);
        ASSERT_TRUE(moved) << "stuck on " << files[at].path().toStdString();
        if (player.index() != at) { // it ended and the next one started
            at = player.index();
            continue;
        }
        if (at == files.size() - 1) break;
        player.next();
        at = player.index();
    }
    EXPECT_EQ(player.plays(files.last()), 1);
    EXPECT_GT(reported, 0);
    // Every file was listened to once: written when left, or still open on the last one if it failed.
    EXPECT_EQ(player.log().listens().size() + (player.listening() ? 1 : 0), files.size());

    QTest::qWait(300);
    const double before = processCpuSeconds();
    QTest::qWait(1000);
    EXPECT_LT(processCpuSeconds() - before, 0.1);
}
INSTANTIATE_TEST_SUITE_P(Corpus, CorpusShard, ::testing::Range(0, 4));
