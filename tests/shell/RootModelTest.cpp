#include "shell/RootModel.h"
#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/TamskApp.h"
#include "shell/artwork/ArtworkCache.h"
#include "shell/look/Accent.h"
#include "shell/look/AccentStore.h"
#include "support/PrivateBus.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(RootModel, ColourSchemeFromTheAppearanceSetting) {
    struct Case {
        const char* appearance;
        bool systemDark;
        bool dark;
    } cases[] = {{"dark", false, true},    {"light", true, false}, {"system", true, true},
                 {"system", false, false}, {"sepia", true, true},  {"", false, false}};
    for (const auto& c : cases)
        EXPECT_EQ(RootModel::isDarkScheme(c.appearance, c.systemDark), c.dark)
            << c.appearance << c.systemDark;
}

TEST(RootModel, RemapReplacesOnlyChangedSongsAndKeepsTheRest) {
    const Song a = makeSong("/m/a.mp3", "A", "B", "A"), b = makeSong("/m/b.mp3", "A", "B", "B"),
               gone = makeSong("/m/gone.mp3", "A", "B", "Gone");
    Song renamed = b;
    renamed.title = "B (edited)";
    renamed.taggedTitle = "B";
    QHash<QString, Song> library{{a.path(), a}, {b.path(), renamed}};
    const auto lookup = [&](const QString& path) -> std::optional<Song> {
        return library.contains(path) ? std::optional(library.value(path)) : std::nullopt;
    };
    const auto next = RootModel::remapped({a, b, gone, b}, lookup);
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, (QList<Song>{a, renamed, gone, renamed})); // same length and order; the lost song stays
    library[b.path()] = b;
    EXPECT_FALSE(RootModel::remapped({a, b, gone}, lookup)); // nothing changed: no reassignment
}

// The whole application object over a private home and session bus, with its real stores.
TEST(TamskApp, MigratesBeforeAnyStoreAndRemapsTheQueue) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    // The former program's playlists must be what the store reads: the move runs before any store exists.
    TestHome::writeFile(
        DataFolder::formerPath() + "/playlists.json",
        R"([{"id":"5A0E0000-0000-4000-8000-0000000000AA","name":"old","paths":[],"created":1}])");
    const QString music = home.folder("Music");
    QDir().mkpath(music + "/A/B");
    QFile::copy(fixturePath("tone.flac"), music + "/A/B/one.flac");
    TestHome::writeFile(Defaults::standardPath(),
                        QStringLiteral(R"({"libraryFolder":"%1","watchFolder":false})").arg(music).toUtf8());

    TamskApp app;
    ASSERT_FALSE(app.handedOver());
    ASSERT_EQ(app.playlists().playlists().size(), 1);
    EXPECT_EQ(app.playlists().playlists().first().name, "old");

    // First show: a scan; then a change of the library's songs re-maps the queue onto the new values.
    app.root().shown();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.library().songs().size() == 1; }, 10000));
    Song stale = app.library().songs().first();
    stale.title = "stale title";
    app.player().setQueue({stale});
    QSignalSpy nowPlaying(&app.player(), &Player::nowPlayingChanged);
    const Album album = app.library().albums().first();
    app.library().rename(album, "Renamed Album");
    ASSERT_EQ(app.player().queue().size(), 1);
    EXPECT_EQ(app.player().queue().first().album, "Renamed Album");
    EXPECT_EQ(app.player().queue().first().title, app.library().songs().first().title);
    EXPECT_EQ(nowPlaying.count(), 1);
}

TEST(TamskApp, SpaceTypesInTextFieldsAndEscapeGoesBack) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TestHome::writeFile(Defaults::standardPath(), R"({"watchFolder":false})");
    TamskApp app;
    ASSERT_TRUE(app.showMainWindow());
    QQuickWindow* window = app.mainWindow();
    window->requestActivate();

    // A text field of some page, focused: Space is a space.
    QQmlComponent component(&app.engine());
    component.setData("import QtQuick\nTextInput { width: 100; height: 20 }", QUrl());
    auto* field = qobject_cast<QQuickItem*>(component.create());
    ASSERT_TRUE(field);
    field->setParentItem(window->contentItem());
    field->forceActiveFocus();
    QSignalSpy playing(&app.player(), &Player::isPlayingChanged);
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_EQ(field->property("text").toString(), " ");

    // Without a text field, Space plays or pauses.
    field->setFocus(false);
    field->setVisible(false);
    app.player().play({makeSong(fixturePath("tone.wav"), "A", "B", "Tone")});
    ASSERT_TRUE(app.player().isPlaying());
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_FALSE(app.player().isPlaying());

    app.app().go(Page::settings);
    QCoreApplication::processEvents();
    QTest::keyClick(window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(app.app().page(), Page::quickplay);
    delete field;
}

TEST(TamskApp, DropHandsTheFilesToTheImportOnce) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TestHome::writeFile(Defaults::standardPath(), R"({"watchFolder":false})");
    TamskApp app;
    QSignalSpy status(&app.library(), &LibraryStore::importStatusChanged);
    app.root().setDropping(true);
    app.root().drop({QUrl::fromLocalFile(home.folder("nothing here"))});
    EXPECT_FALSE(app.root().dropping());
    EXPECT_EQ(app.library().importStatusText(), "looking at what you dropped");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.library().importStatusText() == "no songs in what you dropped"; }, 5000));
    EXPECT_EQ(status.count(), 2);
}

TEST(TamskApp, AccentFollowsItsSettingAndFallsBackToMagenta) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TestHome::writeFile(Defaults::standardPath(), R"({"watchFolder":false,"accent":"no such accent"})");
    TamskApp app;
    // Nothing plays: the key ends with the empty cover path.
    EXPECT_TRUE(app.root().accentKey().endsWith(' '));
    EXPECT_TRUE(app.root().accentKey().startsWith("no such accent flash "));
    app.root().shown();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.accent().accent() == *AccentChoices::preset(AccentChoice::magenta); }, 3000));
    app.defaults().set("accent", "lime");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.accent().accent() == *AccentChoices::preset(AccentChoice::lime); }, 3000));
}

TEST(TamskApp, ANewArtistPictureIsNotServedFromTheOldOne) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TestHome::writeFile(Defaults::standardPath(), R"({"watchFolder":false})");
    TamskApp app;
    const int before = app.artwork().revision();
    ASSERT_TRUE(app.pictures().set(QUrl::fromLocalFile(fixturePath("cover.jpg")), "Joni"));
    EXPECT_GT(app.artwork().revision(), before);
}
