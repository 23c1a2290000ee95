#include "Face.h"

#include "shell/look/ColorMath.h"

#include <QTransform>
#include <algorithm>
#include <cmath>

namespace Materials {
QColor colour(quint32 hex, double darker) {
    return ColorMath::mixed(ColorMath::rgb(hex), QColor(Qt::black), darker);
}
} // namespace Materials

Face::Face(IvraModel model) : m_model(model) {}

QPointF Face::flipped(const QPointF& point) const {
    const QSizeF s = size();
    return {point.x() - s.width() / 2, s.height() / 2 - point.y()};
}

QPainterPath Face::flipped(const QPainterPath& path) const {
    const QSizeF s = size();
    // x' = x − W/2, y' = H/2 − y
    return QTransform(1, 0, 0, -1, -s.width() / 2, s.height() / 2).map(path);
}

void Face::arcTo(QPainterPath& path, const QPointF& corner, const QPointF& next, double radius) {
    const QPointF from = path.currentPosition();
    QPointF u = from - corner, v = next - corner;
    const double lu = std::hypot(u.x(), u.y()), lv = std::hypot(v.x(), v.y());
    const double cross = lu > 0 && lv > 0 ? (u.x() * v.y() - u.y() * v.x()) / (lu * lv) : 0;
    if (!(radius > 0) || std::abs(cross) < 1e-9) {
        path.lineTo(corner);
        return;
    }
    u /= lu;
    v /= lv;
    const double angle = std::acos(std::clamp(QPointF::dotProduct(u, v), -1.0, 1.0));
    const double along = radius / std::tan(angle / 2);
    const QPointF start = corner + u * along, end = corner + v * along;
    QPointF bisector = u + v;
    bisector /= std::hypot(bisector.x(), bisector.y());
    const QPointF centre = corner + bisector * (radius / std::sin(angle / 2));
    path.lineTo(start);
    // Qt's angles run counter-clockwise with y pointing down: a point at angle a is (cos a, −sin a).
    const auto degrees = [&](const QPointF& p) {
        return std::atan2(-(p.y() - centre.y()), p.x() - centre.x()) * 180 / M_PI;
    };
    const double a1 = degrees(start);
    double sweep = degrees(end) - a1;
    while (sweep > 180)
        sweep -= 360;
    while (sweep <= -180)
        sweep += 360;
    path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), a1, sweep);
}

QPainterPath Face::outline(const QRectF& r, double top, double bottom) {
    QPainterPath path;
    const QPointF start(r.center().x(), r.top());
    path.moveTo(start);
    arcTo(path, r.topRight(), r.bottomRight(), top);
    arcTo(path, r.bottomRight(), r.bottomLeft(), bottom);
    arcTo(path, r.bottomLeft(), r.topLeft(), bottom);
    arcTo(path, r.topLeft(), start, top);
    path.closeSubpath();
    return path;
}

QPainterPath Face::rect(const QRectF& r, double top, double bottom) const {
    return flipped(outline(r, top, bottom));
}

namespace {

QPainterPath rounded(const QRectF& r, double radius) {
    return Face::outline(r, radius, radius);
}

QPainterPath ring(const QRectF& outer, double outerRadius, const QRectF& inner, double innerRadius) {
    QPainterPath path = rounded(outer, outerRadius);
    path.addPath(rounded(inner, innerRadius).toReversed());
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

QPainterPath plainRect(const QRectF& r) {
    QPainterPath path;
    path.addRect(r);
    return path;
}

QPainterPath circle(const QRectF& r) {
    QPainterPath path;
    path.addEllipse(r);
    return path;
}

// Below the hd's glass: the lower panel, its upper edge dipping into a notch that holds the tab.
QPainterPath hdLowerPanel() {
    const double a = 1, b = 51.7, m = 26.35;
    QPainterPath path;
    path.moveTo(a, 86.6);
    path.lineTo(m - 10.6, 86.6);
    Face::arcTo(path, {m - 8.5, 90}, {m + 8.5, 90}, 0.9);
    Face::arcTo(path, {m + 8.5, 90}, {m + 10.6, 86.6}, 0.9);
    path.lineTo(m + 10.6, 86.6);
    path.lineTo(b, 86.6);
    Face::arcTo(path, {b, 101.1}, {a, 101.1}, 1.8);
    Face::arcTo(path, {a, 101.1}, {a, 86.6}, 1.8);
    path.closeSubpath();
    return path;
}

QPainterPath hdTab() {
    QPainterPath path;
    path.moveTo(26.35, 86.2);
    Face::arcTo(path, {36.95, 86.2}, {34.85, 90}, 0.3);
    Face::arcTo(path, {34.85, 90}, {17.85, 90}, 0.9);
    Face::arcTo(path, {17.85, 90}, {15.75, 86.2}, 0.9);
    Face::arcTo(path, {15.75, 86.2}, {26.35, 86.2}, 0.3);
    path.closeSubpath();
    return path;
}

} // namespace

QList<Face::Part> Face::parts() const {
    QList<Part> out;
    if (m_model == IvraModel::flash) {
        out = {
            {QStringLiteral("body"), rounded({0, 0, 41.4, 91.4}, 3.2), Fill::metal, 4.25},
            {QStringLiteral("cover glass"), rounded({2.1, 2.1, 37.2, 47.4}, 1.6), Fill::glass, 4.4},
            {QStringLiteral("display"), plainRect({4.5, 4.2, 32.4, 43.2}), Fill::display, 4.42},
            {QStringLiteral("left button"), circle({4.7, 54.4, 6.4, 6.4}), Fill::dark, 4.7},
            // Mirrors the left button: 41.4 − 4.7 − 6.4.
            {QStringLiteral("right button"), circle({30.3, 54.4, 6.4, 6.4}), Fill::dark, 4.7},
            {QStringLiteral("pad ring"), ring({6.7, 58.8, 28, 27}, 11.88, {7.95, 60.05, 25.5, 24.5}, 10.63),
             Fill::chrome, 4.9},
            {QStringLiteral("pad"), rounded({7.95, 60.05, 25.5, 24.5}, 10.63), Fill::dark, 4.45},
        };
    } else {
        out = {
            {QStringLiteral("black band"), rounded({0.25, 0.25, 52.2, 101.6}, 2.55), Fill::plastic, 2.45},
            {QStringLiteral("metal bezel"), ring({0, 0, 52.7, 102.1}, 2.8, {1, 1, 50.7, 100.1}, 1.8),
             Fill::metal, 4.45},
            {QStringLiteral("cover glass"), outline({1, 1, 50.7, 85.6}, 1.8, 0), Fill::glass, 4.4},
            {QStringLiteral("lower panel"), hdLowerPanel(), Fill::paint, 4.38},
            {QStringLiteral("tab"), hdTab(), Fill::glass, 4.75},
            {QStringLiteral("display"), plainRect({5.9, 5.8, 40.9, 73.2}), Fill::display, 4.41},
            {QStringLiteral("logo"), plainRect({21.35, 81.8, 10, 2.5}), Fill::print, 4.41},
        };
    }
    std::stable_sort(out.begin(), out.end(), [](const Part& a, const Part& b) { return a.front < b.front; });
    return out;
}
