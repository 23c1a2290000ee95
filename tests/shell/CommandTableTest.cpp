#include "shell/CommandTable.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
struct Fixture {
    TestHome home;
    Defaults defaults;
    FakeMediaBackend backend;
    Player player{defaults, backend};
    LibraryStore library{defaults};
    AppModel app{defaults};
    CommandTable commands{app, player, library};

    QString title(const QString& id) const { return commands.command(id)->title; }
    bool enabled(const QString& id) const { return commands.command(id)->enabled; }
};
void settle() {
    QCoreApplication::processEvents();
}
} // namespace

TEST(CommandTable, TitlesAndStatesFollowThePlayer) {
    Fixture f;
    EXPECT_EQ(f.title("toggle"), "Play");
    EXPECT_TRUE(f.enabled("toggle"));
    EXPECT_FALSE(f.enabled("like"));
    EXPECT_FALSE(f.enabled("nowPlaying"));
    EXPECT_FALSE(f.enabled("back"));
    EXPECT_FALSE(f.commands.trigger("nowPlaying")); // disabled: the shortcut does nothing
    EXPECT_FALSE(f.commands.trigger("like"));

    QSignalSpy changed(&f.commands, &CommandTable::changed);
    f.player.play({makeSong("/m/a.mp3", "A", "B"), makeSong("/m/b.mp3", "A", "B")});
    EXPECT_GT(changed.count(), 0);
    EXPECT_EQ(f.title("toggle"), "Pause");
    EXPECT_EQ(f.title("like"), "Like Song");
    ASSERT_TRUE(f.commands.trigger("like"));
    EXPECT_EQ(f.title("like"), "Unlike Song");
    EXPECT_TRUE(f.player.isLiked(f.player.current()));

    EXPECT_FALSE(*f.commands.command("shuffle")->checked);
    f.commands.trigger("shuffle");
    EXPECT_TRUE(*f.commands.command("shuffle")->checked);
    EXPECT_TRUE(f.player.shuffle());
}

TEST(CommandTable, VolumeStepsAreClamped) {
    Fixture f;
    struct Case {
        double from;
        const char* command;
        double to;
    } cases[] = {{0.98, "volumeUp", 1.0},   {1.0, "volumeUp", 1.0},   {0.5, "volumeUp", 0.55},
                 {0.02, "volumeDown", 0.0}, {0.0, "volumeDown", 0.0}, {0.5, "volumeDown", 0.45}};
    for (const auto& c : cases) {
        f.player.setVolume(c.from);
        f.commands.trigger(c.command);
        EXPECT_DOUBLE_EQ(f.player.volume(), c.to) << c.from << " " << c.command;
    }
}

TEST(CommandTable, NavigationCommands) {
    Fixture f;
    f.commands.trigger("settings");
    settle();
    EXPECT_EQ(f.app.page(), Page::settings);
    EXPECT_TRUE(f.enabled("back"));

    f.commands.trigger("newPlaylist");
    settle();
    EXPECT_EQ(f.app.page(), Page::collection);
    EXPECT_EQ(f.app.collectionTamsk(), CollectionTamsk::playlists);
    EXPECT_TRUE(f.app.namingNewPlaylist());

    f.commands.trigger("albums");
    settle();
    EXPECT_EQ(f.app.collectionTamsk(), CollectionTamsk::albums);
    EXPECT_EQ(f.app.backStack().size(), 2); // already on the collection: only the section changed

    f.app.openMixview(MixSeed::artist("A"));
    f.commands.trigger("back");
    EXPECT_TRUE(f.app.mixviewLeaving());

    QSignalSpy add(&f.library, &LibraryStore::addMusicRequested);
    f.commands.trigger("addMusic");
    EXPECT_EQ(add.count(), 1);
}

TEST(CommandTable, MenusInOrderWithShortcuts) {
    Fixture f;
    const QVariantList menus = f.commands.menus();
    ASSERT_EQ(menus.size(), 3);
    QStringList titles;
    for (const QVariant& m : menus)
        titles.append(m.toMap().value("title").toString());
    EXPECT_EQ(titles, (QStringList{"File", "Playback", "Go"}));
    const auto shortcut = [&](const QString& id) { return f.commands.command(id)->shortcut.toString(); };
    EXPECT_EQ(shortcut("shuffle"), "Ctrl+Alt+S");
    EXPECT_EQ(shortcut("back"), "Ctrl+[");
    EXPECT_EQ(shortcut("settings"), "Ctrl+,");
    EXPECT_EQ(shortcut("newPlaylist"), "Ctrl+Shift+N");
    EXPECT_EQ(shortcut("playlists"), "Ctrl+Alt+4");
}
