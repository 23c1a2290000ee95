#include "MenuRig.h"
#include "kit/MenuLevel.h"

#include <gtest/gtest.h>

TEST(DropMenuPage, EmptySectionsAreDroppedAndRowsAreFlat) {
    std::vector<DropMenuSection> sections(3);
    sections[0].items = {plain("a"), plain("b")};
    sections[1].title = QStringLiteral("gone");
    sections[2].title = QStringLiteral("kept");
    sections[2].items = {plain("c"), plain("d"), plain("e")};
    const DropMenuPage page(std::move(sections));
    ASSERT_EQ(page.sections().size(), 2u);
    EXPECT_EQ(page.sections()[1].title, QStringLiteral("kept"));
    ASSERT_EQ(page.items().size(), 5u);
    EXPECT_EQ(page.items()[2].title, "c");
    EXPECT_EQ(MenuLevel::starts(page), (std::vector<int>{0, 2}));
    EXPECT_NE(page.items()[0].id, page.items()[1].id);
}

TEST(DropMenuPage, OpensRunsEachTimeItsSubPageOpens) {
    FakeMenuClock clock;
    FakeMenuHost host;
    int built = 0;
    DropMenuPage page({DropMenuSection{std::nullopt,
                                       {leading("more",
                                                [&] {
                                                    ++built;
                                                    return pageOf({2});
                                                }),
                                        plain("plain")}}});
    MenuController menu(std::move(page), {100, 100, 40, 20}, false, &host, clock, {});
    EXPECT_EQ(built, 0); // never in advance
    menu.choose(0, menu.levels()[0]);
    EXPECT_EQ(built, 1);
    menu.key(Qt::Key_Left);
    menu.choose(0, menu.levels()[0]);
    EXPECT_EQ(built, 2);
}

struct LayoutCase {
    const char* name;
    std::vector<int> sizes;
    bool titled;
    std::vector<int> starts;
    double estimate;
    double content;
};
class MenuLayout : public ::testing::TestWithParam<LayoutCase> {};
TEST_P(MenuLayout, StartsEstimateAndDrawnHeight) {
    const LayoutCase& c = GetParam();
    const DropMenuPage page = pageOf(c.sizes, c.titled);
    EXPECT_EQ(MenuLevel::starts(page), c.starts);
    EXPECT_DOUBLE_EQ(MenuLevel::estimate(page), c.estimate);
    MenuLevel level(page, 0);
    EXPECT_DOUBLE_EQ(level.contentHeight(), c.content);
    // The laid-out height is what the estimate promised, so a panel is not re-placed after drawing.
    const double drawn = level.scrollHeight() + 2 * MenuLevel::padding;
    EXPECT_DOUBLE_EQ(drawn, c.estimate);
}
INSTANTIATE_TEST_SUITE_P(Cases, MenuLayout,
                         ::testing::Values(LayoutCase{"ThreeSections", {2, 1, 4}, false, {0, 2, 3}, 230, 218},
                                           LayoutCase{"TwentyRowsScroll", {20}, false, {0}, 360, 560},
                                           LayoutCase{"OneTitledSection", {3}, true, {0}, 116, 104},
                                           LayoutCase{"NoRows", {0}, false, {}, 12, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuLevel, RowFramesFollowTheLayoutAndTheScroll) {
    // Two titled sections: heading, 2 rows, divider, heading, 1 row.
    MenuLevel level(pageOf({2, 1}, true), 0);
    EXPECT_EQ(level.rowFrame(0), QRectF(0, 26, 240, 28));
    EXPECT_EQ(level.rowFrame(2), QRectF(0, 6 + 20 + 56 + 11 + 20, 240, 28));
    EXPECT_EQ(level.row({10, 27}), 0);
    EXPECT_EQ(level.row({10, 54 + 1}), 1);
    EXPECT_EQ(level.row({10, 15}), std::nullopt); // the heading
    EXPECT_EQ(level.row({10, 84}), std::nullopt); // the divider
    EXPECT_EQ(level.row({250, 27}), std::nullopt);
}

TEST(MenuLevel, OnlyRowsShownInTheScrollAreaAreUnderThePointer) {
    MenuLevel level(pageOf({20}), 0);
    // Row 12 lies below the 348-px area until the list scrolls.
    EXPECT_EQ(level.row({10, 6 + 12 * 28 + 5}), 12);
    EXPECT_EQ(level.row({10, 6 + 348 + 2}), std::nullopt); // the bottom padding, over row 12's rest
    level.setScrollY(28 * 5);
    EXPECT_EQ(level.row({10, 6 + 1}), 5);
    EXPECT_EQ(level.rowFrame(5).top(), 6);
    EXPECT_EQ(level.row({10, 3}), std::nullopt); // the top padding, over row 4
}

TEST(MenuLevel, HeightsOfTwelveOrLessAreNotTaken) {
    MenuLevel level(pageOf({3}, true), 0);
    EXPECT_EQ(level.height(), 116);
    level.measured(12);
    EXPECT_EQ(level.height(), 116);
    level.measured(118);
    EXPECT_EQ(level.height(), 118);
}
