#include "IvraGlyph.h"

#include <QPainter>

double IvraGlyph::glyphWidth(IvraModel model) {
    // The front face's proportions at 32 high.
    return model == IvraModel::hd ? glyphHeight * 52.7 / 102.1 : glyphHeight * 41.4 / 91.4;
}

IvraGlyph::Shape IvraGlyph::shape(IvraModel model) {
    const double w = glyphWidth(model);
    Shape s;
    s.body = QRectF(0, 0, w, glyphHeight);
    s.bodyRadius = 3;
    if (model == IvraModel::hd) {
        const QSizeF screen(0.62 * w, 0.66 * glyphHeight);
        s.inner = QRectF(QPointF((w - screen.width()) / 2, glyphHeight - 6 - screen.height()), screen);
        s.innerRadius = 0;
    } else {
        const QSizeF pad(0.62 * w, 0.6 * w);
        s.inner = QRectF(QPointF((w - pad.width()) / 2, glyphHeight - 2.5 - pad.height()), pad);
        s.innerRadius = 3.5;
    }
    return s;
}

QPainterPath IvraGlyph::strokes(IvraModel model) {
    const Shape s = shape(model);
    const double half = lineWidth / 2;
    QPainterPath path;
    // Inset by half a line, the radius with it, so the stroke's outer edge follows the frame.
    path.addRoundedRect(s.body.adjusted(half, half, -half, -half), s.bodyRadius - half, s.bodyRadius - half);
    const QRectF inner = s.inner.adjusted(half, half, -half, -half);
    if (s.innerRadius > 0)
        path.addRoundedRect(inner, s.innerRadius - half, s.innerRadius - half);
    else
        path.addRect(inner);
    return path;
}

IvraGlyph::IvraGlyph(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setAntialiasing(true);
    setImplicitSize(glyphWidth(m_model), glyphHeight);
}

void IvraGlyph::setModel(const QString& model) {
    const IvraModel m = Ivra::modelFromRaw(model).value_or(IvraModel::flash);
    if (m == m_model) return;
    m_model = m;
    setImplicitSize(glyphWidth(m_model), glyphHeight);
    emit modelChanged();
    update();
}

void IvraGlyph::setColor(const QColor& color) {
    if (color == m_color) return;
    m_color = color;
    emit colorChanged();
    update();
}

void IvraGlyph::paint(QPainter* painter) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // Drawn at its own size in the middle of whatever box it is given.
    painter->translate((width() - glyphWidth(m_model)) / 2, (height() - glyphHeight) / 2);
    painter->setPen(QPen(m_color, lineWidth));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(strokes(m_model));
    painter->restore();
}
