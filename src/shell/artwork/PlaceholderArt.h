#pragma once

#include <QColor>
#include <QPainterPath>
#include <QQuickPaintedItem>
#include <QRectF>
#include <QtQml/qqmlregistration.h>
#include <optional>

// What has no picture: the placeholder's glyph says which.
enum class PlaceholderKind { artist, album, song, playlist };

std::optional<PlaceholderKind> placeholderKindFromText(const QString& text);

// The placeholder's drawing worked out in one place: a neutral gradient over the whole view and the kind's
// glyph, outlined, in the middle. The glyph is laid out on a 100×100 square and scaled to the view's
// shorter side.
namespace PlaceholderGlyph {

// The outline of a kind's glyph placed in a view of the given size (y grows downwards).
QPainterPath path(PlaceholderKind kind, const QSizeF& view);
// side / 70, kept between 1 and 2.5.
double lineWidth(const QSizeF& view);
// The gradient's ends in view coordinates: from (0.3, 0) to (0.7, 1) of the view's box.
QPointF gradientStart(const QSizeF& view);
QPointF gradientEnd(const QSizeF& view);

struct Colours {
    QColor top;
    QColor bottom;
    QColor glyph;
};
Colours colours(bool dark);

} // namespace PlaceholderGlyph

// Paints the placeholder for PlaceholderArt.qml. `kind` is the kind's name ("artist", "album", "song",
// "playlist"); an unknown name draws the gradient alone.
class PlaceholderPainter : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString kind READ kind WRITE setKind NOTIFY kindChanged)
    Q_PROPERTY(bool dark READ dark WRITE setDark NOTIFY darkChanged)

public:
    explicit PlaceholderPainter(QQuickItem* parent = nullptr);

    QString kind() const { return m_kind; }
    void setKind(const QString& kind);
    bool dark() const { return m_dark; }
    void setDark(bool dark);

    void paint(QPainter* painter) override;

signals:
    void kindChanged();
    void darkChanged();

private:
    QString m_kind = QStringLiteral("album");
    bool m_dark = true;
};
