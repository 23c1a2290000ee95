#include "library/PlaylistStore.h"
#include "playback/PlayerRig.h"
#include "quickplay/QueueModel.h"
#include "quickplay/QueueText.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <vector>

TEST(QueueText, Summary) {
    struct Case {
        int songs;
        double seconds;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0, 0, "nothing queued"},
        {0, 500, "nothing queued"},
        {1, 89, "1 song · 1 min left"},
        {45, 4325, "45 songs · 1 hr 12 min left"},
        {3, 3570, "3 songs · 1 hr 0 min left"},
        {2, 29, "2 songs · 0 min left"},
        {2, 30, "2 songs · 1 min left"},
        {12000, 2000000, "12000 songs · 555 hr 33 min left"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QueueText::summary(c.songs, c.seconds), QString::fromUtf8(c.text))
            << c.songs << " " << c.seconds;
    // Plain digits whatever the locale says about grouping.
    const QLocale before;
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(QueueText::summary(12000, 2000000), QString::fromUtf8("12000 songs · 555 hr 33 min left"));
    QLocale::setDefault(before);
}

TEST(QueueText, PlaylistNames) {
    const QDate day(2024, 12, 8);
    EXPECT_EQ(QueueText::playlistName({}, day, QStringLiteral("en_US")), "now playing Dec 8");
    EXPECT_EQ(QueueText::playlistName({}, day, QStringLiteral("en_GB")), "now playing 8 Dec");
    EXPECT_EQ(QueueText::playlistName({}, day, QStringLiteral("de_DE")), "now playing 8. Dez.");
    EXPECT_EQ(QueueText::playlistName(QStringLiteral("Tova Lind"), day, QStringLiteral("en_US")),
              "Tova Lind mix");
}

TEST(QueueText, UserLocaleFromTheEnvironment) {
    struct Case {
        const char *all, *time, *lang, *locale;
    };
    const std::vector<Case> cases = {
        {"", "", "", "en_US"},
        {"", "", "en_GB.UTF-8", "en_GB"},
        {"", "de_DE.UTF-8@euro", "en_GB.UTF-8", "de_DE"},
        {"fr_FR.UTF-8", "de_DE.UTF-8", "en_GB.UTF-8", "fr_FR"},
        {"C", "de_DE", "", "en_US"},
    };
    const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_TIME"), qgetenv("LANG")};
    for (const Case& c : cases) {
        qputenv("LC_ALL", c.all);
        qputenv("LC_TIME", c.time);
        qputenv("LANG", c.lang);
        EXPECT_EQ(QueueText::userLocale(), QString::fromLatin1(c.locale))
            << c.all << "|" << c.time << "|" << c.lang;
    }
    qputenv("LC_ALL", saved[0]);
    qputenv("LC_TIME", saved[1]);
    qputenv("LANG", saved[2]);
}

TEST(QueueText, SaveKeepsTheWholeQueueAndAnnouncesIt) {
    PlayerRig rig;
    PlaylistStore playlists;
    const QDate day(2024, 12, 8);
    EXPECT_EQ(QueueText::save(*rig, playlists, day, QStringLiteral("en_US")), QString());
    EXPECT_TRUE(playlists.playlists().isEmpty()) << "an empty queue makes nothing";

    rig->play(songs(45), 20);
    EXPECT_EQ(QueueText::save(*rig, playlists, day, QStringLiteral("en_US")), "now playing Dec 8");
    ASSERT_EQ(playlists.playlists().size(), 1);
    const Playlist made = playlists.playlists().front();
    EXPECT_EQ(made.name, "now playing Dec 8");
    ASSERT_EQ(made.paths.size(), 45) << "played songs included";
    for (int i = 0; i < 45; ++i)
        EXPECT_EQ(made.paths[i], songNumber(i).path());
    EXPECT_EQ(rig->noticeText(), "made now playing Dec 8 with 45 songs");

    QueueText::save(*rig, playlists, day, QStringLiteral("en_US"));
    ASSERT_EQ(playlists.playlists().size(), 2);
    EXPECT_EQ(playlists.playlists()[0].name, playlists.playlists()[1].name);

    rig->setSmartDJArtist(QStringLiteral("Tova Lind"));
    EXPECT_EQ(QueueText::save(*rig, playlists, day, QStringLiteral("en_US")), "Tova Lind mix");
}

