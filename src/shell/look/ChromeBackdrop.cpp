#include "ChromeBackdrop.h"

#include "Theme.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

ChromeBackdrop::ChromeBackdrop(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setOpaquePainting(true);
}

void ChromeBackdrop::setDark(bool dark) {
    if (dark == m_dark) return;
    m_dark = dark;
    emit changed();
    update();
}

void ChromeBackdrop::setWashed(bool washed) {
    if (washed == m_washed) return;
    m_washed = washed;
    emit changed();
    update();
}

void ChromeBackdrop::setCentre(QPointF centre) {
    if (centre == m_centre) return;
    m_centre = centre;
    emit changed();
    update();
}

QSize ChromeBackdrop::textureSizeFor(QSizeF itemSize) {
    constexpr double shrink = 4;
    return QSize(std::max(1, int(std::ceil(itemSize.width() / shrink))),
                 std::max(1, int(std::ceil(itemSize.height() / shrink))));
}

void ChromeBackdrop::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) setTextureSize(textureSizeFor(newGeometry.size()));
}

void ChromeBackdrop::paint(QPainter* painter) {
    paint(*painter, size(), m_dark, m_washed, m_centre);
}

void ChromeBackdrop::paint(QPainter& p, const QSizeF& size, bool dark, bool washed, QPointF centre) {
    const QRectF rect(QPointF(0, 0), size);
    const QPointF c(centre.x() * size.width(), centre.y() * size.height());
    QRadialGradient base(c, Theme::chromeRadius);
    for (int i = 0; i < 3; ++i)
        base.setColorAt(i / 2.0, Theme::chromeGradient[i].resolve(dark));
    p.fillRect(rect, base);
    if (!washed) return;
    QRadialGradient wash(c, Theme::plumRadius);
    wash.setColorAt(0, Theme::plumCentreColor.resolve(dark));
    wash.setColorAt(1, Theme::plumEdgeColor.resolve(dark));
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.fillRect(rect, wash);
    p.restore();
}
