#include "PlaylistLibrary.h"
#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString lq = QString(QChar(0x201C));
const QString rq = QString(QChar(0x201D));

PlayerPick pick(PlayerPick::Kind kind, const QString& key, const QString& name,
                std::optional<QString> by = std::nullopt) {
    return PlayerPick{kind, key, name, std::move(by)};
}

// Collects the notices a call posts.
struct Notices {
    QStringList texts;
    PlayerMusic::Notify notify() {
        return [this](const QString& t) { texts.append(t); };
    }
};

QStringList ids(const QList<PlayerPick>& picks) {
    QStringList out;
    for (const PlayerPick& p : picks)
        out.append(p.id());
    return out;
}

} // namespace

struct NoticeCase {
    const char* label;
    std::optional<QJsonValue> syncMusic;
    QList<PlayerPick> given;
    QString expected;
};

class PlayerPickNotice : public testing::TestWithParam<NoticeCase> {};

TEST_P(PlayerPickNotice, AddingTellsWhatHappened) {
    TestHome home;
    Defaults defaults;
    if (GetParam().syncMusic) defaults.set("sync.music", *GetParam().syncMusic);
    PlayerMusic music(defaults);
    Notices notices;
    music.add({pick(PlayerPick::Kind::artist, "Joni Mitchell", "Joni Mitchell")}, {});
    music.add(GetParam().given, notices.notify());
    EXPECT_EQ(notices.texts, QStringList{GetParam().expected});
}

