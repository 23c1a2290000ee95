#include "library/PlaylistStore.h"
#include "PlaylistLibrary.h"
#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

Song song(const QString& name) {
    return makeSong("/music/" + name + ".mp3", "Artist", "Album", name);
}

QList<Song> songs(const QStringList& names) {
    QList<Song> out;
    for (const QString& n : names)
        out.append(song(n));
    return out;
}

QStringList paths(const QStringList& names) {
    return pathsOf(songs(names));
}

QJsonArray fileArray() {
    PlaylistStore::waitForWrites();
    return QJsonDocument::fromJson(TestHome::readFile(PlaylistStore::filePath())).array();
}

// Whether the next operation writes the file: the file is taken away first.
struct SaveWatch {
    SaveWatch() {
        PlaylistStore::waitForWrites();
        QFile::remove(PlaylistStore::filePath());
    }
    bool saved() const {
        PlaylistStore::waitForWrites();
        return QFile::exists(PlaylistStore::filePath());
    }
};

const QUuid mostPlayedID = QUuid::fromString(QStringLiteral("5A0E0000-0000-4000-8000-000000000002"));

} // namespace

struct FreshNameCase {
    const char* label;
    QStringList stored; // oldest first
    QString expected;
};

class PlaylistFreshName : public testing::TestWithParam<FreshNameCase> {};

