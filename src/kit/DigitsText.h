#pragma once

#include <QColor>
#include <QFont>
#include <QQuickPaintedItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QPainter;

// One line of text whose digits all take the width of the font's widest digit, so a running time or a
// level does not jitter as its figures change. (Inter's tabular figures are an OpenType feature this Qt
// cannot switch on.) Other characters keep their own widths.
class DigitsText : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QFont font READ font WRITE setFont NOTIFY fontChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    // The first line's baseline from the top, for aligning neighbours on it.
    Q_PROPERTY(double ascent READ ascent NOTIFY fontChanged)
public:
    explicit DigitsText(QQuickItem* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    QFont font() const { return m_font; }
    void setFont(const QFont& font);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    double ascent() const;

    // The width of `text` in `font` with every digit in a cell of the widest digit.
    static double measure(const QString& text, const QFont& font);
    void paint(QPainter* painter) override;

signals:
    void textChanged();
    void fontChanged();
    void colorChanged();

private:
    void remeasure();

    QString m_text;
    QFont m_font;
    QColor m_color = Qt::black;
};
