#include "Materials.h"

#include "Studio.h"
#include "shell/look/ColorMath.h"
#include "shell/look/Symbols.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace Materials {

namespace {

QColor white(double w, double alpha = 1) {
    return QColor::fromRgbF(float(w), float(w), float(w), float(alpha));
}

// A transparent picture of `w` × `h` points at `scale` pixels a point, painted in points.
template <typename Draw> QImage picture(double w, double h, double scale, Draw draw) {
    QImage image(int(std::lround(w * scale)), int(std::lround(h * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    draw(p);
    p.end();
    // Uploaded as straight RGBA, top row first.
    return image.convertToFormat(QImage::Format_RGBA8888);
}

QPainterPath capsule(const QRectF& r) {
    QPainterPath path;
    const double radius = std::min(r.width(), r.height()) / 2;
    path.addRoundedRect(r, radius, radius);
    return path;
}

MaterialRecipe grained(const MaterialRecipe& base, const QImage& map, double strength, QVector2D scale) {
    MaterialRecipe m = base;
    m.normalMap = map;
    m.normalStrength = strength;
    m.normalScale = scale;
    return m;
}

MaterialRecipe unlitDecal(const QImage& image) {
    MaterialRecipe m;
    m.colourMap = image;
    m.unlit = true;
    m.blend = true;
    m.depthWrite = false;
    return m;
}

} // namespace

MaterialRecipe pbr(const QColor& colour, double metal, double rough) {
    MaterialRecipe m;
    m.colour = colour;
    m.metal = metal;
    m.rough = rough;
    return m;
}

MaterialRecipe anodised(const IvraFinish& finish, double darker) {
    return grained(pbr(colour(finish.top, darker), 0.75, 0.38), Studio::grain(), 0.25, {6, 6});
}

MaterialRecipe pad(const IvraFinish& finish) {
    return grained(pbr(colour(finish.top, 0.3), 0.7, 0.42), Studio::grain(), 0.9, {10, 10});
}

MaterialRecipe brushed(const IvraFinish& finish) {
    return grained(pbr(colour(finish.top, 0.08), 1, 0.36), Studio::brushed(), 0.3, {12, 1});
}

MaterialRecipe backPlate(const IvraFinish& finish, bool black, double facet) {
    MaterialRecipe m = brushed(finish);
    m.normalStrength = black ? 0.5 : 0.12;
    // The maps carry the values; the factors only pass them through.
    m.colour = Qt::white;
    m.metal = 1;
    m.rough = 1;
    m.colourMap = split(colour(finish.top, black ? 0.3 : 0), white(0.03), !black, facet);
    m.metalMap = split(Qt::white, Qt::black, false, facet);
    m.roughMap = split(white(black ? 0.4 : 0.2), white(0.22), false, facet);
    return m;
}

MaterialRecipe flake(const IvraFinish& finish) {
    MaterialRecipe m = grained(pbr(Qt::white, 0.35, 0.5), Studio::grain(), 0.6, {12, 12});
    m.colourMap = sheen(colour(finish.top, 0.05));
    return m;
}

MaterialRecipe screen() {
    MaterialRecipe m = pbr(QColor::fromRgbF(0.02f, 0.025f, 0.03f), 0, 0.1);
    m.clearCoat = 1;
    m.clearCoatRough = 0.02;
    m.name = QStringLiteral("glass");
    m.display = true;
    return m;
}

MaterialRecipe button(const QString& symbol, const IvraFinish& finish) {
    MaterialRecipe m = pbr(Qt::white, 0.6, 0.3);
    m.colourMap = buttonPicture(symbol, colour(finish.top, 0.3));
    return m;
}

MaterialRecipe print(const QString& text) {
    return unlitDecal(printPicture(text));
}

MaterialRecipe socket(bool round) {
    return unlitDecal(socketPicture(round));
}

const MaterialRecipe& chrome() {
    static const MaterialRecipe m = pbr(white(0.92), 1, 0.07);
    return m;
}

const MaterialRecipe& copper() {
    static const MaterialRecipe m = pbr(QColor::fromRgbF(0.52f, 0.35f, 0.26f), 1, 0.35);
    return m;
}

const MaterialRecipe& blackPlastic() {
    static const MaterialRecipe m = [] {
        MaterialRecipe r = pbr(white(0.03), 0, 0.22);
        r.clearCoat = 0.6;
        r.clearCoatRough = 0.1;
        return r;
    }();
    return m;
}

const MaterialRecipe& glass() {
    static const MaterialRecipe m = [] {
        MaterialRecipe r = pbr(QColor::fromRgbF(0.02f, 0.025f, 0.03f), 0, 0.1);
        r.clearCoat = 1;
        r.clearCoatRough = 0.02;
        r.name = QStringLiteral("glass");
        return r;
    }();
    return m;
}

const MaterialRecipe& tabGlass() {
    static const MaterialRecipe m = [] {
        MaterialRecipe r = pbr(QColor::fromRgbF(0.02f, 0.035f, 0.06f), 0, 0.05);
        r.clearCoat = 1;
        r.clearCoatRough = 0.01;
        r.name = QStringLiteral("glass");
        return r;
    }();
    return m;
}

const MaterialRecipe& screw() {
    static const MaterialRecipe m = [] {
        MaterialRecipe r = pbr(Qt::white, 1, 0.25);
        r.colourMap = screwHead();
        return r;
    }();
    return m;
}

QImage sheen(const QColor& c) {
    return picture(200, 400, 1, [&](QPainter& p) {
        // A gradient at −60° in the top-down picture: from the lower left, light, up to the upper right,
        // dark, its end lines passing through the far corners.
        const QRectF r(0, 0, 200, 400);
        const double a = -60 * M_PI / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF centre = r.center();
        const double half = std::abs(dir.x()) * r.width() / 2 + std::abs(dir.y()) * r.height() / 2;
        QLinearGradient g(centre - dir * half, centre + dir * half);
        g.setColorAt(0, ColorMath::mixed(c, Qt::white, 0.35));
        g.setColorAt(0.5, c);
        g.setColorAt(1, ColorMath::mixed(c, Qt::black, 0.25));
        p.fillRect(r, g);
    });
}

QImage split(const QColor& top, const QColor& bottom, bool withSheen, double facet) {
    const QImage over = withSheen ? sheen(top) : QImage();
    return picture(200, 400, 1, [&](QPainter& p) {
        p.fillRect(QRectF(0, 0, 200, 400), top);
        if (!over.isNull()) p.drawImage(QRectF(0, 0, 200, 400), over);
        p.fillRect(QRectF(0, 400 * (1 - facet), 200, 400 * facet), bottom);
    });
}

QImage buttonPicture(const QString& symbol, const QColor& c) {
    return picture(160, 160, 2, [&](QPainter& p) {
        p.fillRect(QRectF(0, 0, 160, 160), c);
        Symbols::paint(p, symbol, QRectF(80 - 23, 80 - 23, 46, 46), white(1, 0.8));
    });
}

QImage printPicture(const QString& text) {
    return picture(160, 40, 2, [&](QPainter& p) {
        QFont font(QStringLiteral("Inter"));
        font.setPixelSize(40);
        p.setFont(font);
        p.setPen(white(1, 0.16));
        p.drawText(QRectF(0, 0, 160, 40), Qt::AlignCenter, text);
    });
}

QImage socketPicture(bool round) {
    const QSizeF size = round ? QSizeF(120, 120) : QSizeF(600, 70);
    return picture(size.width(), size.height(), 1, [&](QPainter& p) {
        const QRectF r(QPointF(0, 0), size);
        const auto shape = [&](const QRectF& box) {
            QPainterPath path;
            if (round)
                path.addEllipse(box);
            else
                path = capsule(box);
            return path;
        };
        p.fillPath(shape(r), white(0.02));
        p.strokePath(shape(r.adjusted(3, 3, -3, -3)), QPen(white(0.4), 6));
        if (!round) p.fillPath(capsule(QRectF(40, r.center().y() - 5, r.width() - 80, 10)), white(0.18));
    });
}

QImage screwHead() {
    return picture(100, 100, 1, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(white(0.75));
        p.drawEllipse(QRectF(0, 0, 100, 100));
        // A three-winged slot: each wing 18 above the centre, turned about the centre.
        for (int turn : {0, 120, 240}) {
            p.save();
            p.translate(50, 50);
            p.rotate(turn);
            p.fillPath(capsule(QRectF(-6, -18 - 22, 12, 44)), white(0.12));
            p.restore();
        }
    });
}

} // namespace Materials
