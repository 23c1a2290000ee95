#include "kit/CommandMenus.h"
#include "MenuRig.h"
#include "core/Defaults.h"
#include "kit/MenuLevel.h"
#include "library/LibraryStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
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
};
int rowTitled(const DropMenuPage& page, const QString& title) {
    for (size_t i = 0; i < page.items().size(); ++i)
        if (page.items()[i].title == title) return int(i);
    return -1;
}
} // namespace

TEST(CommandMenus, PlaybackMenuWithNothingPlaying) {
    Fixture f;
    const DropMenuPage page = CommandMenus::page(f.commands, QStringLiteral("Playback"));
    // Dividers end sections: play/next/previous, the volume, like/shuffle/repeat.
    ASSERT_EQ(page.sections().size(), 3u);
    EXPECT_EQ(page.sections()[2].items.size(), 3u);
    const int like = rowTitled(page, QStringLiteral("Like Song"));
    const int shuffle = rowTitled(page, QStringLiteral("Shuffle"));
    ASSERT_GE(like, 0);
    ASSERT_EQ(shuffle, like + 1);
    EXPECT_FALSE(page.items()[size_t(like)].enabled);
    EXPECT_FALSE(page.items()[size_t(shuffle)].checked);
    EXPECT_FALSE(page.items()[size_t(shuffle)].trailing.isEmpty());

    FakeMenuClock clock;
    FakeMenuHost host;
    MenuController menu(page, {0, 0, 60, 24}, false, &host, clock, {});
    MenuLevel* level = menu.levels()[0];
    // Down from the row before Like goes past it.
    level->setLit(like - 1);
    menu.key(Qt::Key_Down);
    EXPECT_EQ(level->lit(), shuffle);
    level->setLit(like);
    menu.key(Qt::Key_Return);
    EXPECT_FALSE(menu.isClosed());

    QSignalSpy shuffled(&f.player, &Player::shuffleChanged);
    level->setLit(shuffle);
    menu.key(Qt::Key_Return);
    EXPECT_TRUE(menu.isClosed());
    EXPECT_EQ(shuffled.count(), 1);
    EXPECT_TRUE(f.player.shuffle());
    EXPECT_TRUE(CommandMenus::page(f.commands, QStringLiteral("Playback")).items()[size_t(shuffle)].checked);
}