TEST_P(PlaylistFreshName, CreateWithoutANameTakesTheFirstFreeOne) {
    TestHome home;
    PlaylistStore store;
    for (const QString& name : GetParam().stored)
        store.create(name, {});
    EXPECT_EQ(store.create(std::nullopt, {}).name, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PlaylistFreshName,
    testing::Values(FreshNameCase{"none", {}, "new playlist"},
                    FreshNameCase{"caseAndTwoTaken", {"New Playlist", "new playlist 2"}, "new playlist 3"},
                    FreshNameCase{"onlyThree", {"new playlist 3"}, "new playlist"},
                    FreshNameCase{"gapAtTwo", {"new playlist", "new playlist 3"}, "new playlist 2"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PlaylistStore, CreateTrimsTheNameAndPutsTheNewestFirstInTheFile) {
    TestHome home;
    PlaylistStore store;
    QSignalSpy changed(&store, &PlaylistStore::playlistsChanged);
    const Playlist trip = store.create(QString(" \tRoad trip\n"), songs({"a", "b", "a"}));
    const Playlist blank = store.create(QString("   "), {});
    EXPECT_EQ(trip.name, "Road trip");
    EXPECT_EQ(trip.paths, paths({"a", "b", "a"}));
    EXPECT_EQ(blank.name, "new playlist");
    EXPECT_NEAR(trip.created.seconds, Date::now().seconds, 5);
    EXPECT_EQ(changed.count(), 2);
    ASSERT_EQ(store.playlists().size(), 2);
    EXPECT_EQ(store.playlists().first(), blank);

    const QJsonArray file = fileArray();
    ASSERT_EQ(file.size(), 2);
    const QJsonObject first = file.at(0).toObject();
    EXPECT_EQ(first.value("id").toString(), blank.id.toString(QUuid::WithoutBraces).toUpper());
    EXPECT_EQ(first.value("name").toString(), "new playlist");
    EXPECT_TRUE(first.value("paths").isArray());
    EXPECT_DOUBLE_EQ(file.at(1).toObject().value("created").toDouble(), trip.created.seconds);

    PlaylistStore again;
    EXPECT_EQ(again.playlists(), store.playlists());
}

TEST(PlaylistStore, RenameTrimsAndIgnoresBlankNames) {
    TestHome home;
    PlaylistStore store;
    const Playlist a = store.create(QString("a"), {});
    const Playlist b = store.create(QString("b"), {});
    {
        SaveWatch watch;
        store.rename(a.id, " \n ");
        EXPECT_FALSE(watch.saved());
        EXPECT_EQ(store.playlist(a.id)->name, "a");
    }
    SaveWatch watch;
    store.rename(a.id, "  b ");
    EXPECT_TRUE(watch.saved());
    EXPECT_EQ(store.playlist(a.id)->name, "b");
    EXPECT_EQ(store.playlist(b.id)->name, "b");
}

TEST(PlaylistStore, AddAppendsOnlyWhatThePlaylistLacks) {
    TestHome home;
    PlaylistStore store;
    const QUuid id = store.create(QString("p"), songs({"a", "b"})).id;
    {
        SaveWatch watch;
        EXPECT_EQ(store.add(songs({"b", "a"}), id), 0);
        EXPECT_TRUE(watch.saved());
    }
    // The set of present paths is taken once, so a new song given twice goes in twice.
    EXPECT_EQ(store.add(songs({"c", "a", "c"}), id), 2);
    EXPECT_EQ(store.playlist(id)->paths, paths({"a", "b", "c", "c"}));
}

TEST(PlaylistStore, RemoveTakesEveryOccurrenceAndDeleteTheWholePlaylist) {
    TestHome home;
    PlaylistStore store;
    const QUuid keep = store.create(QString("keep"), songs({"a"})).id;
    const QUuid id = store.create(QString("p"), songs({"a", "b", "a", "c"})).id;
    store.remove(song("a"), id);
    EXPECT_EQ(store.playlist(id)->paths, paths({"b", "c"}));
    store.deletePlaylist(id);
    EXPECT_FALSE(store.playlist(id));
    EXPECT_EQ(PlaylistStore().playlists().size(), 1);
    EXPECT_EQ(store.playlist(keep)->paths, paths({"a"}));
}

// Edits made while the file is being written wait for that write and then go out together: the file comes
// to the last state with no one waiting on the writer.
TEST(PlaylistStore, EditsMadeDuringAWriteReachTheFileAfterIt) {
    TestHome home;
    PlaylistStore store;
    const QUuid id = store.create(QString("p"), songs({"a", "b", "c"})).id;
    store.remove(song("a"), id);
    store.add(songs({"d"}), id);
    store.rename(id, "q");
    const auto written = [] {
        const QJsonArray file =
            QJsonDocument::fromJson(TestHome::readFile(PlaylistStore::filePath())).array();
        if (file.size() != 1) return false;
        const QJsonObject p = file.at(0).toObject();
        return p.value("name").toString() == "q" &&
               p.value("paths").toArray() == QJsonArray::fromStringList(paths({"b", "c", "d"}));
    };
    EXPECT_TRUE(QTest::qWaitFor(written, 5000));
}

struct PlaceCase {
    const char* label;
    QStringList moving;
    std::optional<QString> before;
    QStringList expected;
    int added;
    bool saved;
};

class PlaylistPlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlaylistPlace, MovesTheSongsAsOneBlock) {
    TestHome home;
    PlaylistStore store;
    const QUuid id = store.create(QString("p"), songs({"a", "b", "c", "b", "d"})).id;
    const PlaceCase& c = GetParam();
    SaveWatch watch;
    const std::optional<Song> before = c.before ? std::optional(song(*c.before)) : std::nullopt;
    EXPECT_EQ(store.place(songs(c.moving), before, id), c.added);
    EXPECT_EQ(store.playlist(id)->paths, paths(c.expected));
    EXPECT_EQ(watch.saved(), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaylistPlace,
    testing::Values(
        PlaceCase{"beforeItself", {"c"}, "c", {"a", "b", "c", "b", "d"}, 0, false},
        PlaceCase{"blockHoldingBefore", {"a", "d"}, "d", {"a", "b", "c", "b", "d"}, 0, false},
        PlaceCase{"doubledEntryKeepsOnePlace", {"b"}, "d", {"a", "c", "b", "d"}, 0, true},
        PlaceCase{"noBeforeGoesToTheEnd", {"e", "a"}, std::nullopt, {"b", "c", "b", "d", "e", "a"}, 1, true},
        PlaceCase{"alreadyThereUnchanged", {"d"}, std::nullopt, {"a", "b", "c", "b", "d"}, 0, false},
        PlaceCase{"beforeNotInPlaylist", {"a"}, "x", {"b", "c", "b", "d", "a"}, 0, true},
        PlaceCase{"newSongGivenTwice", {"e", "e", "f"}, "a", {"e", "f", "a", "b", "c", "b", "d"}, 2, true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PlaylistStore, MoveSwapsWithTheNeighbourWithinBounds) {
    TestHome home;
    PlaylistStore store;
    const QUuid id = store.create(QString("p"), songs({"a", "b", "c"})).id;
    for (auto [name, offset] : {std::pair{"c", 1}, std::pair{"a", -1}, std::pair{"x", 1}}) {
        SaveWatch watch;
        store.move(song(name), offset, id);
        EXPECT_FALSE(watch.saved()) << name;
    }
    EXPECT_EQ(store.playlist(id)->paths, paths({"a", "b", "c"}));
    store.move(song("a"), 2, id);
    EXPECT_EQ(store.playlist(id)->paths, paths({"c", "b", "a"}));
    store.move(song("b"), -1, id);
    EXPECT_EQ(store.playlist(id)->paths, paths({"b", "c", "a"}));
}

TEST(PlaylistStore, AutomaticPlaylistsCanBeLookedUpButNotEdited) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, songs({"a", "b"}));
    PlaylistStore store;
    const QList<Playlist> automatic = store.automatic();
    ASSERT_EQ(automatic.size(), 3);
    EXPECT_EQ(automatic.at(1).id, mostPlayedID);
    EXPECT_EQ(automatic.at(1).name, "most played");
    EXPECT_EQ(automatic.at(0).created, Date::distantPast());

    // Ids are compared without regard to case.
    const auto found =
        store.playlist(QUuid::fromString(QStringLiteral("5a0e0000-0000-4000-8000-000000000002")));
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, automatic.at(1));

    QSignalSpy changed(&store, &PlaylistStore::playlistsChanged);
    SaveWatch watch;
    for (const Playlist& p : automatic) {
        EXPECT_EQ(store.add(songs({"a"}), p.id), 0);
        EXPECT_EQ(store.place(songs({"a"}), std::nullopt, p.id), 0);
        store.rename(p.id, "mine");
        store.remove(song("a"), p.id);
        store.move(song("a"), 1, p.id);
        store.deletePlaylist(p.id);
        EXPECT_EQ(store.playlist(p.id)->name, p.name);
        EXPECT_TRUE(store.playlist(p.id)->paths.isEmpty());
    }
    EXPECT_FALSE(watch.saved());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(store.playlists().isEmpty());
    EXPECT_FALSE(store.playlist(QUuid::createUuid()));
}

TEST(PlaylistStore, SongsFollowThePathsThroughTheLibrary) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, songs({"a", "b"}));
    PlaylistStore store;
    const Playlist p = store.create(QString("p"), songs({"b", "gone", "a", "b"}));
    EXPECT_EQ(titlesOf(store.songs(p, *library, {})), QStringList({"b", "a", "b"}));

    const Playlist lost = store.create(QString("lost"), songs({"x", "y"}));
    EXPECT_TRUE(store.songs(lost, *library, {}).isEmpty());
    EXPECT_EQ(store.playlist(lost.id)->paths.size(), 2);
}

