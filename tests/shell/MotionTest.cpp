#include "shell/look/Motion.h"

#include <gtest/gtest.h>

TEST(Motion, CurvesRunFromZeroToOneThroughTheirControlPoints) {
    for (const QEasingCurve& c : {Motion::enterCurve(), Motion::hoverCurve(), Motion::tamskCurve(),
                                  Motion::easeInOutCurve(), Motion::pressCurve()}) {
        EXPECT_NEAR(c.valueForProgress(0), 0, 1e-6);
        EXPECT_NEAR(c.valueForProgress(1), 1, 1e-6);
    }
    // Values of the cubic timing curves worked out independently (bisection on x(t)).
    EXPECT_NEAR(Motion::enterCurve().valueForProgress(0.2), 0.79439, 1e-3);
    EXPECT_NEAR(Motion::hoverCurve().valueForProgress(0.2), 0.30837, 1e-3);
    EXPECT_NEAR(Motion::tamskCurve().valueForProgress(0.5), 0.94765, 1e-3);
    EXPECT_NEAR(Motion::easeInOutCurve().valueForProgress(0.25), 0.12916, 1e-3);
    EXPECT_NEAR(Motion::easeInOutCurve().valueForProgress(0.5), 0.5, 1e-3);
}

TEST(Motion, PressSpringOvershootsAndSettles) {
    // Response 0.22 s, damping 0.6: an underdamped swing past the target, then rest.
    double peak = 0;
    for (int i = 0; i <= 1000; ++i) peak = std::max(peak, Motion::springAt(i * 0.001, 0.22, 0.6));
    EXPECT_NEAR(peak, 1.095, 0.01);
    EXPECT_NEAR(Motion::springAt(0.4, 0.22, 0.6), 1, 0.002);
    EXPECT_GT(Motion::pressMs(), 300);
    EXPECT_LT(Motion::pressMs(), 500);
    EXPECT_GT(Motion::pressCurve().valueForProgress(0.25), 1.0); // the overshoot survives as easing
    EXPECT_NEAR(Motion::springAt(1.0, 0.22, 1.0), 1, 1e-6);      // critically damped never passes 1
}

TEST(Motion, PageTransition) {
    struct Case {
        bool forward, reduce;
        double inX, outX;
    } cases[] = {{true, false, 80, -48}, {false, false, -80, 48}, {true, true, 0, 0}, {false, true, 0, 0}};
    for (const Case& c : cases) {
        const PageTransition t = Motion::page(c.forward, c.reduce);
        EXPECT_EQ(t.insertFrom.x, c.inX) << c.forward << c.reduce;
        EXPECT_EQ(t.removeTo.x, c.outX) << c.forward << c.reduce;
        EXPECT_EQ(t.insertFrom.opacity, 0); // both pages fade, with or without the slide
        EXPECT_EQ(t.removeTo.opacity, 0);
    }
}

TEST(Motion, EntranceHoverAndPressRules) {
    EXPECT_DOUBLE_EQ(Motion::staggerDelayMs(11), 660);
    EXPECT_DOUBLE_EQ(Motion::staggerDelayMs(0), 0);
    EXPECT_DOUBLE_EQ(Motion::staggerDelayMs(-3), 0);
    // Not shown, full motion: the offsets; shown or reduced: none.
    EXPECT_EQ(Motion::staggerOffset(false, false), 40);
    EXPECT_EQ(Motion::riseOffset(false, false), 24);
    EXPECT_EQ(Motion::arriveOffset(false, false), 30);
    for (bool shown : {true, false}) {
        EXPECT_EQ(Motion::staggerOffset(shown, true), 0);
        EXPECT_EQ(Motion::riseOffset(shown, true), 0);
        EXPECT_EQ(Motion::arriveOffset(shown, true), 0);
    }
    EXPECT_EQ(Motion::staggerOffset(true, false), 0);
    EXPECT_EQ(Motion::hoverScale(true, 1.05, false), 1.05);
    EXPECT_EQ(Motion::hoverScale(true, 1.05, true), 1);
    EXPECT_EQ(Motion::hoverScale(false, 1.05, false), 1);
    EXPECT_EQ(Motion::pressScale(true, 0.92, false), 0.92);
    EXPECT_EQ(Motion::pressScale(true, 0.92, true), 1);
}
