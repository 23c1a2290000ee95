#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class QPainter;

// The one table from the interface's symbol names ("play.fill", "pin.slash", ...) to glyphs of the bundled
// Material Icons font. A few symbols have no matching glyph there and are drawn instead.
namespace Symbols {

enum class Kind { unknown, glyph, drawn };

Kind kind(const QString& name);
// The glyph's text, empty for a drawn or unknown symbol.
QString glyph(const QString& name);
QStringList names();
// The icon font's family, loaded from the program's resources on first use; empty if it failed to load.
QString fontFamily();
// Paints the symbol into `box` in `color`; false for an unknown name.
bool paint(QPainter& painter, const QString& name, const QRectF& box, const QColor& color);

} // namespace Symbols

// A symbol drawn at `size` pixels in `color`.
class SymbolImage : public QQuickPaintedItem {
    Q_OBJECT
    QML_NAMED_ELEMENT(Symbol)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(double size READ size WRITE setSize NOTIFY sizeChanged)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
public:
    explicit SymbolImage(QQuickItem* parent = nullptr);

    QString name() const { return m_name; }
    void setName(const QString& name);
    double size() const { return m_size; }
    void setSize(double size);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    void paint(QPainter* painter) override;

signals:
    void nameChanged();
    void sizeChanged();
    void colorChanged();

private:
    QString m_name;
    double m_size = 16;
    QColor m_color = Qt::black;
};
