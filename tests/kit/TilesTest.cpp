#include "kit/Heart.h"
#include "kit/LikeModel.h"
#include "kit/Taps.h"
#include "kit/TileModel.h"
#include "playback/PlayerRig.h"
#include "shell/look/Symbols.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {
struct ActionCase {
    double width, height;
    int actions;
    int shown;
    double size, inset;
};
} // namespace

TEST(TileModel, ActionRowBySizeAndCount) {
    const std::vector<ActionCase> cases = {
        {99, 99, 4, 2, 22, 5}, {100, 100, 4, 4, 26, 7}, {99, 99, 2, 2, 22, 5},
        {99, 99, 1, 1, 22, 5}, {200, 99, 3, 2, 22, 5},  {100, 180, 3, 3, 26, 7},
    };
    for (const ActionCase& c : cases) {
        TileModel tile;
        tile.setProperty("width", c.width);
        tile.setProperty("height", c.height);
        tile.setProperty("actionCount", c.actions);
        tile.setProperty("hovered", true);
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " with " << c.actions);
        EXPECT_TRUE(tile.actionsShown());
        EXPECT_EQ(tile.shownActions(), c.shown);
        EXPECT_EQ(tile.actionSize(), c.size);
        EXPECT_EQ(tile.actionInset(), c.inset);
    }
}

TEST(TileModel, ActionsShowOnlyUnderPointerOrCursorAndOnlyWhenThereAreSome) {
    TileModel tile;
    tile.setProperty("width", 150);
    tile.setProperty("height", 150);
    EXPECT_FALSE(tile.actionsShown());
    tile.setProperty("hovered", true);
    EXPECT_FALSE(tile.actionsShown()) << "no actions: no row, hovered or not";
    tile.setProperty("actionCount", 2);
    EXPECT_TRUE(tile.actionsShown());
    tile.setProperty("hovered", false);
    EXPECT_FALSE(tile.actionsShown());
    tile.setProperty("cursor", true);
    EXPECT_TRUE(tile.actionsShown());
}

TEST(TileModel, CaptionByModeHoverAndCursor) {
    struct Case {
        TileModel::Label label;
        bool hovered, cursor, shown;
    };
    const std::vector<Case> cases = {
        {TileModel::Always, false, false, true},   {TileModel::Always, true, false, true},
        {TileModel::OnHover, false, false, false}, {TileModel::OnHover, true, false, true},
        {TileModel::OnHover, false, true, true},   {TileModel::Never, true, true, false},
        {TileModel::Never, false, false, false},
    };
    for (const Case& c : cases) {
        TileModel tile;
        tile.setProperty("label", int(c.label));
        tile.setProperty("hovered", c.hovered);
        tile.setProperty("cursor", c.cursor);
        EXPECT_EQ(tile.captionShown(), c.shown)
            << c.label << " hovered " << c.hovered << " cursor " << c.cursor;
    }
}

TEST(TileModel, RingShadeAndLift) {
    const QColor accent(0x33, 0x99, 0xff);
    struct Case {
        bool selected, ring, cursor, hovered;
        double width;
        QColor color;
        double shade;
    };
    const std::vector<Case> cases = {
        {true, true, false, false, 2, accent, 0},     // the selection's ring
        {true, false, false, false, 0, accent, 0},    // selected without the ring
        {false, false, true, false, 2, Qt::white, 0}, // the cursor rings white
        {true, true, true, false, 2, Qt::white, 0},   // even on the selection; and never darkens
        {false, true, false, true, 0, accent, 0.28},  // the pointer darkens
    };
    for (const Case& c : cases) {
        TileModel tile;
        tile.setProperty("accentText", accent);
        tile.setProperty("selected", c.selected);
        tile.setProperty("ring", c.ring);
        tile.setProperty("cursor", c.cursor);
        tile.setProperty("hovered", c.hovered);
        SCOPED_TRACE(testing::Message() << "selected " << c.selected << " ring " << c.ring << " cursor "
                                        << c.cursor << " hovered " << c.hovered);
        EXPECT_EQ(tile.ringWidth(), c.width);
        if (c.width > 0) EXPECT_EQ(tile.ringColor(), c.color);
        EXPECT_EQ(tile.shade(), c.shade);
    }

    TileModel tile;
    tile.setProperty("lift", 1.06);
    EXPECT_EQ(tile.scale(), 1);
    EXPECT_EQ(tile.brightness(), 0);
    tile.setProperty("cursor", true);
    EXPECT_EQ(tile.scale(), 1.06);
    EXPECT_EQ(tile.brightness(), 0.04);
    EXPECT_TRUE(tile.lifted());
    tile.setProperty("reduceMotion", true);
    EXPECT_EQ(tile.scale(), 1) << "reduce motion keeps the size";
    EXPECT_EQ(tile.brightness(), 0.04) << "but still brightens";
    EXPECT_TRUE(tile.lifted()) << "and still rises above its neighbours";
}

