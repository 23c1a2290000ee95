#pragma once

#include "IvraModel.h"

#include <QColor>
#include <QPainterPath>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// The small one-colour outline of the player on the footer's player button: 32 high, as wide as the
// model's proportions make it, the flash with its round pad, the hd with its tall screen.
class IvraGlyph : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString model READ modelText WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)

public:
    static constexpr double glyphHeight = 32;
    static constexpr double lineWidth = 1.5;

    // The frames of the two outlines; each stroke lies wholly inside its frame.
    struct Shape {
        QRectF body;
        double bodyRadius = 0;
        QRectF inner; // the flash's pad or the hd's screen
        double innerRadius = 0;
    };
    static double glyphWidth(IvraModel model);
    static Shape shape(IvraModel model);
    // The outlines to stroke at `lineWidth`: each frame inset by half a line.
    static QPainterPath strokes(IvraModel model);

    explicit IvraGlyph(QQuickItem* parent = nullptr);

    QString modelText() const { return Ivra::rawValue(m_model); }
    void setModel(const QString& model);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    void paint(QPainter* painter) override;

signals:
    void modelChanged();
    void colorChanged();

private:
    IvraModel m_model = IvraModel::flash;
    QColor m_color = Qt::black;
};
