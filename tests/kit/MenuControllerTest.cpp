#include "MenuRig.h"
#include "kit/MenuLevel.h"

#include <gtest/gtest.h>

namespace {
// A page whose row 0 leads to a sub-page of three rows; rows 1 and 2 are plain.
struct Rig {
    FakeMenuClock clock;
    FakeMenuHost host;
    int ran = 0;
    int closes = 0;
    std::unique_ptr<MenuController> menu;

    explicit Rig(QRectF anchor = {100, 100, 40, 20}, bool atPointer = false) {
        DropMenuPage page(
            {DropMenuSection{std::nullopt,
                             {leading("more", [] { return pageOf({3}); }), plain("one", [this] { ++ran; }),
                              plain("two", [this] { ++ran; })}}});
        menu = std::make_unique<MenuController>(std::move(page), anchor, atPointer, &host, clock,
                                                [this] { ++closes; });
    }
    MenuLevel* level(size_t d) const { return menu->levels().at(d); }
    // The centre of a row of a level, in its panel.
    QPointF over(size_t d, int row) const { return level(d)->rowFrame(row).center(); }
};
} // namespace

TEST(MenuController, ASubPageOpensAfterTheRestAndNotBefore) {
    Rig r;
    r.menu->pointer(r.over(0, 0), r.level(0));
    r.clock.advance(0.17);
    r.menu->pointer(r.over(0, 1), r.level(0)); // a plain row cancels the opening
    r.clock.advance(0.1);
    EXPECT_EQ(r.menu->levels().size(), 1u);

    r.menu->pointer(r.over(0, 0), r.level(0));
    r.clock.advance(0.1);
    r.menu->pointer(r.over(0, 0) + QPointF(5, 2), r.level(0)); // the same target keeps its time
    r.clock.advance(0.08);
    ASSERT_EQ(r.menu->levels().size(), 2u);
    EXPECT_EQ(r.level(0)->opened(), 0);
    // Its first row is level with the row that opened it, and it slides in from the left.
    EXPECT_EQ(r.level(1)->frame().top(), r.level(0)->frame().top() + r.level(0)->rowFrame(0).top() - 6);
    EXPECT_EQ(r.level(1)->slideX(), -8);
}

TEST(MenuController, LeavingAnOpenRowClosesItsSubPageUnlessThePointerReachesIt) {
    Rig r;
    r.menu->choose(0, r.level(0)); // opens at once, the menu stays
    ASSERT_EQ(r.menu->levels().size(), 2u);
    r.menu->pointer(r.over(0, 1), r.level(0));
    r.clock.advance(0.29);
    r.menu->pointer(r.over(1, 0), r.level(1)); // reached diagonally in time
    r.clock.advance(0.5);
    ASSERT_EQ(r.menu->levels().size(), 2u);
    EXPECT_EQ(r.level(0)->lit(), 0); // its row stays highlighted

    r.menu->pointer(r.over(0, 2), r.level(0));
    r.clock.advance(0.3);
    EXPECT_EQ(r.menu->levels().size(), 1u);
    EXPECT_EQ(r.level(0)->opened(), std::nullopt);
    EXPECT_EQ(r.host.dismissed, std::vector<int>{1});
}

TEST(MenuController, ArrowsWrapAndWalkIntoSubPages) {
    Rig r;
    r.menu->key(Qt::Key_Down);
    EXPECT_EQ(r.level(0)->lit(), 0);
    r.level(0)->setLit(std::nullopt);
    r.menu->key(Qt::Key_Up);
    EXPECT_EQ(r.level(0)->lit(), 2);
    r.menu->key(Qt::Key_Down);
    EXPECT_EQ(r.level(0)->lit(), 0);
    r.menu->key(Qt::Key_Up);
    EXPECT_EQ(r.level(0)->lit(), 2);

    r.menu->key(Qt::Key_Right); // a plain row: nothing
    EXPECT_EQ(r.menu->levels().size(), 1u);
    r.menu->key(Qt::Key_Down);
    EXPECT_TRUE(r.menu->key(Qt::Key_Right));
    ASSERT_EQ(r.menu->levels().size(), 2u);
    EXPECT_EQ(r.level(1)->lit(), 0);
    r.menu->key(Qt::Key_Left);
    EXPECT_EQ(r.menu->levels().size(), 1u);
    EXPECT_EQ(r.level(0)->lit(), 0);
    EXPECT_FALSE(r.menu->isClosed());
    r.menu->key(Qt::Key_Escape);
    EXPECT_TRUE(r.menu->isClosed());
    EXPECT_EQ(r.closes, 1);
}

TEST(MenuController, ReturnRunsTheLitRowAfterClosingAndNothingWithoutOne) {
    Rig r;
    EXPECT_TRUE(r.menu->key(Qt::Key_Return));
    EXPECT_FALSE(r.menu->isClosed());
    EXPECT_FALSE(r.menu->key(Qt::Key_A)); // typing goes on to the window
    r.menu->key(Qt::Key_Up);
    bool closedFirst = false;
    const_cast<DropMenuItem&>(r.level(0)->item(2)).run = [&] { closedFirst = r.menu->isClosed(); };
    r.menu->key(Qt::Key_Return);
    EXPECT_TRUE(closedFirst);
    EXPECT_EQ(r.closes, 1);
    r.menu->close();
    EXPECT_EQ(r.closes, 1);
    EXPECT_TRUE(r.menu->levels().empty());
}