TEST(TileModel, TooltipAndAccessibleLabel) {
    TileModel tile;
    tile.setProperty("title", "Blue Hours");
    tile.setProperty("subtitle", "Tova Lind");
    EXPECT_EQ(tile.tooltip(), QString::fromUtf8("Blue Hours · Tova Lind"));
    EXPECT_EQ(tile.accessibleName(), "Blue Hours, Tova Lind");
    tile.setProperty("subtitle", "");
    EXPECT_EQ(tile.tooltip(), "Blue Hours");
    EXPECT_EQ(tile.accessibleName(), "Blue Hours");
}

TEST(RoundActions, Looks) {
    const QColor scrim(0, 0, 0, 120), soft(200, 200, 200, 150);
    const CircleLook framed = RoundActions::look(false, false, scrim, soft);
    EXPECT_EQ(framed.icon, QColor(Qt::white));
    EXPECT_EQ(framed.disc, scrim);
    EXPECT_EQ(framed.ring, QColor(Qt::white));
    const CircleLook framedHover = RoundActions::look(false, true, scrim, soft);
    EXPECT_EQ(framedHover.icon, QColor(0x11, 0x11, 0x11));
    EXPECT_EQ(framedHover.disc, QColor(Qt::white));
    const CircleLook bare = RoundActions::look(true, false, scrim, soft);
    EXPECT_EQ(bare.icon, soft);
    EXPECT_EQ(bare.disc.alpha(), 0);
    EXPECT_EQ(RoundActions::look(true, true, scrim, soft).icon, QColor(Qt::white));
    EXPECT_EQ(RoundActions::iconSize(false, 30), 12);
    EXPECT_EQ(RoundActions::iconSize(true, 22), 11);
    EXPECT_EQ(RoundActions::spacing(false), 6);
    EXPECT_EQ(RoundActions::spacing(true), 2);
    EXPECT_TRUE(RoundActions::hintBelow(false));
    EXPECT_FALSE(RoundActions::hintBelow(true));
}

namespace {
class TapsTest : public testing::Test {
protected:
    void SetUp() override {
        taps.setClock([this] { return now; });
        taps.setInterval(400);
        QObject::connect(&taps, &Taps::single, [this] { events.push_back('s'); });
        QObject::connect(&taps, &Taps::doubled, [this] { events.push_back('d'); });
    }
    Taps taps;
    qint64 now = 1000;
    std::vector<char> events;
};
} // namespace

TEST_F(TapsTest, WithoutDoubleActionAClickActsAtOnce) {
    taps.click();
    taps.click();
    EXPECT_EQ(events, (std::vector<char>{'s', 's'}));
}

TEST_F(TapsTest, SingleWaitsOutTheInterval) {
    taps.setProperty("hasDouble", true);
    taps.click();
    now += 399;
    taps.poll();
    EXPECT_TRUE(events.empty());
    now += 2;
    taps.poll();
    EXPECT_EQ(events, std::vector<char>{'s'});
    taps.poll();
    EXPECT_EQ(events, std::vector<char>{'s'}) << "one click, one action";
}

TEST_F(TapsTest, DoubleClickRunsOnlyTheDoubleAction) {
    taps.setProperty("hasDouble", true);
    taps.click();
    now += 250;
    taps.click();
    now += 1000;
    taps.poll();
    EXPECT_EQ(events, std::vector<char>{'d'});
    // Two clicks further apart than the interval are two single clicks, even before the timer ran.
    taps.click();
    now += 500;
    taps.click();
    now += 500;
    taps.poll();
    EXPECT_EQ(events, (std::vector<char>{'d', 's', 's'}));
}

