#include "pocketplayer/PlayerSettingsPage.h"
#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistLibrary.h"
#include "library/PlaylistStore.h"
#include "shell/AppModel.h"
#include "support/TestHome.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

Song sized(const QString& path, const QString& artist, const QString& album, qint64 bytes) {
    Song s = makeSong(path, artist, album);
    s.bytes = bytes;
    return s;
}

// The settings page over real stores in a private home: three songs of 1, 2 and 3 GB.
struct Rig {
    TestHome home;
    Defaults defaults;
    std::unique_ptr<LibraryStore> library =
        libraryWith(defaults, {sized("/m/a1.mp3", "Abe", "A", 1'000'000'000),
                               sized("/m/a2.mp3", "Abe", "A", 2'000'000'000),
                               sized("/m/z1.mp3", "Zed", "Z", 3'000'000'000)});
    PlaylistStore playlists;
    PlayerMusic picks{defaults};
    AppModel app{defaults};
    PlayerSettingsPage page{{&defaults, library.get(), &playlists, &picks, nullptr, &app}};

    QStringList swatchNames(bool selectedOnly = false) const {
        QStringList out;
        for (const QVariant& v : page.swatches()) {
            const QVariantMap m = v.toMap();
            if (!selectedOnly || m.value("selected").toBool()) out.append(m.value("name").toString());
        }
        return out;
    }
    QVariantMap card(const QString& model) const {
        for (const QVariant& v : page.modelCards())
            if (v.toMap().value("model") == model) return v.toMap();
        return {};
    }
    QJsonValue stored(const char* key) const { return defaults.value(QString::fromLatin1(key)); }
};

TEST(PlayerSettingsPage, FreshInstall) {
    Rig r;
    EXPECT_EQ(r.page.section(), 0);
    EXPECT_EQ(r.page.music(), "all");
    EXPECT_EQ(r.page.musicBytes(), 6'000'000'000);
    EXPECT_EQ(r.page.musicFigure(), "6.0 GB");
    EXPECT_EQ(r.page.musicHelp(), "Every song in your collection.");
    EXPECT_FALSE(r.page.showsChosenMusic());
    EXPECT_TRUE(r.card("flash").value("selected").toBool());
    EXPECT_EQ(r.card("flash").value("finish").value<IvraFinish>().name, "black");
    EXPECT_EQ(r.card("flash").value("caption").toString(), "ivra 4 \u00B7 8 \u00B7 16");
    EXPECT_FALSE(r.card("hd").value("selected").toBool());
    EXPECT_EQ(r.card("hd").value("finish").value<IvraFinish>().name, "platinum");
    EXPECT_EQ(r.card("hd").value("caption").toString(), "ivra hd");
    EXPECT_EQ(r.swatchNames().size(), 5);
    EXPECT_EQ(r.swatchNames(true), QStringList{r.swatchNames().first()});
    EXPECT_EQ(r.page.chosen().capacity(), 4);
    EXPECT_TRUE(r.page.sizeHelp().startsWith("3.7 GB of it is free")) << r.page.sizeHelp().toStdString();
    EXPECT_EQ(r.page.name(), "my player");
    EXPECT_EQ(r.page.colourHelp(), "Black, one of the 5 colours it came in.");
    EXPECT_FALSE(r.page.showsBar());
}

TEST(PlayerSettingsPage, ModelCardsWriteSignatureAndFirstSize) {
    Rig r;
    r.page.chooseModel("hd");
    EXPECT_EQ(r.stored(SettingKeys::playerModel).toString(), "hd");
    EXPECT_EQ(r.stored(SettingKeys::playerFinish).toString(), "platinum");
    EXPECT_EQ(r.stored(SettingKeys::playerCapacity).toInt(-1), 0);
    EXPECT_EQ(r.swatchNames().size(), 7);
    EXPECT_EQ(r.swatchNames(true), QStringList{"platinum"});
    EXPECT_EQ(r.page.chosen().capacity(), 16);
    EXPECT_EQ(r.page.sizeHelp(), "14.9 GB of it is free for music and the rest.");
    EXPECT_EQ(r.card("flash").value("finish").value<IvraFinish>().name, "red");
    EXPECT_TRUE(r.card("hd").value("selected").toBool());

    // Another colour and size, then the chosen card again: back to the signature and the first size.
    r.page.chooseFinish(r.swatchNames().last());
    r.page.chooseCapacity(64);
    EXPECT_EQ(r.swatchNames(true), QStringList{r.swatchNames().last()});
    r.page.chooseModel("hd");
    EXPECT_EQ(r.swatchNames(true), QStringList{"platinum"});
    EXPECT_EQ(r.page.chosen().capacity(), 16);
}

TEST(PlayerSettingsPage, SizeHelpPerCapacity) {
    struct Case {
        const char* model;
        int gb;
        const char* free;
    };
    Rig r;
    for (const Case& c : {Case{"flash", 4, "3.7 GB"}, Case{"flash", 8, "7.4 GB"}, Case{"hd", 16, "14.9 GB"},
                          Case{"hd", 32, "29.8 GB"}, Case{"hd", 64, "59.5 GB"}}) {
        r.page.chooseModel(c.model);
        r.page.chooseCapacity(c.gb);
        EXPECT_EQ(r.page.chosen().capacity(), c.gb);
        EXPECT_EQ(r.page.sizeHelp(), QString(c.free) + " of it is free for music and the rest.");
        EXPECT_EQ(r.page.musicSpace(), qint64(c.gb) * 930'000'000);
    }
}

TEST(PlayerSettingsPage, ForeignCapacityLightsFirstAndWritesNothing) {
    Rig r;
    r.defaults.set(SettingKeys::playerModel, QStringLiteral("hd"));
    r.defaults.set(SettingKeys::playerCapacity, 8);
    QSignalSpy writes(&r.defaults, &Defaults::changed);
    EXPECT_EQ(r.page.chosen().capacity(), 16);
    r.page.capacityOptions();
    r.page.sizeHelp();
    EXPECT_EQ(writes.count(), 0);
    EXPECT_EQ(r.stored(SettingKeys::playerCapacity).toInt(), 8);
}

TEST(PlayerSettingsPage, ColourHelpCapitalisesEachWord) {
    EXPECT_EQ(PlayerSettingsPage::capitalised("space grey"), "Space Grey");
    EXPECT_EQ(PlayerSettingsPage::capitalised("red"), "Red");
    Rig r;
    r.page.chooseFinish("red");
    EXPECT_EQ(r.page.colourHelp(), "Red, one of the 5 colours it came in.");
}

TEST(PlayerSettingsPage, OddStoredValues) {
    Rig r;
    r.page.setMusic("none");
    EXPECT_EQ(r.page.musicFigure(), "\u2014");
    EXPECT_EQ(r.page.musicHelp(), "Music stays on this computer.");
    EXPECT_EQ(r.page.musicBytes(), 0);
    r.page.setMusic("x");
    EXPECT_EQ(r.page.musicFigure(), "0 MB");
    EXPECT_EQ(r.page.musicHelp(), "");
    r.page.setWhenFull("other");
    EXPECT_EQ(r.page.whenFullHelp(), "Songs you play least are left off first.");
    r.page.setWhenFull("stop");
    EXPECT_EQ(r.page.whenFullHelp(), "Sync stops and tells you what didn't fit.");
    for (const auto& [kbps, help] :
         QList<std::pair<int, QString>>{{192, "Fits more songs. Fine for earbuds."},
                                        {256, "Recommended. Hard to tell from the original."},
                                        {320, "Best sound, takes the most space."},
                                        {200, ""}}) {
        r.page.setQuality(kbps);
        EXPECT_EQ(r.page.qualityHelp(), help) << kbps;
    }
}

TEST(PlayerSettingsPage, MusicBytesFollowPicksAndSetting) {
    Rig r;
    QSignalSpy changed(&r.page, &PlayerSettingsPage::musicBytesChanged);
    r.page.setMusic("choose");
    EXPECT_EQ(r.page.musicBytes(), 0);
    EXPECT_TRUE(r.page.showsChosenMusic());
    r.picks.add({PlayerPick::artist("Zed")}, [](const QString&) {});
    EXPECT_EQ(r.page.musicBytes(), 3'000'000'000);
    // A setting the count does not read leaves it alone.
    const int before = int(changed.count());
    r.page.setName("pocket");
    EXPECT_EQ(changed.count(), before);
}

TEST(PlayerSettingsPage, OtherPagesWritesShowAtOnce) {
    Rig r;
    QSignalSpy spy(&r.page, &PlayerSettingsPage::settingsChanged);
    r.defaults.set(SettingKeys::syncConvert, false);
    EXPECT_GE(spy.count(), 1);
    EXPECT_FALSE(r.page.convert());
    // Converting off keeps the values it greys out.
    EXPECT_EQ(r.page.quality(), 256);
    EXPECT_FALSE(r.page.keepCopies());
}

TEST(PlayerSettingsPage, ForgetOnlyDisconnects) {
    Rig r;
    r.page.chooseModel("hd");
    r.picks.add({PlayerPick::artist("Zed")}, [](const QString&) {});
    r.app.setSamplePlayer(true);
    EXPECT_TRUE(r.page.showsBar());
    QSignalSpy writes(&r.defaults, &Defaults::changed);
    r.page.forget();
    EXPECT_FALSE(r.app.samplePlayer());
    EXPECT_FALSE(r.page.showsBar());
    EXPECT_EQ(writes.count(), 0);
    EXPECT_EQ(r.picks.picks().size(), 1);
}

TEST(PlayerSettingsPage, SectionStartsOnSyncAndClamps) {
    Rig r;
    EXPECT_EQ(PlayerSettingsPage::label(1), "when syncing");
    EXPECT_EQ(PlayerSettingsPage::hint(3), "model, colour, name");
    r.page.setSection(9);
    EXPECT_EQ(r.page.section(), 3);
}

QStringList column(const ChosenMusicModel& m, int role) {
    QStringList out;
    for (int i = 0; i < m.rowCount(); ++i)
        out.append(m.data(m.index(i), role).toString());
    return out;
}

QJsonValue picksFile() {
    QFile f(PlayerMusic::filePath());
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

TEST(ChosenMusicModel, RowsFollowPicksByIdentity) {
    Rig r;
    ChosenMusicModel& list = *r.page.chosenMusic();
    EXPECT_EQ(list.count(), 0);
    const Song song = r.library->songs().first();
    r.picks.add({PlayerPick::artist("Abe"), PlayerPick::song(song), PlayerPick::artist("Gone Band")},
                [](const QString&) {});
    EXPECT_EQ(list.caption(), "chosen \u00B7 3");
    EXPECT_EQ(column(list, ChosenMusicModel::NameRole), QStringList({"Abe", song.title, "Gone Band"}));
    EXPECT_EQ(column(list, ChosenMusicModel::CountRole), QStringList({"2 songs", "1 song", "gone"}));
    EXPECT_EQ(column(list, ChosenMusicModel::ByRole), QStringList({"", "/ " + song.artist, ""}));
    EXPECT_EQ(column(list, ChosenMusicModel::PictureRole)[2], "");

    // A removal arrives as one row removed, the other rows untouched.
    QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    list.remove(1);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(column(list, ChosenMusicModel::NameRole), QStringList({"Abe", "Gone Band"}));
    EXPECT_EQ(picksFile().toArray().size(), 2);

    r.picks.add({PlayerPick::artist("Zed")}, [](const QString&) {});
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed.count(), 1);

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(picksFile().isArray());
    EXPECT_EQ(picksFile().toArray().size(), 0);
}

TEST(ChosenMusicModel, CountWording) {
    EXPECT_EQ(ChosenMusicModel::countText(0), "gone");
    EXPECT_EQ(ChosenMusicModel::countText(1), "1 song");
    EXPECT_EQ(ChosenMusicModel::countText(12), "12 songs");
}

} // namespace
