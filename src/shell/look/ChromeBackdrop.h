#pragma once

#include <QPointF>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// The window backdrop's radial gradient, centred at `centre` of the item's unit square, optionally with the
// plum wash multiplied over it. The wash is faded in by drawing a washed copy over a plain one: at opacity
// a, that is exactly the plain backdrop multiplied by the wash at opacity a.
class ChromeBackdrop : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool dark READ dark WRITE setDark NOTIFY changed)
    Q_PROPERTY(bool washed READ washed WRITE setWashed NOTIFY changed)
    Q_PROPERTY(QPointF centre READ centre WRITE setCentre NOTIFY changed)
public:
    explicit ChromeBackdrop(QQuickItem* parent = nullptr);

    bool dark() const { return m_dark; }
    void setDark(bool dark);
    bool washed() const { return m_washed; }
    void setWashed(bool washed);
    QPointF centre() const { return m_centre; }
    void setCentre(QPointF centre);

    void paint(QPainter* painter) override;
    // The gradients have no detail finer than tens of points: painted at a quarter of the item's size and
    // scaled up by the scene graph they look the same, and a window-sized backdrop holds a sixteenth of
    // the memory (a picture and a texture of 8 MB each for a 1920 × 1080 window).
    static QSize textureSizeFor(QSizeF itemSize);
    // The same drawing into any painter, for tests and pictures.
    static void paint(QPainter& painter, const QSizeF& size, bool dark, bool washed, QPointF centre);

signals:
    void changed();

protected:
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;

private:
    bool m_dark = false;
    bool m_washed = false;
    QPointF m_centre{0.5, 0.42};
};