namespace {
const PlayerPick joniAgain = pick(PlayerPick::Kind::artist, "JONI mitchell", "JONI mitchell");
const PlayerPick blue =
    pick(PlayerPick::Kind::album, "joni mitchell\u0001blue", "Blue", QString("Joni Mitchell"));
const PlayerPick river = pick(PlayerPick::Kind::song, "/m/River.mp3", "River", QString("Joni Mitchell"));
const QString gets = " for your player, which gets everything for now";
const QString nothing = " for your player, which is set to sync nothing";
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Situations, PlayerPickNotice,
    testing::Values(
        NoticeCase{"alreadyOne",
                   std::nullopt,
                   {joniAgain},
                   lq + "JONI mitchell" + rq + " is already on your player"},
        NoticeCase{"alreadyMany", std::nullopt, {joniAgain, joniAgain}, "those are already on your player"},
        NoticeCase{"noneGiven", std::nullopt, {}, "those are already on your player"},
        NoticeCase{"unsetOne", std::nullopt, {joniAgain, blue}, "added " + lq + "Blue" + rq + gets},
        NoticeCase{"unsetMany", std::nullopt, {blue, joniAgain, river}, "added 2 picks" + gets},
        NoticeCase{"notTextOne", QJsonValue(true), {blue}, "added " + lq + "Blue" + rq + gets},
        NoticeCase{"allMany", QJsonValue("all"), {blue, river}, "added 2 picks" + gets},
        NoticeCase{"chooseOne", QJsonValue("choose"), {blue}, lq + "Blue" + rq + " will go on your player"},
        NoticeCase{"chooseMany", QJsonValue("choose"), {blue, river}, "2 picks will go on your player"},
        NoticeCase{"noneOne", QJsonValue("none"), {river}, "added " + lq + "River" + rq + nothing},
        NoticeCase{"noneMany", QJsonValue("none"), {river, blue}, "added 2 picks" + nothing}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PlayerMusic, AddStoresEachNewPickOnceInOrder) {
    TestHome home;
    Defaults defaults;
    PlayerMusic music(defaults);
    QSignalSpy changed(&music, &PlayerMusic::picksChanged);
    Notices notices;
    const PlayerPick blueUpper = pick(PlayerPick::Kind::album, "JONI MITCHELL\u0001BLUE", "BLUE");
    music.add({river, blue, blueUpper}, notices.notify());
    // Albums (like artists) compare by kind and lower-cased key; the first given stands.
    EXPECT_EQ(ids(music.picks()), QStringList({"song:/m/River.mp3", "album:joni mitchell\u0001blue"}));
    EXPECT_EQ(music.picks().at(1).name, "Blue");
    EXPECT_EQ(changed.count(), 1);

    music.add({blue}, notices.notify());
    EXPECT_EQ(changed.count(), 1);

    PlayerMusic again(defaults);
    ASSERT_EQ(again.picks().size(), 2);
    EXPECT_EQ(again.picks().at(1).by, QString("Joni Mitchell"));
    EXPECT_EQ(again.picks().at(0).key, "/m/River.mp3");
}

TEST(PlayerMusic, SongPicksWhosePathsDifferInCaseAreTwoPicks) {
    // File names are case-sensitive: "River.mp3" and "RIVER.MP3" are two files, and picking one must
    // neither refuse the other as already there nor take it off when the first is removed.
    TestHome home;
    Defaults defaults;
    PlayerMusic music(defaults);
    Notices notices;
    const PlayerPick riverUpper = pick(PlayerPick::Kind::song, "/M/RIVER.MP3", "RIVER");
    music.add({river}, {});
    music.add({riverUpper}, notices.notify());
    EXPECT_EQ(notices.texts, QStringList{"added " + lq + "RIVER" + rq + gets});
    EXPECT_EQ(ids(music.picks()), QStringList({"song:/m/River.mp3", "song:/M/RIVER.MP3"}));

    music.remove(riverUpper);
    EXPECT_EQ(ids(music.picks()), QStringList{"song:/m/River.mp3"});
    EXPECT_EQ(ids(PlayerMusic(defaults).picks()), QStringList{"song:/m/River.mp3"});
}

TEST(PlayerMusic, RemoveSavesAndPostsOnlyWhenAsked) {
    TestHome home;
    Defaults defaults;
    PlayerMusic music(defaults);
    music.add({river, blue}, {});
    Notices notices;
    QFile::remove(PlayerMusic::filePath());
    music.remove(pick(PlayerPick::Kind::artist, "nobody", "Nobody"), notices.notify());
    EXPECT_TRUE(QFile::exists(PlayerMusic::filePath()));
    EXPECT_EQ(notices.texts, QStringList{lq + "Nobody" + rq + " won't go on your player"});

    music.remove(pick(PlayerPick::Kind::album, "JONI MITCHELL\u0001BLUE", "Blue"));
    EXPECT_EQ(notices.texts.size(), 1);
    EXPECT_EQ(ids(music.picks()), QStringList{"song:/m/River.mp3"});
    EXPECT_EQ(ids(PlayerMusic(defaults).picks()), QStringList{"song:/m/River.mp3"});

    music.clear();
    EXPECT_TRUE(music.picks().isEmpty());
    EXPECT_TRUE(PlayerMusic(defaults).picks().isEmpty());
    EXPECT_EQ(notices.texts.size(), 1);
}

class PlayerPickSongs : public testing::Test {
protected:
    void SetUp() override {
        QList<Song> songs;
        for (int t = 1; t <= 3; ++t) {
            Song s = makeSong(QString("/m/Blue/%1.mp3").arg(t), "Joni Mitchell", "Blue",
                              QString("blue %1").arg(t));
            s.track = t;
            songs.append(s);
        }
        songs.append(makeSong("/m/Hejira/Coyote.mp3", "Joni Mitchell", "Hejira", "Coyote"));
        songs.append(makeSong("/m/Fiona/Criminal.mp3", "Fiona Apple", "Tidal", "Criminal"));
        for (int i = 0; i < 105; ++i) {
            Song s = makeSong(QString("/m/Many/%1.mp3").arg(i), "Many", "Many",
                              QString("many %1").arg(i, 3, 10, QChar('0')));
            player.playCounts.insert(s.url.path, 1);
            songs.append(s);
        }
        library = libraryWith(defaults, songs);
    }

    QStringList titles(const PlayerPick& p) const { return titlesOf(p.songs(*library, playlists, player)); }

