#include "pocketplayer/Face.h"
#include "pocketplayer/IvraFlatPicture.h"
#include "pocketplayer/IvraGlyph.h"
#include "pocketplayer/IvraScreen.h"
#include "pocketplayer/IvraScreenTask.h"
#include "shell/look/Theme.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPromise>
#include <gtest/gtest.h>
#include <memory>

namespace {

QImage solid(QSize size, QColor colour) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

// The darkest pixel of a small square around a point given in points: the menu's white text can only
// brighten a pixel, so the darkest one shows the background.
QColor background(const QImage& screen, QPointF point) {
    const int px = int(point.x() * IvraScreen::pixelsPerPoint),
              py = int(point.y() * IvraScreen::pixelsPerPoint);
    QColor darkest;
    int least = 1 << 30;
    for (int y = py - 6; y <= py + 6; ++y)
        for (int x = px - 6; x <= px + 6; ++x) {
            const QColor c = screen.pixelColor(x, y);
            const int sum = c.red() + c.green() + c.blue();
            if (sum < least) least = sum, darkest = c;
        }
    return darkest;
}

void expectNear(const QColor& actual, double r, double g, double b, double tolerance = 4) {
    EXPECT_NEAR(actual.red(), r, tolerance);
    EXPECT_NEAR(actual.green(), g, tolerance);
    EXPECT_NEAR(actual.blue(), b, tolerance);
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class Screen : public testing::TestWithParam<IvraModel> {};

TEST_P(Screen, DrawsAtAFixedSizeOverTheGlowOrTheDimmedCover) {
    const IvraModel model = GetParam();
    const bool hd = model == IvraModel::hd;
    const Accent accent = Accent::fromValues(0x2060E0, 0xE04080, 0xFFFFFF, 0, 0, 0, 0);

    const QImage glow = IvraScreen::draw(model, QImage(), accent);
    EXPECT_EQ(glow.size(), hd ? QSize(816, 1440) : QSize(720, 960));
    // At the glow's centre: the accent's `to` at 70 %, over black, at the model's opacity.
    const QSizeF size = IvraScreen::pointSize(model);
    const double opacity = hd ? 0.35 : 1;
    expectNear(background(glow, {0.7 * size.width(), 0.75 * size.height()}), 0xE0 * 0.7 * opacity,
               0x40 * 0.7 * opacity, 0x80 * 0.7 * opacity, 6);

    // A cover fills the screen under black at 35 %: pure red reads 166 on flash, a third as bright on hd.
    const QImage red = IvraScreen::draw(model, solid({50, 80}, Qt::red), accent);
    expectNear(background(red, {0.5 * size.width(), 0.75 * size.height()}), hd ? 58 : 166, 0, 0, 2);
    expectNear(background(red, {3, 3}), hd ? 58 : 166, 0, 0, 2);
}

INSTANTIATE_TEST_SUITE_P(Models, Screen, testing::Values(IvraModel::flash, IvraModel::hd));

// The menu's lines, in Inter Light at the model's size, overlapping as the layout says.
TEST(Screen, MenuLinesStandWhereTheLayoutPutsThemAndAreCutAtTheEdge) {
    const QImage screen = IvraScreen::draw(IvraModel::hd, QImage(), Accent::magenta());
    QImage measure(1, 1, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(72 / 0.0254);
    measure.setDotsPerMeterX(dotsPerMeter);
    measure.setDotsPerMeterY(dotsPerMeter);
    QFont font(Theme::fontFamily());
    const double fs = 0.084 * 480;
    font.setPointSizeF(fs);
    font.setWeight(QFont::Light);
    const QFontMetricsF metrics(font, &measure);
    // "settings", the tenth line: 7 % of the height down, then nine lines each 18 % of the size shorter.
    const double baseline =
        0.07 * 480 + metrics.ascent() + 9 * (metrics.ascent() + metrics.descent() - 0.18 * fs);
    // The lowest lit row under the first letter (an "s", which has no descender) sits on the baseline.
    const int left = int(0.08 * 272 * 3), right = int((0.08 * 272 + metrics.horizontalAdvance("s")) * 3);
    int lowest = -1;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = left; x < right; ++x)
            if (qGray(screen.pixel(x, y)) > 160) lowest = y;
    EXPECT_NEAR(lowest, baseline * 3, 4);

    // On the flash "marketplace" keeps its size on one line: its ink ends where its natural width does
    // (what passes the edge would be cut there).
    const QImage flash = IvraScreen::draw(IvraModel::flash, QImage(), Accent::magenta());
    QFont flashFont = font;
    const double flashSize = 0.118 * 320;
    flashFont.setPointSizeF(flashSize);
    flashFont.setLetterSpacing(QFont::AbsoluteSpacing, -0.02 * flashSize);
    const QFontMetricsF flashMetrics(flashFont, &measure);
    const double line = flashMetrics.ascent() + flashMetrics.descent() - 0.12 * flashSize;
    const double marketBaseline = 0.06 * 320 + flashMetrics.ascent() + 6 * line;
    int rightmost = -1;
    for (int y = int((marketBaseline - 0.5 * flashSize) * 3); y < int(marketBaseline * 3); ++y)
        for (int x = 0; x < flash.width(); ++x)
            if (qGray(flash.pixel(x, y)) > 160) rightmost = std::max(rightmost, x);
    const QRectF ink = flashMetrics.boundingRect("marketplace");
    EXPECT_NEAR(rightmost, (0.06 * 240 + ink.right()) * 3, 6);
}

// Renders that finish when the test says so, counted.
struct ManualRenderer {
    struct Call {
        IvraModel model;
        QUrl art;
        std::shared_ptr<QPromise<QImage>> promise;
    };
    std::vector<Call> calls;

    IvraScreenTask::Renderer function() {
        return [this](IvraModel model, const QUrl& art, QObject*) {
            auto promise = std::make_shared<QPromise<QImage>>();
            promise->start();
            calls.push_back({model, art, promise});
            return promise->future();
        };
    }
    void finish(size_t i, const QImage& image) {
        calls.at(i).promise->addResult(image);
        calls.at(i).promise->finish();
        settle();
    }
};

TEST(ScreenTask, RendersOncePerModelAndPictureAndKeepsOnlyTheNewest) {
    ManualRenderer renderer;
    IvraScreenTask task(renderer.function());
    const QUrl a = QUrl::fromLocalFile("/m/a.mp3"), b = QUrl::fromLocalFile("/m/b.mp3");
    EXPECT_EQ(IvraScreenTask::key(IvraModel::hd, a), "hd /m/a.mp3");
    EXPECT_EQ(IvraScreenTask::key(IvraModel::flash, QUrl()), "flash ");

    task.show(IvraModel::flash, a);
    task.show(IvraModel::flash, a);
    ASSERT_EQ(renderer.calls.size(), 1u);
    // The picture changes while the first render runs; the first ends last and is dropped.
    task.show(IvraModel::flash, b);
    ASSERT_EQ(renderer.calls.size(), 2u);
    renderer.finish(1, solid({4, 4}, Qt::green));
    EXPECT_EQ(task.screen().pixelColor(0, 0), QColor(Qt::green));
    renderer.finish(0, solid({4, 4}, Qt::blue));
    EXPECT_EQ(task.screen().pixelColor(0, 0), QColor(Qt::green));

    task.show(IvraModel::hd, b);
    EXPECT_EQ(renderer.calls.size(), 3u);
    EXPECT_EQ(renderer.calls.back().model, IvraModel::hd);
    // A render that gives nothing leaves a black screen, not the previous key's picture.
    renderer.finish(2, QImage());
    EXPECT_TRUE(task.screen().isNull());
}

TEST(ScreenTask, ARenderEndingAfterTheTaskIsGoneChangesNothing) {
    ManualRenderer renderer;
    auto task = std::make_unique<IvraScreenTask>(renderer.function());
    task->show(IvraModel::hd, QUrl::fromLocalFile("/m/a.mp3"));
    task.reset();
    renderer.finish(0, solid({4, 4}, Qt::green)); // under ASan, a write to the gone task would fail here
    SUCCEED();
}

TEST(FlatPicture, RendersOnTheModelAndPictureNotOnTheFinish) {
    ManualRenderer renderer;
    auto picture = std::make_unique<IvraFlatPicture>();
    picture->setRenderer(renderer.function());
    picture->setModel("hd");
    picture->setFinish(Ivra::finishes(IvraModel::hd).at(2));
    picture->setArt(QUrl::fromLocalFile("/m/a.mp3"));
    settle();
    ASSERT_EQ(renderer.calls.size(), 1u); // the properties of a new picture make one render
    EXPECT_EQ(renderer.calls[0].model, IvraModel::hd);
    EXPECT_EQ(picture->accessibleName(), "ivra hd, red");

    picture->setFinish(Ivra::finishes(IvraModel::hd).at(0));
    settle();
    EXPECT_EQ(renderer.calls.size(), 1u);
    picture->setArt(QUrl::fromLocalFile("/m/b.mp3"));
    settle();
    EXPECT_EQ(renderer.calls.size(), 2u);
    picture->setModel("flash");
    settle();
    EXPECT_EQ(renderer.calls.size(), 3u);
    EXPECT_EQ(picture->accessibleName(), QString::fromUtf8("ivra 4 · 8 · 16, black"));

    // The picture goes away with a render still running.
    picture.reset();
    renderer.finish(2, solid({4, 4}, Qt::green));
    SUCCEED();
}

TEST(FlatPicture, FillsTheBodyInItsFinishAndTheDisplayWithTheScreen) {
    for (const IvraModel model : Ivra::allModels()) {
        SCOPED_TRACE(Ivra::rawValue(model).toStdString());
        IvraFlatPicture picture;
        picture.setRenderer([](IvraModel, const QUrl&, QObject*) {
            return QtFuture::makeReadyFuture(solid({30, 40}, QColor(0, 200, 0)));
        });
        picture.setModel(Ivra::rawValue(model));
        picture.setPointsPerMm(3.6);
        const IvraFinish finish = Ivra::signature(model);
        picture.setFinish(finish);
        settle();
        ASSERT_TRUE(picture.screenShown());
        const QSizeF frame = IvraFlatPicture::frame(model, 3.6);
        EXPECT_DOUBLE_EQ(picture.implicitWidth(), frame.width());
        picture.setSize(frame);
        QImage image(frame.toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        picture.paint(&painter);
        painter.end();

        // Face millimetres to the picture's pixels: the face sits in the middle of its frame.
        const QSizeF face = Ivra::frontFace(model);
        const auto at = [&](double x, double y) {
            return image.pixelColor(int((frame.width() - face.width() * 3.6) / 2 + x * 3.6),
                                    int((frame.height() - face.height() * 3.6) / 2 + y * 3.6));
        };
        // On the flash the metal shows below the pad; on the hd in its bezel, a millimetre wide.
        const QColor metal = model == IvraModel::flash ? at(20.7, 89) : at(0.5, 50);
        EXPECT_EQ(metal, Materials::colour(finish.top, 0));
        EXPECT_EQ(at(face.width() / 2, 25), QColor(0, 200, 0));
        EXPECT_EQ(at(-1, face.height() / 2).alpha(), 0); // the margin stays clear
    }
}

TEST(Face, RectHasTangentArcsAboveAndSharpCornersBelow) {
    const Face face(IvraModel::hd);
    EXPECT_EQ(face.flipped(QPointF(0, 0)), QPointF(-52.7 / 2, 102.1 / 2));
    EXPECT_EQ(face.flipped(QPointF(52.7, 102.1)), QPointF(52.7 / 2, -102.1 / 2));

    const QRectF glass(1, 1, 50.7, 85.6);
    const QPainterPath path = face.rect(glass, 1.8, 0);
    const auto scene = [&](double x, double y) { return face.flipped(QPointF(x, y)); };
    // Tangent arcs stay within the rectangle and meet its edges.
    const QRectF bounds = path.boundingRect();
    EXPECT_NEAR(bounds.left(), scene(1, 0).x(), 1e-6);
    EXPECT_NEAR(bounds.top(), scene(0, 86.6).y(), 1e-6);
    EXPECT_NEAR(bounds.bottom(), scene(0, 1).y(), 1e-6);
    // Just inside each lower corner is glass; just inside an upper corner the arc has cut it away, while a
    // point on the diagonal past the arc's middle (inset 1.8 × (1 − 1/√2) ≈ 0.53) is inside.
    EXPECT_TRUE(path.contains(scene(51.65, 86.55)));
    EXPECT_TRUE(path.contains(scene(1.05, 86.55)));
    EXPECT_FALSE(path.contains(scene(51.6, 1.1)));
    EXPECT_FALSE(path.contains(scene(1.1, 1.1)));
    EXPECT_TRUE(path.contains(scene(51.7 - 0.6, 1.6)));
    EXPECT_TRUE(path.contains(scene(1.6, 1.6)));

    // Every part of both fronts lies on the face, back to front.
    for (const IvraModel model : Ivra::allModels()) {
        const Face f(model);
        double front = -1;
        for (const Face::Part& part : f.parts()) {
            EXPECT_GE(part.front, front) << part.name.toStdString();
            front = part.front;
            EXPECT_TRUE(QRectF(QPointF(0, 0), f.size())
                            .adjusted(-1e-6, -1e-6, 1e-6, 1e-6)
                            .contains(part.outline.boundingRect()))
                << part.name.toStdString();
        }
    }
    EXPECT_EQ(Materials::colour(0xD62A33, 0), QColor(214, 42, 51));
    EXPECT_EQ(Materials::colour(0xD62A33, 1), QColor(Qt::black));
}

TEST(Glyph, TakesTheFaceProportionsWithItsPadOrScreenAboveTheFoot) {
    EXPECT_NEAR(IvraGlyph::glyphWidth(IvraModel::flash), 14.49, 0.005);
    EXPECT_NEAR(IvraGlyph::glyphWidth(IvraModel::hd), 16.52, 0.005);

    const double fw = IvraGlyph::glyphWidth(IvraModel::flash);
    const IvraGlyph::Shape flash = IvraGlyph::shape(IvraModel::flash);
    EXPECT_EQ(flash.body, QRectF(0, 0, fw, 32));
    EXPECT_NEAR(flash.inner.width(), 0.62 * fw, 1e-9);
    EXPECT_NEAR(flash.inner.height(), 0.6 * fw, 1e-9);
    EXPECT_NEAR(flash.inner.bottom(), 32 - 2.5, 1e-9);
    EXPECT_NEAR(flash.inner.center().x(), fw / 2, 1e-9);
    EXPECT_GT(flash.innerRadius, 0);

    const double hw = IvraGlyph::glyphWidth(IvraModel::hd);
    const IvraGlyph::Shape hd = IvraGlyph::shape(IvraModel::hd);
    EXPECT_NEAR(hd.inner.width(), 0.62 * hw, 1e-9);
    EXPECT_NEAR(hd.inner.height(), 0.66 * 32, 1e-9);
    EXPECT_NEAR(hd.inner.bottom(), 32 - 6, 1e-9);
    EXPECT_EQ(hd.innerRadius, 0);

    // The 1.5 strokes lie inside the frame: their middle runs 0.75 in.
    EXPECT_EQ(IvraGlyph::strokes(IvraModel::hd).boundingRect(), QRectF(0.75, 0.75, hw - 1.5, 32 - 1.5));
    IvraGlyph glyph;
    glyph.setModel("hd");
    glyph.setColor(Qt::white);
    EXPECT_DOUBLE_EQ(glyph.implicitWidth(), hw);
    glyph.setSize({hw, 32});
    QImage image(17, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    glyph.paint(&painter);
    painter.end();
    EXPECT_GT(image.pixelColor(0, 16).alpha(), 200); // the stroke reaches the frame's edge
    EXPECT_EQ(image.pixelColor(2, 16).alpha(), 0);   // and no further in than 1.5
}

} // namespace