TEST_F(TapsTest, ACancelledClickActsNeitherAloneNorAsHalfADouble) {
    taps.setProperty("hasDouble", true);
    taps.click();
    now += 100;
    taps.cancel();
    now += 1000;
    taps.poll();
    EXPECT_TRUE(events.empty());
    // The next click starts afresh: with another soon after, a double click.
    taps.click();
    now += 100;
    taps.cancel();
    taps.click();
    now += 100;
    taps.click();
    EXPECT_EQ(events, std::vector<char>{'d'});
}

TEST_F(TapsTest, TheTimerDeliversTheSingleClick) {
    Taps real;
    real.setProperty("hasDouble", true);
    real.setInterval(30);
    int singles = 0;
    QObject::connect(&real, &Taps::single, [&] { ++singles; });
    real.click();
    EXPECT_EQ(singles, 0);
    QElapsedTimer waited;
    waited.start();
    while (singles == 0 && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_EQ(singles, 1);
    EXPECT_GE(waited.elapsed(), 30);
}

namespace {
class LikeTest : public testing::Test {
protected:
    void SetUp() override {
        like.setClock([this] { return now; });
        like.setPlayer(rig.player.get());
    }
    double at(double t) {
        now = t;
        like.refresh();
        return like.fill();
    }
    void likeElsewhere(const QString& path) {
        Song song;
        song.url = FileUrl::fromPath(path);
        rig->toggleLike(std::optional<Song>(song));
    }

    PlayerRig rig;
    LikeModel like;
    double now = 10;
    const QString one = QStringLiteral("/music/s1.mp3");
    const QString two = QStringLiteral("/music/s2.mp3");
};
} // namespace

TEST_F(LikeTest, WithoutASongItIsAnEmptyDisabledLike) {
    EXPECT_FALSE(like.hasSong());
    EXPECT_FALSE(like.liked());
    EXPECT_EQ(like.fill(), 0);
    EXPECT_EQ(like.accessibleName(), "Like");
    like.toggle();
    EXPECT_TRUE(rig->likes().isEmpty());
}

TEST_F(LikeTest, LikeFillsAndPopsThenUnlikeDrainsWithoutPop) {
    like.setSong(one);
    like.toggle();
    EXPECT_TRUE(rig->likes().contains(one));
    EXPECT_TRUE(like.liked());
    EXPECT_EQ(like.accessibleName(), "Liked");
    EXPECT_EQ(like.hintText(), "Unlike");
    EXPECT_EQ(like.pops(), 1);
    EXPECT_TRUE(like.animating());
    double last = 0, peak = 1;
    for (double t = 10; t <= 10.2001; t += 0.02) {
        const double f = at(t);
        EXPECT_GE(f, last);
        last = f;
        peak = std::max(peak, like.popScale());
    }
    EXPECT_GT(at(10.1), 0.5) << "ease-out: more than half way at half time";
    EXPECT_NEAR(like.popScale(), 1.35, 1e-6);
    EXPECT_EQ(at(10.2), 1);
    EXPECT_GT(peak, 1.3);
    at(10.3);
    EXPECT_EQ(like.popScale(), 1);
    EXPECT_FALSE(like.animating());

    now = 20;
    like.toggle();
    EXPECT_FALSE(like.liked());
    EXPECT_EQ(like.pops(), 1);
    const double half = at(20.06);
    EXPECT_GT(half, 0.5) << "ease-in: less than half drained at half time";
    EXPECT_LT(half, 1);
    EXPECT_EQ(like.popScale(), 1);
    EXPECT_EQ(at(20.12), 0);
    EXPECT_FALSE(like.animating());
}

TEST_F(LikeTest, ALikeFromElsewhereAnimatesTheSame) {
    like.setSong(one);
    likeElsewhere(two);
    EXPECT_FALSE(like.liked());
    EXPECT_FALSE(like.animating()) << "another song's like changes nothing here";
    likeElsewhere(one);
    EXPECT_TRUE(like.liked());
    EXPECT_EQ(like.pops(), 1);
    EXPECT_EQ(at(10), 0);
    EXPECT_GT(at(10.1), 0);
    EXPECT_GT(like.popScale(), 1);
    EXPECT_EQ(at(10.3), 1);
}

TEST_F(LikeTest, AChangeOfSongSnapsWithoutPop) {
    likeElsewhere(two);
    like.setSong(one);
    EXPECT_EQ(like.fill(), 0);
    like.setSong(two);
    EXPECT_TRUE(like.liked());
    EXPECT_EQ(like.fill(), 1);
    EXPECT_EQ(like.popScale(), 1);
    EXPECT_EQ(like.pops(), 0);
    EXPECT_FALSE(like.animating());
    like.setSong(QString());
    EXPECT_FALSE(like.liked());
    EXPECT_EQ(like.fill(), 0);
}

TEST_F(LikeTest, ReduceMotionSnaps) {
    like.setProperty("reduceMotion", true);
    like.setSong(one);
    EXPECT_EQ(like.colorMs(), 0);
    like.toggle();
    EXPECT_EQ(like.fill(), 1);
    EXPECT_EQ(like.pops(), 0);
    EXPECT_FALSE(like.animating());
    like.toggle();
    EXPECT_EQ(like.fill(), 0);
}

TEST(LikeLooks, BareAndRound) {
    const QColor primary(Qt::white), secondary(Qt::gray), inverse(Qt::black), from(Qt::red);
    for (double size : {20.0, 26.0, 60.0}) {
        const LikeLook bare =
            LikeModel::look(true, false, false, size, 44, primary, secondary, inverse, from);
        EXPECT_EQ(bare.glyph, 11) << size;
        EXPECT_EQ(bare.frameWidth, 20);
        EXPECT_EQ(bare.frameHeight, 20);
        EXPECT_EQ(bare.outline, secondary);
        EXPECT_EQ(bare.disc.alpha(), 0);
    }
    EXPECT_EQ(LikeModel::look(true, false, true, 26, 44, primary, secondary, inverse, from).outline, primary);
    EXPECT_EQ(LikeModel::look(true, true, true, 26, 44, primary, secondary, inverse, from).outline, from);

    const LikeLook rest = LikeModel::look(false, false, false, 30, 44, primary, secondary, inverse, from);
    EXPECT_EQ(rest.glyph, 12);
    EXPECT_EQ(rest.outline, primary);
    EXPECT_EQ(rest.disc.alpha(), 0);
    EXPECT_EQ(rest.frameWidth, 36);
    EXPECT_EQ(rest.frameHeight, 44);
    const LikeLook liked = LikeModel::look(false, true, false, 50, 60, primary, secondary, inverse, from);
    EXPECT_EQ(liked.outline, inverse);
    EXPECT_EQ(liked.disc, primary);
    EXPECT_EQ(liked.frameWidth, 50);
    EXPECT_EQ(liked.frameHeight, 60);
    EXPECT_EQ(LikeModel::look(false, false, true, 50, 60, primary, secondary, inverse, from).disc, primary);
}

namespace {
// The heart drawn with an invisible outline, so that only the filled part shows.
QImage heartAt(double fill) {
    QImage image(60, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    Heart::paintHeart(p, QRectF(0, 0, 60, 60), 40, fill, Qt::transparent, Qt::red, Qt::blue);
    return image;
}
int inked(const QImage& image, double maxRadius = 1e9) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0 && std::hypot(x + 0.5 - 30, y + 0.5 - 30) <= maxRadius) ++n;
    return n;
}
} // namespace

