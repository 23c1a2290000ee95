#include "settings/QuickplaySettings.h"

#include "core/Defaults.h"
#include "library/PlaylistLibrary.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "support/TestHome.h"

#include <QJsonArray>
#include <gtest/gtest.h>

namespace {

Song songBy(const QString& artist) {
    return makeSong(QStringLiteral("/m/%1/a/1.mp3").arg(artist), artist, QStringLiteral("a"));
}

QList<Song> songsBy(const QStringList& artists) {
    QList<Song> out;
    for (const QString& a : artists)
        out.append(songBy(a));
    return out;
}

QStringList titlesOf(const DropMenuPage& page) {
    QStringList out;
    for (const DropMenuItem& item : page.items())
        out.append(item.title);
    return out;
}

struct Rig {
    explicit Rig(const QStringList& artists, std::optional<QStringList> smartDJ = std::nullopt,
                 const QStringList& pins = {}) {
        if (smartDJ) defaults.set(QStringLiteral("smartDJArtists"), QJsonArray::fromStringList(*smartDJ));
        if (!pins.isEmpty()) defaults.set(QStringLiteral("pins"), QJsonArray::fromStringList(pins));
        library = libraryWith(defaults, songsBy(artists));
        player = std::make_unique<Player>(defaults, backend);
        app = std::make_unique<AppModel>(defaults);
        quick.setApp(app.get());
        quick.setLibrary(library.get());
        quick.setPlayer(player.get());
    }
    TestHome home;
    Defaults defaults;
    FakeMediaBackend backend;
    std::unique_ptr<LibraryStore> library;
    std::unique_ptr<Player> player;
    std::unique_ptr<AppModel> app;
    QuickplaySettings quick;
};

SmartDJSlot shown(const QString& name) {
    return {name, false, true};
}
SmartDJSlot adding(bool enabled) {
    return {QString(), true, enabled};
}
SmartDJSlot filler() {
    return {QString(), false, false};
}

TEST(SmartDJSlots, ShownArtistsThenFreePlacesOfWhichOnlyTheFirstAdds) {
    {
        Rig rig({"ABBA", "Blur"});
        EXPECT_EQ(rig.quick.currentSlots(),
                  (QList<SmartDJSlot>{adding(true), filler(), filler(), filler(), filler()}));
    }
    {
        Rig rig({"A", "B", "C", "D", "E", "F"}, QStringList{"a", "B", "C", "D", "E"});
        EXPECT_EQ(rig.quick.currentSlots(),
                  (QList<SmartDJSlot>{shown("A"), shown("B"), shown("C"), shown("D"), shown("E")}));
    }
    {
        // A name the library lacks keeps no place, and neither it nor a shown one is offered.
        Rig rig({"ABBA", "Blur", "Cher"}, QStringList{"abba", "Nobody"});
        EXPECT_EQ(rig.quick.currentSlots(),
                  (QList<SmartDJSlot>{shown("ABBA"), adding(true), filler(), filler(), filler()}));
        EXPECT_EQ(titlesOf(rig.quick.addMenu()), (QStringList{"Blur", "Cher"}));
        EXPECT_EQ(rig.quick.addMenu().sections().front().title, QStringLiteral("add an artist"));
    }
    {
        // Nothing else to add: the adding place is disabled.
        Rig rig({"ABBA"}, QStringList{"ABBA"});
        EXPECT_EQ(rig.quick.currentSlots(),
                  (QList<SmartDJSlot>{shown("ABBA"), adding(false), filler(), filler(), filler()}));
    }
}

TEST(SmartDJSlots, AddingToAFullRowDropsAHiddenNameBeforeAShownOne) {
    Rig rig({"Abba", "X", "Y", "Z", "W"}, QStringList{"Abba", "Nobody", "X", "Y", "Z"});
    EXPECT_EQ(rig.quick.currentSlots().at(4), adding(true));
    EXPECT_EQ(titlesOf(rig.quick.addMenu()), QStringList{"W"});
    rig.quick.addMenu().items().front().run();
    EXPECT_EQ(rig.app->smartDJArtists(), (QStringList{"Abba", "X", "Y", "Z", "W"}));
    EXPECT_EQ(rig.defaults.stringList(QStringLiteral("smartDJArtists")),
              (QStringList{"Abba", "X", "Y", "Z", "W"}));

    // All shown: the oldest goes.
    EXPECT_EQ(QuickplaySettings::added({"A", "B", "C", "D", "E"}, "F", [](const QString&) { return true; }),
              (QStringList{"B", "C", "D", "E", "F"}));
    EXPECT_EQ(QuickplaySettings::added({"A", "B"}, "C", [](const QString&) { return false; }),
              (QStringList{"A", "B", "C"}));

    rig.quick.remove(QStringLiteral("x"));
    EXPECT_EQ(rig.app->smartDJArtists(), (QStringList{"Abba", "Y", "Z", "W"}));
}

TEST(QuickplaySettings, ClearingPinsAfterConfirming) {
    Rig rig({"ABBA"}, std::nullopt, {"artist:ABBA", "artist:Blur", "artist:Cher"});
    ASSERT_EQ(rig.app->pins().size(), 3);
    EXPECT_EQ(rig.quick.pinsHelp(), "3 of six pinned.");
    EXPECT_EQ(rig.quick.pinsQuestion(), "unpin all 3?");
    EXPECT_TRUE(rig.quick.hasPins());
    rig.quick.clearPins();
    EXPECT_EQ(rig.quick.pinsHelp(), "Nothing pinned.");
    EXPECT_FALSE(rig.quick.hasPins());
    EXPECT_EQ(rig.defaults.value(QStringLiteral("pins")), QJsonValue(QJsonArray()));
}

TEST(QuickplaySettings, ClearedPinsStayClearedWhenOnlyTheOlderKeyHeldThem) {
    TestHome home;
    {
        Defaults defaults;
        defaults.set(QStringLiteral("pinnedArtists"), QJsonArray{QStringLiteral("ABBA")});
        AppModel app(defaults);
        ASSERT_EQ(app.pins().size(), 1);
        QuickplaySettings quick;
        quick.setApp(&app);
        quick.clearPins();
    }
    Defaults defaults;
    AppModel again(defaults);
    EXPECT_TRUE(again.pins().isEmpty());
}

TEST(QuickplaySettings, HistoryCanBeClearedWhileEitherHistoryOrListensHoldSomething) {
    Rig rig({"ABBA"});
    EXPECT_FALSE(rig.quick.canClearHistory());
    rig.player->log().setListens({Listen{}});
    ASSERT_TRUE(rig.player->historyPaths().isEmpty());
    EXPECT_TRUE(rig.quick.canClearHistory());
    rig.quick.clearHistory();
    EXPECT_TRUE(rig.player->log().listens().isEmpty());
    EXPECT_FALSE(rig.quick.canClearHistory());
}

} // namespace
