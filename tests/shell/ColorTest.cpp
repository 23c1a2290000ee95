#include "shell/look/ColorMath.h"

#include <gtest/gtest.h>
#include <limits>

TEST(ColorMixing, EndsAndMiddle) {
    const QColor red = ColorMath::rgb(0xFF0000);
    const QColor blue = ColorMath::rgb(0x0000FF);
    EXPECT_EQ(ColorMath::mixed(red, blue, 0), red);
    EXPECT_EQ(ColorMath::mixed(red, blue, 1), blue);
    const QColor half = ColorMath::mixed(red, blue, 0.5);
    EXPECT_NEAR(half.redF(), 0.5, 1e-3);
    EXPECT_NEAR(half.blueF(), 0.5, 1e-3);
    // The receiving colour comes back in sRGB form even when it was given in another model.
    const QColor hsv = QColor::fromHsvF(0.5f, 1, 1);
    EXPECT_EQ(ColorMath::mixed(hsv, blue, 0).spec(), QColor::Rgb);
    // Alpha blends too: a scrim over a colour.
    EXPECT_NEAR(ColorMath::mixed(QColor(0, 0, 0, 0), red, 0.5).alphaF(), 0.5, 1e-3);
}

TEST(ColorMixing, UnusableInputs) {
    const QColor blue = ColorMath::rgb(0x0000FF);
    // No receiving colour: grey stands in for it.
    const QColor fromGrey = ColorMath::mixed(QColor(), blue, 0.5);
    EXPECT_NEAR(fromGrey.redF(), 0.25, 1e-3);
    EXPECT_NEAR(fromGrey.blueF(), 0.75, 1e-3);
    // Nothing to blend toward, or no fraction: the first colour unchanged.
    EXPECT_EQ(ColorMath::mixed(blue, QColor(), 0.7), blue);
    EXPECT_EQ(ColorMath::mixed(blue, Qt::red, std::numeric_limits<double>::quiet_NaN()), blue);
    // Fractions beyond the ends are held at them.
    EXPECT_EQ(ColorMath::mixed(blue, Qt::red, 7), QColor(Qt::red));
}

TEST(ColorMath, HueWrapsAndGreyReadsAsHueZero) {
    EXPECT_DOUBLE_EQ(ColorMath::wrapHue(1.01), 0.01 + 0.0 * 1e-12 + (1.01 - 1 - 0.01));
    EXPECT_NEAR(ColorMath::wrapHue(-0.25), 0.75, 1e-12);
    EXPECT_EQ(ColorMath::wrapHue(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(ColorMath::hsb(ColorMath::rgb(0x808080)).h, 0);
    // The top byte of a 0xRRGGBB value is ignored.
    EXPECT_EQ(ColorMath::rgb(0xFF123456), ColorMath::rgb(0x123456));
}
