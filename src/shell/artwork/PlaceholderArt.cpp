#include "PlaceholderArt.h"

#include "shell/look/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

std::optional<PlaceholderKind> placeholderKindFromText(const QString& text) {
    if (text == QLatin1String("artist")) return PlaceholderKind::artist;
    if (text == QLatin1String("album")) return PlaceholderKind::album;
    if (text == QLatin1String("song")) return PlaceholderKind::song;
    if (text == QLatin1String("playlist")) return PlaceholderKind::playlist;
    return std::nullopt;
}

namespace PlaceholderGlyph {

namespace {

QPainterPath unitGlyph(PlaceholderKind kind) {
    QPainterPath p;
    switch (kind) {
    case PlaceholderKind::artist:
        p.addEllipse(QRectF(39, 29, 22, 22));
        p.moveTo(28, 72);
        p.cubicTo(28, 59, 38, 52, 50, 52);
        p.cubicTo(62, 52, 72, 59, 72, 72);
        break;
    case PlaceholderKind::album: {
        p.addEllipse(QRectF(28, 28, 44, 44));
        p.addEllipse(QRectF(42, 42, 16, 16));
        p.addEllipse(QRectF(48, 48, 4, 4));
        // A glint on the disc: angles grow clockwise on screen since y grows downwards, so the arc runs from
        // 225° to 250° measured that way. QPainterPath's angles grow counter-clockwise, hence the signs.
        const QRectF ring(50 - 16, 50 - 16, 32, 32);
        p.arcMoveTo(ring, -225);
        p.arcTo(ring, -225, -25);
        break;
    }
    case PlaceholderKind::song:
        p.moveTo(58, 30);
        p.lineTo(58, 64);
        p.moveTo(58, 30);
        p.cubicTo(58, 38, 70, 39, 70, 48);
        p.addEllipse(QRectF(44, 58.5, 14, 11));
        break;
    case PlaceholderKind::playlist:
        p.moveTo(28, 36);
        p.lineTo(58, 36);
        p.moveTo(28, 46);
        p.lineTo(58, 46);
        p.moveTo(28, 56);
        p.lineTo(46, 56);
        p.moveTo(66, 44);
        p.lineTo(66, 64);
        p.moveTo(66, 44);
        p.cubicTo(66, 49, 73, 50, 73, 55);
        p.addEllipse(QRectF(56, 59, 10, 10));
        break;
    }
    return p;
}

double sideOf(const QSizeF& view) {
    return std::max(0.0, std::min(view.width(), view.height()));
}

} // namespace

QPainterPath path(PlaceholderKind kind, const QSizeF& view) {
    const double side = sideOf(view);
    QTransform t;
    t.translate((view.width() - side) / 2, (view.height() - side) / 2);
    t.scale(side / 100, side / 100);
    return t.map(unitGlyph(kind));
}

double lineWidth(const QSizeF& view) {
    return std::clamp(sideOf(view) / 70, 1.0, 2.5);
}

QPointF gradientStart(const QSizeF& view) {
    return {0.3 * view.width(), 0};
}
QPointF gradientEnd(const QSizeF& view) {
    return {0.7 * view.width(), view.height()};
}

Colours colours(bool dark) {
    static constexpr DynamicColor top{0x2F2F2F, 0xE4E4E4};
    static constexpr DynamicColor bottom{0x1B1B1B, 0xD0D0D0};
    static constexpr DynamicColor glyph{0x8C8C8C, 0x8A8A8A};
    return {top.resolve(dark), bottom.resolve(dark), glyph.resolve(dark)};
}

} // namespace PlaceholderGlyph

PlaceholderPainter::PlaceholderPainter(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

void PlaceholderPainter::setKind(const QString& kind) {
    if (kind == m_kind) return;
    m_kind = kind;
    emit kindChanged();
    update();
}

void PlaceholderPainter::setDark(bool dark) {
    if (dark == m_dark) return;
    m_dark = dark;
    emit darkChanged();
    update();
}

void PlaceholderPainter::paint(QPainter* painter) {
    const QSizeF view = size();
    if (view.isEmpty()) return;
    const auto c = PlaceholderGlyph::colours(m_dark);
    QLinearGradient fill(PlaceholderGlyph::gradientStart(view), PlaceholderGlyph::gradientEnd(view));
    fill.setColorAt(0, c.top);
    fill.setColorAt(1, c.bottom);
    painter->fillRect(QRectF(QPointF(0, 0), view), fill);
    const auto kind = placeholderKindFromText(m_kind);
    if (!kind) return;
    painter->setRenderHint(QPainter::Antialiasing);
    QPen pen(c.glyph, PlaceholderGlyph::lineWidth(view), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setMiterLimit(10);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(PlaceholderGlyph::path(*kind, view));
}
