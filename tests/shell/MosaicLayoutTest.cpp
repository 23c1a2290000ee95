#include "shell/look/MosaicLayout.h"
#include "shell/look/FloatingWindow.h"

#include <QQuickWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

using Spot = MosaicLayout::Spot;

struct PackCase {
    QList<int> spans;
    int columns;
    QList<Spot> spots;
    int rows;
};
void PrintTo(const PackCase& c, std::ostream* os) {
    *os << "spans";
    for (int s : c.spans)
        *os << ' ' << s;
    *os << " in " << c.columns << " columns";
}

class MosaicPack : public ::testing::TestWithParam<PackCase> {};

TEST_P(MosaicPack, FirstFitFromTheTop) {
    const auto& c = GetParam();
    const auto p = MosaicLayout::pack(c.spans, c.columns);
    EXPECT_EQ(p.spots, c.spots);
    EXPECT_EQ(p.rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MosaicPack,
    ::testing::Values(
        // The square takes columns 0-1 of two rows, the next two fill column 2, the last starts row 2.
        PackCase{{2, 1, 1, 1}, 3, {{0, 0}, {0, 2}, {1, 2}, {2, 0}}, 3},
        // A span wider than the grid is the grid's width.
        PackCase{{1, 3}, 2, {{0, 0}, {1, 0}}, 3},
        // Spans of 0 or less are 1.
        PackCase{{0, -4, 1}, 3, {{0, 0}, {0, 1}, {0, 2}}, 1}, PackCase{{}, 4, {}, 0},
        // Small tiles go back up into the hole beside a later large one.
        PackCase{{1, 2, 1, 1, 1}, 3, {{0, 0}, {0, 1}, {1, 0}, {2, 0}, {2, 1}}, 3},
        // Fewer than one column is one column.
        PackCase{{1, 2}, 0, {{0, 0}, {1, 0}}, 2}, PackCase{{1, 1}, -3, {{0, 0}, {1, 0}}, 2}));

TEST(MosaicLayout, CellsAndTileSquares) {
    const double cell = MosaicLayout::cellSide(1000, 12, 4);
    EXPECT_NEAR(cell, (1000.0 - 44) / 12, 1e-9);
    const QRectF two = MosaicLayout::tileRect({1, 3}, 2, 12, cell, 4);
    EXPECT_NEAR(two.width(), 163.333, 1e-3);
    EXPECT_NEAR(two.x(), 3 * (cell + 4), 1e-9);
    EXPECT_NEAR(two.y(), cell + 4, 1e-9);
    EXPECT_EQ(MosaicLayout::heightFor(0, cell, 4), 0);
    EXPECT_NEAR(MosaicLayout::heightFor(3, cell, 4), 3 * (cell + 4), 1e-9); // a spacing under the last row
    // Too narrow for its gaps: cells of no size, not negative ones.
    EXPECT_EQ(MosaicLayout::cellSide(10, 12, 4), 0);
    EXPECT_EQ(MosaicLayout::tileRect({0, 0}, 3, 12, 0, 4).width(), 8);
}

TEST(MosaicLayout, SizesItselfAndPlacesItsTiles) {
    MosaicLayout layout;
    layout.setColumns(3);
    layout.setSpacing(10);
    QQuickItem big, a, b;
    big.setParentItem(&layout);
    a.setParentItem(&layout);
    b.setParentItem(&layout);
    // Without a width the layout sizes itself for 1280: cells of 420.
    EXPECT_EQ(layout.implicitWidth(), 1280);
    QQuickWindow window;
    layout.setParentItem(window.contentItem());
    window.resize(400, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return layout.rows() == 1; }, 2000));
    EXPECT_EQ(layout.implicitHeight(), 430);
    EXPECT_EQ(b.position(), QPointF(860, 0));
    EXPECT_EQ(b.size(), QSizeF(420, 420));
    layout.setWidth(310); // cells of 96.67
    EXPECT_TRUE(QTest::qWaitFor([&] { return layout.implicitHeight() < 430; }, 2000));
    EXPECT_NEAR(layout.implicitHeight(), 106.667, 1e-3);
}

TEST(FloatingWindow, RaisesItsWindowOnTheNextTurnAndForGood) {
    QQuickWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* floating = new FloatingWindow(window.contentItem());
    EXPECT_FALSE(window.flags() & Qt::WindowStaysOnTopHint); // not at once
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(window.flags() & Qt::WindowStaysOnTopHint); }, 2000));
    delete floating;
    QTest::qWait(20);
    EXPECT_TRUE(window.flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());

    // An item that never enters a window changes nothing.
    FloatingWindow loose;
    QTest::qWait(20);
}