TEST(PlaylistStore, FileIsReadInOrderWithIdsInEitherCase) {
    TestHome home;
    const QByteArray json = R"([
        {"id":"0a1b2c3d-0000-4000-8000-00000000000a","name":"second","paths":["/m/x.mp3"],"created":20},
        {"id":"0A1B2C3D-0000-4000-8000-00000000000B","name":"first","paths":[],"created":10.5}])";
    TestHome::writeFile(PlaylistStore::filePath(), json);
    PlaylistStore store;
    ASSERT_EQ(store.playlists().size(), 2);
    EXPECT_EQ(store.playlists().at(0).name, "second");
    EXPECT_EQ(store.playlists().at(1).created, Date{10.5});
    const QUuid upper = QUuid::fromString(QStringLiteral("0A1B2C3D-0000-4000-8000-00000000000A"));
    EXPECT_EQ(store.add(songs({"y"}), upper), 1);
    // Written back upper-case.
    EXPECT_EQ(fileArray().at(0).toObject().value("id").toString(), "0A1B2C3D-0000-4000-8000-00000000000A");
}

TEST(PlaylistStore, AnUnreadableFileIsSetAsideBeforeTheFirstSave) {
    const QList<std::pair<const char*, QByteArray>> bad = {
        {"missingKey", R"([{"id":"0A1B2C3D-0000-4000-8000-00000000000B","name":"x","paths":[]}])"},
        {"badId", R"([{"id":"not-a-uuid","name":"x","paths":[],"created":1}])"},
        {"pathNotText",
         R"([{"id":"0A1B2C3D-0000-4000-8000-00000000000B","name":"x","paths":[1],"created":1}])"},
        {"notJson", "[{"},
        {"object", "{}"},
    };
    for (const auto& [label, bytes] : bad) {
        TestHome home;
        TestHome::writeFile(PlaylistStore::filePath(), bytes);
        PlaylistStore store;
        EXPECT_TRUE(store.playlists().isEmpty()) << label;
        store.create(QString("new"), {});
        const QStringList aside =
            QDir(DataFolder::path()).entryList({"playlists.json.unreadable-*"}, QDir::Files);
        ASSERT_EQ(aside.size(), 1) << label;
        EXPECT_EQ(TestHome::readFile(DataFolder::path() + "/" + aside.first()), bytes) << label;
        EXPECT_EQ(fileArray().size(), 1) << label;
    }
}
