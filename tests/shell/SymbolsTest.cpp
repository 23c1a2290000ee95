#include "shell/look/Symbols.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>

namespace {
int inkedPixels(const QString& name) {
    QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const bool known = Symbols::paint(p, name, QRectF(0, 0, 48, 48), Qt::black);
    p.end();
    if (!known) return -1;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 128;
    return n;
}
} // namespace

TEST(Symbols, EveryNameHasAGlyphOfTheBundledFontOrADrawing) {
    const QString family = Symbols::fontFamily();
    ASSERT_EQ(family, QStringLiteral("Material Icons"));
    QFont font(family);
    font.setPixelSize(48);
    const QRawFont raw = QRawFont::fromFont(font);
    ASSERT_TRUE(raw.isValid());
    for (const QString& name : Symbols::names()) {
        const QString glyph = Symbols::glyph(name);
        if (Symbols::kind(name) == Symbols::Kind::glyph) {
            ASSERT_EQ(glyph.size(), 1) << qPrintable(name);
            EXPECT_TRUE(raw.supportsCharacter(glyph.at(0))) << qPrintable(name);
        } else {
            EXPECT_TRUE(glyph.isEmpty()) << qPrintable(name);
        }
        // Whatever the way, something visible and not a filled box comes out.
        const int ink = inkedPixels(name);
        EXPECT_GT(ink, 40) << qPrintable(name);
        EXPECT_LT(ink, 48 * 48 * 3 / 4) << qPrintable(name);
    }
}

TEST(Symbols, DrawnSymbolsAndUnknownNames) {
    EXPECT_EQ(Symbols::kind(QStringLiteral("playpause")), Symbols::Kind::drawn);
    EXPECT_EQ(Symbols::kind(QStringLiteral("pin.slash")), Symbols::Kind::drawn);
    EXPECT_EQ(Symbols::kind(QStringLiteral("battery.75percent")), Symbols::Kind::drawn);
    EXPECT_EQ(Symbols::kind(QStringLiteral("no.such.symbol")), Symbols::Kind::unknown);
    EXPECT_EQ(inkedPixels(QStringLiteral("no.such.symbol")), -1);
    // The slash takes ink away from the pin and adds its own: the two pictures differ.
    EXPECT_NE(inkedPixels(QStringLiteral("pin.slash")), inkedPixels(QStringLiteral("pin")));
}
