#include "kit/Controls.h"
#include "MenuRig.h"
#include "kit/DropMenu.h"
#include "kit/HoverHint.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <gtest/gtest.h>

namespace {
const QColor primary(0xFFFFFF), inverse(0x111111), on(0xFF2D95);
const QVariant absent, onState(true), offState(false);
} // namespace

TEST(CircleButton, HitFrameAndRing) {
    // Small circles still take clicks in 36 by 44; bigger ones as wide as they are.
    EXPECT_EQ(Controls::circleHitSize(26), QSizeF(36, 44));
    EXPECT_EQ(Controls::circleHitSize(36), QSizeF(36, 44));
    EXPECT_EQ(Controls::circleHitSize(40), QSizeF(40, 44));
    EXPECT_EQ(Controls::ringWidth(30), 1.5);
    EXPECT_EQ(Controls::ringWidth(30.5), 2);
}

TEST(CircleButton, LookByFilledAndHovered) {
    struct Row {
        bool filled, hovered;
        QVariant isOn;
        QColor icon, disc, ring;
        double brightness;
    };
    const QColor none(Qt::transparent);
    const Row rows[] = {
        {false, false, absent, primary, none, primary, 0},
        {false, false, onState, on, none, on, 0},
        {false, true, onState, inverse, primary, primary, 0},
        {true, false, offState, inverse, primary, primary, 0},
        // A filled button that is on keeps its ring in the on colour until hovered.
        {true, false, onState, inverse, primary, on, 0},
        {true, true, onState, Controls::brightened(inverse, -0.12), Controls::brightened(primary, -0.12),
         Controls::brightened(primary, -0.12), -0.12},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.filled << r.hovered << r.isOn.toString().toStdString());
        const CircleLook look = Controls::circleLook(r.filled, r.hovered, r.isOn, primary, inverse, on);
        EXPECT_EQ(look.icon, r.icon);
        EXPECT_EQ(look.disc.alpha() == 0, r.disc.alpha() == 0);
        if (r.disc.alpha()) EXPECT_EQ(look.disc, r.disc);
        EXPECT_EQ(look.ring, r.ring);
        EXPECT_DOUBLE_EQ(look.brightness, r.brightness);
    }
    // Darkening takes the same amount off every component.
    EXPECT_EQ(Controls::brightened(QColor(255, 255, 255), -0.12).red(), 224);
}

TEST(CircleButton, HintAndAccessibleValue) {
    EXPECT_EQ(Controls::hintText("Shuffle", offState), "Shuffle off");
    EXPECT_EQ(Controls::accessibleValue(offState), "Off");
    EXPECT_EQ(Controls::hintText("Shuffle", onState), "Shuffle on");
    EXPECT_EQ(Controls::accessibleValue(onState), "On");
    EXPECT_EQ(Controls::hintText("Shuffle", absent), "Shuffle");
    EXPECT_EQ(Controls::accessibleValue(absent), "");
    // An icon button's symbol is dimmed at rest, full on hover, the on colour when on.
    EXPECT_EQ(Controls::iconColor(false, absent, primary, on).alphaF(), 0.8f);
    EXPECT_EQ(Controls::iconColor(true, offState, primary, on), primary);
    EXPECT_EQ(Controls::iconColor(false, onState, primary, on), on);
}

TEST(PillButton, OutlinedFillsOnHoverAndKeepsItsBorder) {
    const QColor color(0x4080FF);
    const PillLook rest = Controls::pillLook(false, false, color, inverse);
    EXPECT_EQ(rest.fill.alpha(), 0);
    EXPECT_EQ(rest.text, color);
    EXPECT_NEAR(rest.border.alphaF(), 0.85, 0.01);

    const PillLook hovered = Controls::pillLook(false, true, color, inverse);
    EXPECT_EQ(hovered.fill, color);
    EXPECT_EQ(hovered.text, inverse);
    EXPECT_EQ(hovered.border, rest.border);
    EXPECT_EQ(hovered.brightness, 0);

    // A filled pill has no border and only darkens under the pointer.
    const PillLook filled = Controls::pillLook(true, false, color, inverse);
    EXPECT_EQ(filled.border.alpha(), 0);
    EXPECT_EQ(filled.fill, color);
    const PillLook filledHover = Controls::pillLook(true, true, color, inverse);
    EXPECT_EQ(filledHover.border.alpha(), 0);
    EXPECT_EQ(filledHover.brightness, -0.1);
    EXPECT_EQ(filledHover.fill, Controls::brightened(color, -0.1));
}

TEST(CapsuleMask, RoundEndsLetThePointerThrough) {
    const QSizeF pill(100, 30);
    EXPECT_TRUE(CapsuleMask::inCapsule(pill, {50, 15}));
    EXPECT_TRUE(CapsuleMask::inCapsule(pill, {2, 15}));
    EXPECT_FALSE(CapsuleMask::inCapsule(pill, {1, 1}));
    EXPECT_FALSE(CapsuleMask::inCapsule(pill, {99, 29}));
    EXPECT_FALSE(CapsuleMask::inCapsule(pill, {101, 15}));
}