    TestHome home;
    Defaults defaults;
    std::unique_ptr<LibraryStore> library;
    PlaylistStore playlists;
    LikesAndPlays player;
};

TEST_F(PlayerPickSongs, EachKindFindsItsSongsNow) {
    EXPECT_EQ(titles(PlayerPick::artist("JONI MITCHELL")),
              QStringList({"blue 1", "blue 2", "blue 3", "Coyote"}));
    EXPECT_EQ(titles(PlayerPick::album(*library->album(albumKey("Joni Mitchell", "Blue")))),
              QStringList({"blue 1", "blue 2", "blue 3"}));
    EXPECT_EQ(titles(PlayerPick::song(*library->song("/m/Fiona/Criminal.mp3"))), QStringList{"Criminal"});
    // A song's path is matched exactly: paths differ by case on this system.
    EXPECT_TRUE(titles(pick(PlayerPick::Kind::song, "/m/fiona/criminal.mp3", "Criminal")).isEmpty());

    const Playlist mine = playlists.create(QString("mine"), {*library->song("/m/Fiona/Criminal.mp3")});
    EXPECT_EQ(titles(PlayerPick::playlist(mine)), QStringList{"Criminal"});
    // The key names the playlist whatever the case of its hexadecimal digits.
    EXPECT_EQ(titles(pick(PlayerPick::Kind::playlist, Playlist::uuidText(mine.id).toLower(), "mine")),
              QStringList{"Criminal"});
    const PlayerPick most = PlayerPick::playlist(AutoPlaylist(AutoPlaylist::mostPlayed).playlist());
    EXPECT_EQ(titles(most).size(), 100);
}

TEST_F(PlayerPickSongs, APickWhoseTargetIsGoneGivesNoSongsAndStays) {
    const QList<PlayerPick> gone = {
        pick(PlayerPick::Kind::artist, "Nobody", "Nobody"),
        pick(PlayerPick::Kind::album, albumKey("Joni Mitchell", "Court and Spark"), "Court and Spark"),
        pick(PlayerPick::Kind::song, "/m/gone.mp3", "Gone"),
        pick(PlayerPick::Kind::playlist, Playlist::uuidText(QUuid::createUuid()), "Deleted"),
        pick(PlayerPick::Kind::playlist, "not a uuid", "Odd"),
    };
    for (const PlayerPick& p : gone)
        EXPECT_TRUE(titles(p).isEmpty()) << p.id().toStdString();
    PlayerMusic music(defaults);
    music.add(gone, {});
    EXPECT_TRUE(music.songs(*library, playlists, player).isEmpty());
    EXPECT_EQ(PlayerMusic(defaults).picks().size(), gone.size());
}

TEST_F(PlayerPickSongs, AllPicksTogetherListEachSongOnceAtItsFirstPlace) {
    PlayerMusic music(defaults);
    music.add({PlayerPick::song(*library->song("/m/Fiona/Criminal.mp3")),
               PlayerPick::album(*library->album(albumKey("Joni Mitchell", "Blue"))),
               PlayerPick::song(*library->song("/m/Blue/2.mp3")), PlayerPick::artist("Joni Mitchell")},
              {});
    EXPECT_EQ(titlesOf(music.songs(*library, playlists, player)),
              QStringList({"Criminal", "blue 1", "blue 2", "blue 3", "Coyote"}));
}

TEST(PlayerPick, JsonAndDragDataCarryOnePick) {
    const PlayerPick withBy = blue;
    const PlayerPick without = PlayerPick::artist("Björk");
    for (const PlayerPick& p : {withBy, without}) {
        std::unique_ptr<QMimeData> data(p.toMimeData());
        EXPECT_EQ(data->formats(), QStringList{"com.tovrenhalstadiq.velto.pick"});
        const auto back = PlayerPick::fromMimeData(*data);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->kind, p.kind);
        EXPECT_EQ(back->key, p.key);
        EXPECT_EQ(back->name, p.name);
        EXPECT_EQ(back->by, p.by);
    }
    EXPECT_FALSE(without.toJson().contains("by"));

    const QList<std::pair<const char*, QByteArray>> bad = {
        {"unknownKind", R"({"kind":"genre","key":"k","name":"n"})"},
        {"kindCase", R"({"kind":"Artist","key":"k","name":"n"})"},
        {"missingName", R"({"kind":"song","key":"k"})"},
        {"byNotText", R"({"kind":"song","key":"k","name":"n","by":3})"},
        {"notJson", "kind=song"},
    };
    for (const auto& [label, bytes] : bad) {
        QMimeData data;
        data.setData(PlayerPick::mimeType, bytes);
        EXPECT_FALSE(PlayerPick::fromMimeData(data)) << label;
    }
    QMimeData text;
    text.setText(QString::fromUtf8(withBy.toJsonBytes()));
    EXPECT_FALSE(PlayerPick::fromMimeData(text));
}

TEST(PlayerMusic, AFileWithOneBadPickIsSetAsideBeforeTheFirstSave) {
    TestHome home;
    Defaults defaults;
    const QByteArray bytes =
        R"([{"kind":"song","key":"/a.mp3","name":"a"},{"kind":"band","key":"x","name":"x"}])";
    TestHome::writeFile(PlayerMusic::filePath(), bytes);
    PlayerMusic music(defaults);
    EXPECT_TRUE(music.picks().isEmpty());
    music.add({river}, {});
    const QStringList aside =
        QDir(DataFolder::path()).entryList({"player-music.json.unreadable-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(TestHome::readFile(DataFolder::path() + "/" + aside.first()), bytes);
    EXPECT_EQ(PlayerMusic(defaults).picks().size(), 1);
}