TEST(Heart, FillShowsAGrowingCentredDisc) {
    ASSERT_FALSE(Symbols::fontFamily().isEmpty());
    QImage whole(60, 60, QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::transparent);
    {
        QPainter p(&whole);
        Symbols::paint(p, QStringLiteral("heart.fill"), QRectF(10, 10, 40, 40), Qt::white);
    }
    const int all = inked(whole);
    ASSERT_GT(all, 400);

    EXPECT_EQ(inked(heartAt(0)), 0);

    // At half the disc is 0.5 × 1.5 × 40 = 30 across: everything inked lies within it, and the heart
    // reaches beyond it.
    const QImage half = heartAt(0.5);
    EXPECT_EQ(inked(half, 16), inked(half));
    EXPECT_GT(inked(half), all / 4);
    EXPECT_LT(inked(half), all);
    EXPECT_GT(qAlpha(half.pixel(30, 30)), 200) << "the disc grows from the centre";

    EXPECT_EQ(inked(heartAt(1)), all);
    // The gradient runs from the top left to the bottom right.
    const QImage full = heartAt(1);
    EXPECT_GT(qRed(full.pixel(22, 22)), qBlue(full.pixel(22, 22)));
    EXPECT_LT(qRed(full.pixel(30, 44)), qBlue(full.pixel(30, 44)));
}
