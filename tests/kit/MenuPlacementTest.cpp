#include "kit/MenuPlacement.h"
#include "MenuRig.h"

#include <gtest/gtest.h>

namespace {
const QRectF window(0, 0, 1280, 800);
}

TEST(MenuPlacement, UnderAnAnchor) {
    // Room below: 4 px left of the button, 6 px under it.
    EXPECT_EQ(MenuPlacement::underAnchor({100, 50, 30, 20}, 200, window), QRectF(96, 76, 240, 200));
    // Near the bottom it stands above the button, 6 px from it.
    EXPECT_EQ(MenuPlacement::underAnchor({100, 700, 30, 20}, 200, window), QRectF(96, 494, 240, 200));
    // Near the right it ends 8 px inside the window.
    EXPECT_EQ(MenuPlacement::underAnchor({1200, 50, 30, 20}, 200, window).right(), 1272);
}

TEST(MenuPlacement, AtThePointer) {
    EXPECT_EQ(MenuPlacement::atPointer({300, 200}, 100, window), QRectF(300, 200, 240, 100));
    // Near the bottom it stands on the pointer; near the right it opens to its left.
    EXPECT_EQ(MenuPlacement::atPointer({300, 750}, 100, window), QRectF(300, 650, 240, 100));
    EXPECT_EQ(MenuPlacement::atPointer({1100, 200}, 100, window), QRectF(860, 200, 240, 100));
}

TEST(MenuPlacement, SubPageBesideItsRow) {
    const QRectF parent(200, 100, 240, 300);
    const QRectF row(0, 62, 240, 28);
    // To the right, overlapping 2, its first row level with the parent's row.
    EXPECT_EQ(MenuPlacement::besideRow(parent, row, 100, window), QRectF(438, 156, 240, 100));
    // Near the right edge it goes to the left, overlapping 2.
    const QRectF right(1000, 100, 240, 300);
    EXPECT_EQ(MenuPlacement::besideRow(right, row, 100, window).right(), 1002);
    // Without a row frame: the bottom left, 8 px in.
    EXPECT_EQ(MenuPlacement::besideRow(parent, std::nullopt, 100, window), QRectF(8, 692, 240, 100));
}

TEST(MenuPlacement, GrowthKeepsTheEdgeFacingTheAnchorAndTheMargins) {
    const QRectF hanging(96, 76, 240, 200);
    EXPECT_EQ(MenuPlacement::regrown(hanging, 300, false, window), QRectF(96, 76, 240, 300));
    const QRectF above(96, 494, 240, 200);
    EXPECT_EQ(MenuPlacement::regrown(above, 300, true, window), QRectF(96, 394, 240, 300));
    // Grown past the bottom: pushed up to stay 8 px above it.
    EXPECT_EQ(MenuPlacement::regrown({96, 500, 240, 100}, 360, false, window).bottom(), 792);
}

TEST(MenuPlacement, ATinyWindowKeepsTheRightMarginAndTheTop) {
    const QRectF tiny(0, 0, 200, 100);
    EXPECT_EQ(MenuPlacement::kept(50, 50, 300, tiny), QRectF(-48, 0, 240, 300));
}