TEST(MenuController, ClicksOutsideClose) {
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool swallowed;
    };
    for (const Case& c :
         {Case{Qt::LeftButton, {}, true}, Case{Qt::RightButton, {}, false},
          Case{Qt::LeftButton, Qt::ControlModifier, false}, Case{Qt::MiddleButton, {}, true}}) {
        Rig r;
        const QRectF panel = r.level(0)->frame();
        EXPECT_FALSE(r.menu->press(panel.center(), c.button, c.modifiers)); // inside: the row gets it
        EXPECT_FALSE(r.menu->isClosed());
        EXPECT_EQ(r.menu->press({5, 5}, c.button, c.modifiers), c.swallowed) << int(c.button);
        EXPECT_TRUE(r.menu->isClosed());
        EXPECT_EQ(r.ran, 0);
    }
}

TEST(MenuController, ATopPageAboveItsAnchorGrowsUpward) {
    Rig r({600, 700, 40, 20});
    MenuLevel* top = r.level(0);
    EXPECT_EQ(top->frame().bottom(), 694);
    EXPECT_EQ(top->slideY(), 6); // it slides up into place
    top->measured(120);
    EXPECT_EQ(top->frame(), QRectF(596, 574, 240, 120));

    Rig below;
    below.level(0)->measured(120);
    EXPECT_EQ(below.level(0)->frame().top(), 126);
    EXPECT_EQ(below.level(0)->slideY(), -6);
}

TEST(MenuController, ReducedMotionOnlyFades) {
    FakeMenuClock clock;
    FakeMenuHost host;
    host.reduce = true;
    MenuController menu(pageOf({2}), {100, 100, 40, 20}, false, &host, clock, {});
    EXPECT_EQ(menu.levels()[0]->slideX(), 0);
    EXPECT_EQ(menu.levels()[0]->slideY(), 0);
}

TEST(MenuController, DisabledRowsAreSkippedAndInert) {
    FakeMenuClock clock;
    FakeMenuHost host;
    int ran = 0;
    std::vector<DropMenuItem> items{plain("a", [&] { ++ran; }), plain("b", [&] { ++ran; }),
                                    plain("c", [&] { ++ran; })};
    items[1].enabled = false;
    MenuController menu(DropMenuPage({DropMenuSection{std::nullopt, items}}), {100, 100, 40, 20}, false,
                        &host, clock, {});
    MenuLevel* level = menu.levels()[0];
    menu.key(Qt::Key_Down);
    menu.key(Qt::Key_Down);
    EXPECT_EQ(level->lit(), 2);
    menu.pointer(level->rowFrame(1).center(), level);
    EXPECT_EQ(level->lit(), 2);
    menu.choose(1, level);
    EXPECT_FALSE(menu.isClosed());
    EXPECT_EQ(ran, 0);
}

TEST(DropMenu, OneMenuAtATime) {
    FakeMenuClock clock;
    FakeMenuHost host;
    DropMenu menus(nullptr);
    menus.setClock(&clock);
    menus.show(pageOf({2}), QRectF(100, 100, 40, 20), false, &host);
    QPointer<MenuController> first = menus.open();
    int firstCloses = 0;
    QObject::connect(first.data(), &MenuController::closed, [&] { ++firstCloses; });
    menus.show(pageOf({3}), QRectF(100, 100, 40, 20), false, &host);
    EXPECT_EQ(firstCloses, 1);
    EXPECT_NE(menus.open(), first);
    EXPECT_TRUE(menus.isOpen());

    // At the pointer, a page without rows opens nothing, and the open one still closes.
    menus.show(pageOf({0}), QRectF(10, 10, 0, 0), true, &host);
    EXPECT_FALSE(menus.isOpen());
    // From an anchor it opens an empty panel.
    menus.show(pageOf({0}), QRectF(100, 100, 40, 20), false, &host);
    ASSERT_TRUE(menus.isOpen());
    EXPECT_EQ(menus.open()->levels()[0]->frame().height(), 12);

    // An anchor whose item is in no window opens nothing, and closes the open menu.
    QQuickItem loose;
    menus.show(pageOf({2}), DropMenuAnchor::qmlAttachedProperties(&loose));
    EXPECT_FALSE(menus.isOpen());
}

TEST(DropMenu, AnActionThatShowsAMenuKeepsIt) {
    FakeMenuClock clock;
    FakeMenuHost host;
    DropMenu menus(nullptr);
    menus.setClock(&clock);
    DropMenuPage page({DropMenuSection{std::nullopt, {plain("again", [&] {
                                           menus.show(pageOf({1}), QRectF(5, 5, 10, 10), false, &host);
                                       })}}});
    menus.show(std::move(page), QRectF(100, 100, 40, 20), false, &host);
    MenuController* first = menus.open();
    first->choose(0, first->levels()[0]);
    ASSERT_TRUE(menus.isOpen());
    EXPECT_NE(menus.open(), first);
    EXPECT_EQ(menus.open()->levels()[0]->rows(), 1);
}
