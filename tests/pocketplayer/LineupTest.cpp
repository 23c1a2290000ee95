#include "pocketplayer/Lineup.h"
#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "library/LibraryStore.h"
#include "pocketplayer/IvraModel.h"
#include "shell/AppModel.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <gtest/gtest.h>

namespace {

Song addedAt(const QString& path, double seconds) {
    Song s = makeSong(path, "artist", "album");
    s.added = Date{seconds};
    return s;
}

TEST(LatestArt, IsTheSongAddedLastAndTheFirstOfATie) {
    struct Case {
        const char* name;
        QList<Song> songs;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"empty", {}, std::nullopt},
        {"later wins",
         {addedAt("/m/a.mp3", 10), addedAt("/m/b.mp3", 30), addedAt("/m/c.mp3", 20)},
         "/m/b.mp3"},
        {"tie keeps the first",
         {addedAt("/m/a.mp3", 10), addedAt("/m/b.mp3", 30), addedAt("/m/c.mp3", 30)},
         "/m/b.mp3"},
        {"before 2001", {addedAt("/m/a.mp3", -500), addedAt("/m/b.mp3", -900)}, "/m/a.mp3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<FileUrl> url = LibraryStore::latestArt(c.songs);
        ASSERT_EQ(url.has_value(), c.expected.has_value());
        if (url) EXPECT_EQ(url->path, *c.expected);
    }
    TestHome home;
    Defaults defaults;
    LibraryStore library(defaults);
    EXPECT_TRUE(library.latestArtUrl().isEmpty());
    EXPECT_EQ(
        library.metaObject()->property(library.metaObject()->indexOfProperty("latestArt")).notifySignal(),
        QMetaMethod::fromSignal(&LibraryStore::songsChanged));
}

TEST(Lineup, APickStoresTheModelAndItsColourThenShowsThePlayer) {
    TestHome home;
    Defaults defaults;
    AppModel app(defaults);
    defaults.set(SettingKeys::playerCapacity, 8);
    defaults.set(SettingKeys::playerFinish, "blue");
    QStringList order;
    QObject::connect(&defaults, &Defaults::changed, [&](const QString& key) { order.append(key); });
    QObject::connect(&app, &AppModel::samplePlayerChanged, [&] { order.append("samplePlayer"); });

    Lineup::pick(defaults, app, IvraModel::hd);
    EXPECT_EQ(order, QStringList({"player.model", "player.finish", "samplePlayer"}));
    EXPECT_EQ(defaults.declared(SettingKeys::playerModel).toString(), "hd");
    EXPECT_EQ(defaults.declared(SettingKeys::playerFinish).toString(), "platinum");
    EXPECT_TRUE(app.samplePlayer());
    EXPECT_EQ(defaults.declared(SettingKeys::playerCapacity).toInt(), 8);
    // 8 is no hd size: the chosen player reads the model's first.
    EXPECT_EQ(ChosenPlayer::stored(defaults).capacity(), 16);

    Lineup::pick(defaults, app, IvraModel::flash);
    EXPECT_EQ(defaults.declared(SettingKeys::playerModel).toString(), "flash");
    EXPECT_EQ(defaults.declared(SettingKeys::playerFinish).toString(), "red");
    EXPECT_EQ(ChosenPlayer::stored(defaults).capacity(), 8);

    EXPECT_EQ(Lineup::accessibleName(IvraModel::hd), "Preview with a ivra hd");
    EXPECT_EQ(Lineup::lineName(IvraModel::flash), QString::fromUtf8("ivra 4 · 8 · 16"));
}

} // namespace
