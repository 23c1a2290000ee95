#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

class QPainter;

// The like button's heart: the outlined heart in `outline`, and over it the filled heart in the accent's
// gradient (top-left `from` to bottom-right `to`), shown through a centred circle of 1.5 × the glyph that
// grows with `fill` (0: none of it, 1: all of it). The glyph is `glyph` pixels, centred in the item.
class Heart : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double glyph READ glyph WRITE setGlyph NOTIFY changed)
    Q_PROPERTY(double fill READ fill WRITE setFill NOTIFY changed)
    Q_PROPERTY(QColor outline READ outline WRITE setOutline NOTIFY changed)
    Q_PROPERTY(QColor from READ from WRITE setFrom NOTIFY changed)
    Q_PROPERTY(QColor to READ to WRITE setTo NOTIFY changed)
public:
    static constexpr double maskScale = 1.5;

    explicit Heart(QQuickItem* parent = nullptr);

    double glyph() const { return m_glyph; }
    void setGlyph(double v);
    double fill() const { return m_fill; }
    void setFill(double v);
    QColor outline() const { return m_outline; }
    void setOutline(const QColor& c);
    QColor from() const { return m_from; }
    void setFrom(const QColor& c);
    QColor to() const { return m_to; }
    void setTo(const QColor& c);

    void paint(QPainter* painter) override;
    // Draws the heart centred in `box`; the item's paint and the tests use it.
    static void paintHeart(QPainter& painter, const QRectF& box, double glyph, double fill,
                           const QColor& outline, const QColor& from, const QColor& to);

signals:
    void changed();

private:
    double m_glyph = 11;
    double m_fill = 0;
    QColor m_outline = Qt::white;
    QColor m_from = Qt::red, m_to = Qt::magenta;
};