namespace {
// A queue of ten songs playing the fifth, seen through the model.
class QueueModelTest : public testing::Test {
protected:
    void SetUp() override {
        rig->play(songs(10), 4);
        model.setPlayer(rig.player.get());
    }
    QVariant at(int row, QueueModel::Role role) const { return model.data(model.index(row), role); }
    int playingRow() const {
        for (int r = 0; r < model.rowCount(); ++r)
            if (at(r, QueueModel::PlayingRole).toBool()) return r;
        return -1;
    }

    PlayerRig rig;
    QueueModel model;
};
} // namespace

TEST_F(QueueModelTest, RowsAndMarks) {
    ASSERT_EQ(model.rowCount(), 10);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(at(r, QueueModel::PlayedRole).toBool(), r < 4) << r;
        EXPECT_EQ(at(r, QueueModel::PlayingRole).toBool(), r == 4) << r;
        EXPECT_EQ(at(r, QueueModel::TitleRole).toString(), QStringLiteral("S%1").arg(r));
        EXPECT_EQ(at(r, QueueModel::ArtistRole).toString(), QStringLiteral("Singer %1").arg(r));
    }
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    rig->jump(7);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 4);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 7);
    EXPECT_EQ(playingRow(), 7);
    EXPECT_TRUE(at(6, QueueModel::PlayedRole).toBool());
}

TEST_F(QueueModelTest, RemovingAnEarlierRowKeepsTheSongPlaying) {
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    rig->remove(1);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    EXPECT_EQ(removed[0][2].toInt(), 1);
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(model.rowCount(), 9);
    EXPECT_EQ(playingRow(), 3);
    EXPECT_EQ(at(3, QueueModel::TitleRole).toString(), "S4");
    EXPECT_EQ(rig->index(), 3);
    rig->remove(3); // the playing row: the player ignores it
    EXPECT_EQ(model.rowCount(), 9);
}

TEST_F(QueueModelTest, TwoCopiesOfOneSongAreTwoRows) {
    rig->enqueue(QList<Song>{songNumber(2)});
    ASSERT_EQ(model.rowCount(), 11);
    EXPECT_EQ(at(10, QueueModel::TitleRole).toString(), "S2");
    rig->remove(10);
    EXPECT_EQ(model.rowCount(), 10);
    EXPECT_EQ(at(2, QueueModel::TitleRole).toString(), "S2") << "the other copy stays";
    rig->enqueue(QList<Song>{songNumber(2)});
    rig->remove(2);
    EXPECT_EQ(at(9, QueueModel::TitleRole).toString(), "S2");
    EXPECT_EQ(model.rowCount(), 10);
}

TEST_F(QueueModelTest, EachQueueChangeArrivesAsWhatItIs) {
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    rig->enqueue(songs(3, 100));
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 10);
    EXPECT_EQ(inserted[0][2].toInt(), 12);
    rig->playNext(songs(2, 200));
    ASSERT_EQ(inserted.size(), 2);
    EXPECT_EQ(inserted[1][1].toInt(), 5);
    EXPECT_EQ(inserted[1][2].toInt(), 6);
    EXPECT_EQ(at(5, QueueModel::TitleRole).toString(), "S200");
    EXPECT_EQ(model.rowCount(), 15);

    rig->remove(1);
    EXPECT_EQ(removed.size(), 1);

    // The shell's re-map: the same songs with newer values, same length and order.
    QList<Song> renewed = rig->queue();
    renewed[0].title = QStringLiteral("Renamed");
    rig->setQueue(renewed);
    ASSERT_GE(changed.size(), 1);
    EXPECT_EQ(at(0, QueueModel::TitleRole).toString(), "Renamed");

    rig->setShuffle(true);
    EXPECT_EQ(layout.size(), 1);
    for (int r = 0; r < model.rowCount(); ++r)
        EXPECT_EQ(at(r, QueueModel::PathRole).toString(), rig->queue()[r].path()) << r;
    EXPECT_EQ(reset.size(), 0) << "only a new queue resets";

    rig->play(songs(4), 0);
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(playingRow(), 0);
}