TEST(Segmented, SelectionAndHover) {
    EXPECT_FALSE(Controls::isSelected(QString("dark"), QString("sepia")));
    EXPECT_TRUE(Controls::isSelected(QString("dark"), QString("dark")));
    EXPECT_FALSE(Controls::isSelected(QVariant(), QVariant()));
    // Leaving a segment clears the hover only while it is still that segment's.
    EXPECT_EQ(Controls::hoverAfterExit(1, 0), 1);
    EXPECT_EQ(Controls::hoverAfterExit(1, 1), -1);
}

TEST(SettingsSectionList, ArrowKeys) {
    const QVariantList sections{"music", "playback", "theme"};
    // Held Down: one step per repeat, stopping at the last.
    QVariant selection = "music";
    std::vector<QString> seen;
    for (int i = 0; i < 4; ++i) {
        const SectionStep step = Controls::sectionStep(sections, selection, Qt::Key_Down, Qt::NoModifier);
        ASSERT_TRUE(step.handled);
        selection = sections[step.index];
        seen.push_back(selection.toString());
    }
    EXPECT_EQ(seen, (std::vector<QString>{"playback", "theme", "theme", "theme"}));
    EXPECT_EQ(Controls::sectionStep(sections, "music", Qt::Key_Up, Qt::NoModifier).index, 0);

    struct Case {
        int modifiers;
        bool handled;
    };
    for (const Case c :
         {Case{Qt::ControlModifier, false}, Case{Qt::AltModifier, false}, Case{Qt::MetaModifier, false},
          Case{Qt::ShiftModifier, true}, Case{Qt::ShiftModifier | Qt::KeypadModifier, true}}) {
        const SectionStep step = Controls::sectionStep(sections, "playback", Qt::Key_Up, c.modifiers);
        EXPECT_EQ(step.handled, c.handled) << c.modifiers;
        if (c.handled) EXPECT_EQ(step.index, 0);
    }
    // A selection that is not a section makes both arrows inert; other keys are never taken.
    EXPECT_FALSE(Controls::sectionStep(sections, "shortcuts", Qt::Key_Down, Qt::NoModifier).handled);
    EXPECT_FALSE(Controls::sectionStep(sections, "shortcuts", Qt::Key_Up, Qt::NoModifier).handled);
    EXPECT_FALSE(Controls::sectionStep(sections, "music", Qt::Key_Left, Qt::NoModifier).handled);
}

TEST(BalancedText, Widths) {
    // A line that fits in a third is given that third, rounded up, plus 4.
    EXPECT_EQ(Controls::balancedWidth("Short help.", 12, 420), 145);
    // A line that needs every bit of the width (within 4 px) is given all of it, never more.
    const double oneLine = Controls::textHeight("m", 12, 420);
    QString full;
    for (const QString piece : {"m", "i"})
        while (Controls::textHeight(full + piece, 12, 420) == oneLine)
            full += piece;
    EXPECT_EQ(Controls::balancedWidth(full, 12, 420), 420);
    // A paragraph narrows without gaining a line.
    const QString paragraph = "Songs you drop on the window are copied into the music folder, sorted by "
                              "artist and album. The files you dropped stay where they were.";
    const double width = Controls::balancedWidth(paragraph, 12, 420);
    EXPECT_LT(width, 420);
    EXPECT_GT(width, 140);
    EXPECT_LE(Controls::textHeight(paragraph, 12, width), Controls::textHeight(paragraph, 12, 420) + 0.5);
    EXPECT_GT(Controls::textHeight(paragraph, 12, width - 8), Controls::textHeight(paragraph, 12, 420) + 0.5);
    EXPECT_EQ(Controls::balancedWidth("", 12, 0), 0);
}

class HoverHintWait : public testing::Test {
protected:
    void SetUp() override {
        DropMenu::of(&engine)->setClock(&clock);
        QQmlEngine::setContextForObject(&control, engine.rootContext());
        hint = new HoverHint(&control);
        hint->setText("Previous");
    }
    QQmlEngine engine;
    FakeMenuClock clock;
    QQuickItem control;
    HoverHint* hint = nullptr;
};

TEST_F(HoverHintWait, EveryEntryWaitsTheWholeWait) {
    hint->setHovering(true);
    clock.advance(0.29);
    hint->setHovering(false);
    clock.advance(0.5);
    EXPECT_FALSE(hint->shown());
    hint->setHovering(true);
    clock.advance(0.29);
    EXPECT_FALSE(hint->shown());
    clock.advance(0.011);
    EXPECT_TRUE(hint->shown());
    // A new text replaces the shown one; leaving hides it at once.
    hint->setText("Next");
    EXPECT_TRUE(hint->shown());
    hint->setHovering(false);
    EXPECT_FALSE(hint->shown());
}

TEST(HoverHintPlacement, AboveOrBelowItsControl) {
    const QRectF control(100, 200, 36, 44);
    EXPECT_EQ(HoverHint::bubbleFrame(control, 60, HoverHint::Top), QRectF(88, 174, 60, 22));
    // Its bottom 26 below the control's: 4 px clear of it.
    EXPECT_EQ(HoverHint::bubbleFrame(control, 60, HoverHint::Bottom), QRectF(88, 248, 60, 22));
}
