#pragma once

#include "IvraModel.h"
#include "Mesh.h"

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The colours of the player's body, worked out from a finish's 0xRRGGBB value.
namespace Materials {
// The value as an opaque sRGB colour, blended by `darker` toward black: 0 keeps it, 1 gives black.
QColor colour(quint32 hex, double darker);
} // namespace Materials

// The front face of one model, in millimetres of the real player: origin at its top left corner, x to the
// right, y downwards. The flat picture draws these outlines as they are; a 3-D body takes them flipped into
// scene coordinates (origin at the centre of the face, y upwards) and extrudes them.
class Face {
public:
    explicit Face(IvraModel model);

    IvraModel model() const { return m_model; }
    QSizeF size() const { return Ivra::frontFace(m_model); }

    // Face coordinates to scene coordinates: x − W/2, H/2 − y.
    QPointF flipped(const QPointF& point) const;
    QPainterPath flipped(const QPainterPath& path) const;

    // A closed outline of a face rectangle whose upper corners have radius `top` and lower corners radius
    // `bottom`, each corner a tangent arc (radius 0 gives a sharp corner). `outline` stays in face
    // coordinates; `rect` is already flipped.
    static QPainterPath outline(const QRectF& rect, double top, double bottom);
    QPainterPath rect(const QRectF& rect, double top, double bottom) const;

    // What a part of the front is made of, as far as a flat drawing tells them apart.
    enum class Fill {
        metal,   // the finish's colour
        dark,    // the finish's colour 30 % toward black: buttons and the flash pad
        paint,   // the hd's lower panel, the finish 18 % toward black
        glass,   // the cover glass and the hd's tab: near black
        plastic, // the hd's black band around the body
        chrome,  // the flash pad's ring
        display, // where the screen image shows
        print,   // the hd's logo
    };
    struct Part {
        QString name;
        QPainterPath outline; // face coordinates, odd-even filled
        Fill fill;
        double front; // depth of the part's front surface, millimetres toward the viewer
    };
    // The parts seen from the front, back to front.
    QList<Part> parts() const;

    // Appends a tangent arc to `path`: from its current point toward `corner`, then along a circle of
    // `radius` that turns toward `next`. Radius 0, or points in one line, give a plain line to `corner`.
    static void arcTo(QPainterPath& path, const QPointF& corner, const QPointF& next, double radius);

    // The points of a rounded rectangle given in scene coordinates (y upwards): for each corner, upper
    // right, upper left, lower left, lower right, `steps` + 1 points on its quarter circle,
    // counter-clockwise.
    static QList<QPointF> loop(const QRectF& rect, double radius, int steps);
    // A shell tapering back from the face rectangle `rect` (face coordinates) at depth `from` to a smaller
    // flat panel at depth `to`, inset by `inset` (width at the left and right, height at the top and bottom).
    // Subsets: the slope, then the panel. Texture coordinates cover the whole face, its top at v = 0.
    Mesh taper(const QRectF& rect, double corner, const QSizeF& inset, double from, double to) const;

private:
    IvraModel m_model;
};
