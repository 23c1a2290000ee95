#include "Heart.h"

#include "shell/look/Symbols.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

Heart::Heart(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
    connect(this, &Heart::changed, this, [this] { update(); });
}

void Heart::setGlyph(double v) {
    if (v == m_glyph) return;
    m_glyph = v;
    emit changed();
}

void Heart::setFill(double v) {
    v = std::clamp(v, 0.0, 1.0);
    if (v == m_fill) return;
    m_fill = v;
    emit changed();
}

void Heart::setOutline(const QColor& c) {
    if (c == m_outline) return;
    m_outline = c;
    emit changed();
}

void Heart::setFrom(const QColor& c) {
    if (c == m_from) return;
    m_from = c;
    emit changed();
}

void Heart::setTo(const QColor& c) {
    if (c == m_to) return;
    m_to = c;
    emit changed();
}

void Heart::paint(QPainter* painter) {
    paintHeart(*painter, QRectF(0, 0, width(), height()), m_glyph, m_fill, m_outline, m_from, m_to);
}

void Heart::paintHeart(QPainter& p, const QRectF& box, double glyph, double fill, const QColor& outline,
                       const QColor& from, const QColor& to) {
    const QRectF glyphBox(box.center().x() - glyph / 2, box.center().y() - glyph / 2, glyph, glyph);
    p.setRenderHint(QPainter::Antialiasing);
    Symbols::paint(p, QStringLiteral("heart"), glyphBox, outline);
    if (fill <= 0) return;

    // The filled heart in white, then the gradient kept only where it is.
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1;
    const int side = std::max(1, int(std::ceil(glyph * dpr)));
    QImage layer(side, side, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(dpr);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        const QRectF local(0, 0, glyph, glyph);
        Symbols::paint(lp, QStringLiteral("heart.fill"), local, Qt::white);
        lp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        QLinearGradient gradient(local.topLeft(), local.bottomRight());
        gradient.setColorAt(0, from);
        gradient.setColorAt(1, to);
        lp.fillRect(local, gradient);
    }
    const double diameter = maskScale * glyph * std::min(fill, 1.0);
    QPainterPath mask;
    mask.addEllipse(glyphBox.center(), diameter / 2, diameter / 2);
    p.save();
    p.setClipPath(mask, Qt::IntersectClip);
    p.drawImage(glyphBox.topLeft(), layer);
    p.restore();
}
