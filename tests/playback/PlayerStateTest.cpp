#include "PlayerRig.h"

#include "core/DataFolder.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(PlayerState, LikesAddOnlyWhatIsNew) {
    PlayerRig p;
    const Song a = songNumber(1), b = songNumber(2);
    p->toggleLike(a);
    QSignalSpy stored(p.defaults.get(), &Defaults::changed);
    EXPECT_EQ(p->like({a, a, b, b}), 1);
    EXPECT_EQ(stored.count(), 1);
    EXPECT_EQ(p->like({a, b}), 0);
    EXPECT_EQ(stored.count(), 1); // nothing added, nothing stored
    EXPECT_TRUE(p->isLiked(b));
    EXPECT_FALSE(p->isLiked(std::nullopt));
    p->toggleLike(std::nullopt);
    EXPECT_EQ(stored.count(), 1);

    p->toggleLike(b);
    p->toggleLike(b);
    EXPECT_TRUE(p->isLiked(b));
    p.restart();
    EXPECT_EQ(p->likes(), (QSet<QString>{a.path(), b.path()}));
}

TEST(PlayerState, CountsAndHistorySurviveARestart) {
    PlayerRig p;
    p->setRepeatAll(true);
    p->setVolume(0.35);
    p->play(songs(2), 0);
    p->jump(1);
    p->jump(0);
    EXPECT_EQ(p->historyPaths(), (QStringList{songNumber(0).path(), songNumber(1).path()}));
    EXPECT_EQ(p->plays(songNumber(0)), 2);
    EXPECT_EQ(p->plays(std::nullopt), 0);

    p.restart();
    EXPECT_EQ(p->historyPaths(), (QStringList{songNumber(0).path(), songNumber(1).path()}));
    EXPECT_EQ(p->plays(songNumber(0)), 2);
    EXPECT_EQ(p->plays(songNumber(1)), 1);
    EXPECT_TRUE(p->repeatAll());
    EXPECT_EQ(p->volume(), 0.35);
    EXPECT_FLOAT_EQ(p.backend.volume(), 0.35f);
    // Never stored: every run starts with an empty queue and shuffle off.
    EXPECT_TRUE(p->queue().isEmpty());
    EXPECT_FALSE(p->shuffle());
}

TEST(PlayerState, HistoryKeepsTheSixtyLatest) {
    PlayerRig p;
    p->play(songs(61), 0);
    for (int i = 1; i < 61; ++i)
        p->next(false);
    ASSERT_EQ(p->historyPaths().size(), 60);
    EXPECT_EQ(p->historyPaths().first(), songNumber(60).path());
    EXPECT_EQ(p->historyPaths().last(), songNumber(1).path());
    EXPECT_EQ(p.defaults->stringList("history"), p->historyPaths());
}

TEST(PlayerState, WrongStoredValuesFallBackOneByOne) {
    PlayerRig p;
    p.defaults->set("playCounts",
                    QJsonObject{{"/a.mp3", 3}, {"/b.mp3", "four"}, {"/c.mp3", 2.5}, {"/d.mp3", 0}});
    p.defaults->set("history", QJsonArray{"/a.mp3", 5});
    p.defaults->set("likes", "not a list");
    p.defaults->set("repeatAll", "yes");
    p.defaults->set("volume", "loud");
    p.restart();
    EXPECT_EQ(p->playCounts(), (QHash<QString, int>{{"/a.mp3", 3}, {"/d.mp3", 0}}));
    EXPECT_TRUE(p->historyPaths().isEmpty());
    EXPECT_TRUE(p->likes().isEmpty());
    EXPECT_FALSE(p->repeatAll());
    EXPECT_EQ(p->volume(), 0.7);
}

TEST(PlayerState, ClearHistoryEmptiesTheLogButKeepsLikesAndCounts) {
    PlayerRig p;
    p->play(songs(3), 0);
    p->toggleLike(songNumber(0));
    p->next(false);
    p->next(false);
    ASSERT_EQ(p->log().listens().size(), 2);
    p->clearHistory();
    EXPECT_TRUE(p->historyPaths().isEmpty());
    EXPECT_TRUE(p->log().listens().isEmpty());
    EXPECT_EQ(TestHome::readFile(DataFolder::file("listening.json")), "[]");
    EXPECT_TRUE(p->isLiked(songNumber(0)));
    EXPECT_EQ(p->plays(songNumber(2)), 1);
    p.restart();
    EXPECT_TRUE(p->historyPaths().isEmpty());
    EXPECT_TRUE(p->log().listens().isEmpty());
}

TEST(PlayerState, NoticesAreNewEveryTime) {
    PlayerRig p;
    p->play(songs(1), 0);
    p->enqueue({songNumber(4)});
    const Player::Notice first = *p->notice();
    p->enqueue({songNumber(4)});
    EXPECT_EQ(p->notice()->text, first.text);
    EXPECT_NE(p->notice()->id, first.id);

    Song blue = songNumber(0);
    blue.title = "Blue";
    EXPECT_EQ(Player::describe({blue}), QStringLiteral("\u201CBlue\u201D"));
    EXPECT_EQ(Player::describe({}), QStringLiteral("0 songs"));
    EXPECT_EQ(Player::describe(songs(2)), QStringLiteral("2 songs"));
}
