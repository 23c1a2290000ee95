#include "SmartDJMarks.h"

#include "SmartDJWashes.h"
#include "shell/artwork/ArtworkCache.h"
#include "shell/artwork/CoverPicture.h"
#include "shell/artwork/FutureImageResponse.h"

#include <QPainter>
#include <QQmlEngine>
#include <algorithm>

namespace DJMarks {

double ringWidth(double side) {
    return std::max(0.068 * side, 1.5);
}

double waveWidth(double side) {
    return std::max(0.075 * side, 1.4);
}

namespace {

QRectF inset(double side, double line) {
    return QRectF(line / 2, line / 2, side - line, side - line);
}

} // namespace

QPainterPath smartDJRing(double side) {
    // From 0.183 to 0.817 of a circle that starts at its rightmost point and runs clockwise on screen:
    // Qt's angles run counter-clockwise, so both go negative.
    const QRectF box = inset(side, ringWidth(side));
    QPainterPath path;
    path.arcMoveTo(box, -0.183 * 360);
    path.arcTo(box, -0.183 * 360, -(0.817 - 0.183) * 360);
    return path;
}

QPainterPath smartDJWaves(double side) {
    QPainterPath path;
    const QPointF centre(side / 2, side / 2);
    for (double radius : {0.35 * side, 0.46 * side, 0.57 * side}) {
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        // A quarter turned back by 45°: from 45° above the rightmost point to 45° below it.
        path.arcMoveTo(box, 45);
        path.arcTo(box, 45, -90);
    }
    return path;
}

QPainterPath smartDJFill(double side) {
    QPainterPath path;
    path.moveTo(0.4187 * side, 0.315 * side);
    path.lineTo(0.6627 * side, 0.5 * side);
    path.lineTo(0.4187 * side, 0.685 * side);
    path.closeSubpath();
    return path;
}

QPainterPath artistRing(double side) {
    QPainterPath path;
    path.addEllipse(inset(side, ringWidth(side)));
    return path;
}

QPainterPath artistFill(double side) {
    QPainterPath path;
    const double d = 0.17 * side;
    path.addEllipse(QRectF(0.5 * side - d / 2, 0.39 * side - d / 2, d, d));
    path.moveTo(0.32 * side, 0.69 * side);
    path.cubicTo(0.32 * side, 0.57 * side, 0.4 * side, 0.5 * side, 0.5 * side, 0.5 * side);
    path.cubicTo(0.6 * side, 0.5 * side, 0.68 * side, 0.57 * side, 0.68 * side, 0.69 * side);
    path.closeSubpath();
    return path;
}

} // namespace DJMarks

DJMark::DJMark(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
    connect(this, &DJMark::changed, this, [this] { update(); });
}

void DJMark::paint(QPainter* painter) {
    const double s = width();
    if (s <= 0) return;
    painter->setRenderHint(QPainter::Antialiasing);
    auto stroke = [&](const QPainterPath& path, double line) {
        QPen pen(m_color, line, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        painter->strokePath(path, pen);
    };
    if (m_kind == SmartDJ) {
        stroke(DJMarks::smartDJRing(s), DJMarks::ringWidth(s));
        stroke(DJMarks::smartDJWaves(s), DJMarks::waveWidth(s));
        painter->fillPath(DJMarks::smartDJFill(s), m_color);
    } else {
        stroke(DJMarks::artistRing(s), DJMarks::ringWidth(s));
        painter->fillPath(DJMarks::artistFill(s), m_color);
    }
}

QQuickImageResponse* WashImageProvider::requestImageResponse(const QString& id, const QSize& requestedSize) {
    // "<RRGGBB>/<the artwork provider's id>"
    const qsizetype slash = id.indexOf(QLatin1Char('/'));
    const QColor tint(QLatin1Char('#') + id.left(slash));
    const auto request = slash > 0 ? ArtworkCache::parseId(id.mid(slash + 1)) : std::nullopt;
    if (!tint.isValid() || !request || request->kind != ArtworkCache::Request::Kind::cover)
        return new FutureImageResponse(QtFuture::makeReadyFuture(QImage()), QStringLiteral("no picture"));
    const QSize size = requestedSize;
    return new FutureImageResponse(m_cache.image(request->urls.first())
                                       .then(&m_cache.pool(),
                                             [size, tint](const QImage& p) {
                                                 return SmartDJWash::wash(
                                                     CoverPicture::scaledToCover(p, size), tint);
                                             }),
                                   QStringLiteral("no picture"));
}

QString SmartDJLook::washSource(const QString& artist, const QString& address, const QColor& tint, int) {
    QQmlEngine* engine = qmlEngine(this);
    ArtworkCache* cache = engine ? ArtworkCache::create(engine, nullptr) : nullptr;
    if (!cache) return {};
    if (!engine->imageProvider(QLatin1String(WashImageProvider::name)))
        engine->addImageProvider(QLatin1String(WashImageProvider::name), new WashImageProvider(*cache));
    // The artwork source names the provider first: "image://artwork/<id>" or "image://artworkheld/<id>".
    QString source = cache->artistSource(artist);
    if (source.isEmpty() && !address.isEmpty()) source = cache->source(address);
    if (source.isEmpty()) return {};
    const qsizetype at = source.indexOf(QLatin1Char('/'), QStringLiteral("image://").size());
    if (at < 0) return {};
    return QStringLiteral("image://%1/%2/%3")
        .arg(QLatin1String(WashImageProvider::name), tint.name().mid(1).toUpper(), source.mid(at + 1));
}
