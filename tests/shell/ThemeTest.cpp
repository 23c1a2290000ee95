#include "shell/look/Theme.h"

#include <QQuickItem>
#include <gtest/gtest.h>
#include <limits>

struct TimeCase {
    double seconds;
    const char* text;
};
class FormatTime : public ::testing::TestWithParam<TimeCase> {};
TEST_P(FormatTime, MinutesAndSeconds) {
    EXPECT_EQ(Theme::formatTime(GetParam().seconds), QString::fromLatin1(GetParam().text));
}
INSTANTIATE_TEST_SUITE_P(Cases, FormatTime,
                         ::testing::Values(TimeCase{59.9, "0:59"}, TimeCase{60, "1:00"}, TimeCase{0, "0:00"},
                                           TimeCase{-1, "0:00"}, TimeCase{-0.4, "0:00"},
                                           TimeCase{std::numeric_limits<double>::quiet_NaN(), "0:00"},
                                           TimeCase{std::numeric_limits<double>::infinity(), "0:00"},
                                           TimeCase{-std::numeric_limits<double>::infinity(), "0:00"},
                                           TimeCase{3725, "62:05"},
                                           // Past 32-bit minutes the count must not wrap or go negative.
                                           TimeCase{6e11, "10000000000:00"},
                                           TimeCase{1e300, "76666666666666666:40"}));

struct SizeCase {
    qint64 bytes;
    const char* text;
};
class FormatSize : public ::testing::TestWithParam<SizeCase> {};
TEST_P(FormatSize, DecimalUnits) { EXPECT_EQ(Theme::formatSize(GetParam().bytes), QString::fromLatin1(GetParam().text)); }
INSTANTIATE_TEST_SUITE_P(Cases, FormatSize,
                         ::testing::Values(SizeCase{1'500'000'000, "1.5 GB"}, SizeCase{1'000'000'000, "1.0 GB"},
                                           SizeCase{999'999'999, "1000 MB"}, SizeCase{0, "0 MB"},
                                           SizeCase{250'000'000, "250 MB"}));

TEST(Theme, PaletteFollowsTheSchemeOfEachPartOfTheTree) {
    // A light window holding a forced-dark panel (Now Playing) holding an unforced row.
    QQuickItem window, panel, row, other;
    panel.setParentItem(&window);
    row.setParentItem(&panel);
    other.setParentItem(&window);
    Theme* rowTheme = Theme::qmlAttachedProperties(&row);
    Theme* otherTheme = Theme::qmlAttachedProperties(&other);
    EXPECT_EQ(rowTheme->primary(), QColor(0x16, 0x16, 0x16));

    Theme::qmlAttachedProperties(&panel)->setScheme(Theme::Dark);
    EXPECT_TRUE(rowTheme->isDark());
    EXPECT_EQ(rowTheme->primary(), QColor(Qt::white));
    EXPECT_EQ(rowTheme->base(), QColor(0x0E, 0x0E, 0x0E));
    EXPECT_FALSE(otherTheme->isDark());
    EXPECT_EQ(otherTheme->base(), QColor(0xF2, 0xF2, 0xF2));

    // The window turning dark reaches the other branch; the panel stays dark when the window turns light.
    Theme::qmlAttachedProperties(&window)->setScheme(Theme::Dark);
    EXPECT_TRUE(otherTheme->isDark());
    Theme::qmlAttachedProperties(&window)->setScheme(Theme::Light);
    EXPECT_FALSE(otherTheme->isDark());
    EXPECT_TRUE(rowTheme->isDark());

    // Moving the row out of the panel brings it back to the window's scheme.
    row.setParentItem(&other);
    EXPECT_FALSE(rowTheme->isDark());
    EXPECT_EQ(Theme::qmlAttachedProperties(&row), rowTheme); // one theme per item
}

TEST(Theme, FixedColoursFontsAndBackdropCentre) {
    EXPECT_EQ(Theme::scrim(), QColor::fromRgbF(0, 0, 0, 0.55f));
    EXPECT_EQ(Theme::ring(), QColor::fromRgbF(1, 1, 1, 0.25f));
    EXPECT_EQ(Theme::connectedColor.resolve(true), QColor(0x4C, 0xC3, 0x8A));
    EXPECT_EQ(Theme::display().pixelSize(), 64);
    EXPECT_EQ(Theme::display().weight(), QFont::Light);
    EXPECT_EQ(Theme::detail().pixelSize(), 11);
    EXPECT_EQ(Theme::row().weight(), QFont::Normal);
    EXPECT_EQ(Theme::capsFont(13).capitalization(), QFont::AllUppercase);
    EXPECT_EQ(Theme::capsFont(13).weight(), QFont::DemiBold);

    // A view at (100, 50), 300 × 200, in the default window: the window's centre in its unit square.
    const QPointF c = Theme::chromeMatchCentre({1280, 800}, {100, 50, 300, 200});
    EXPECT_DOUBLE_EQ(c.x(), (640.0 - 100) / 300);
    EXPECT_DOUBLE_EQ(c.y(), (336.0 - 50) / 200);
    // A view of no size divides by one.
    const QPointF z = Theme::chromeMatchCentre({1280, 800}, {100, 50, 0, 0});
    EXPECT_DOUBLE_EQ(z.x(), 540);
    EXPECT_DOUBLE_EQ(z.y(), 286);
}
