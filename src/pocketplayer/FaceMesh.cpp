#include "Face.h"

#include <algorithm>
#include <cmath>

QList<QPointF> Face::loop(const QRectF& r, double radius, int steps) {
    const double left = r.x(), right = r.x() + r.width(), bottom = r.y(), top = r.y() + r.height();
    const QPointF centres[] = {{right - radius, top - radius},
                               {left + radius, top - radius},
                               {left + radius, bottom + radius},
                               {right - radius, bottom + radius}};
    QList<QPointF> points;
    points.reserve(4 * (steps + 1));
    for (int corner = 0; corner < 4; ++corner)
        for (int j = 0; j <= steps; ++j) {
            const double a = (corner * 90.0 + j * 90.0 / steps) * M_PI / 180;
            points.append(centres[corner] + radius * QPointF(std::cos(a), std::sin(a)));
        }
    return points;
}

Mesh Face::taper(const QRectF& rect, double corner, const QSizeF& inset, double from, double to) const {
    const QSizeF s = size();
    const double w = s.width(), h = s.height();
    const QRectF scene(rect.x() - w / 2, h / 2 - rect.y() - rect.height(), rect.width(), rect.height());
    const QList<QPointF> outer = loop(scene, corner, 10);
    const QList<QPointF> inner =
        loop(scene.adjusted(inset.width(), inset.height(), -inset.width(), -inset.height()),
             std::max(corner - inset.height(), 0.6), 10);
    const auto uv = [&](const QPointF& p) {
        return QVector2D(float(p.x() / w + 0.5), float(0.5 - p.y() / h));
    };
    const auto at = [](const QPointF& p, double z) {
        return QVector3D(float(p.x()), float(p.y()), float(z));
    };

    Mesh mesh;
    const double dz = std::abs(from - to);
    const qsizetype n = outer.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF d = outer[i] - inner[i];
        const double a = std::max(std::hypot(d.x(), d.y()), 0.001);
        // Perpendicular to the slope: outwards and backwards.
        const QVector3D normal =
            QVector3D(float(dz * d.x() / a), float(dz * d.y() / a), float(-a)).normalized();
        mesh.add({at(outer[i], from), normal, uv(outer[i])});
        mesh.add({at(inner[i], to), normal, uv(inner[i])});
    }
    mesh.beginSubset();
    for (qsizetype i = 0; i < n; ++i) {
        const quint32 a = quint32(2 * i), b = quint32(2 * ((i + 1) % n));
        mesh.indices.append({a, b, a + 1, a + 1, b, b + 1});
        mesh.subsets.last().count += 6;
    }

    const QVector3D back(0, 0, -1);
    const quint32 c = mesh.add({at(scene.center(), to), back, uv(scene.center())});
    for (const QPointF& p : inner)
        mesh.add({at(p, to), back, uv(p)});
    mesh.beginSubset();
    const quint32 m = quint32(inner.size());
    for (quint32 i = 0; i < m; ++i) {
        mesh.indices.append({c, c + 1 + (i + 1) % m, c + 1 + i});
        mesh.subsets.last().count += 3;
    }
    return mesh;
}
