#pragma once

#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QVector2D>
#include <QVector3D>

// Triangles of one 3-D part, in millimetres of the real player: positions, normals, texture coordinates
// (v = 0 at the top of the part) and subsets of the index list, subset k drawn with the part's material k.
struct Mesh {
    struct Vertex {
        QVector3D position;
        QVector3D normal;
        QVector2D uv;
    };
    struct Subset {
        qsizetype offset = 0; // first index
        qsizetype count = 0;  // number of indices
    };
    QList<Vertex> vertices;
    QList<quint32> indices;
    QList<Subset> subsets;

    quint32 add(const Vertex& vertex);
    // Starts the next subset at the current end of the index list.
    void beginSubset();
    // Appends a triangle wound counter-clockwise seen from the side its vertex normals point to.
    void addOutward(quint32 a, quint32 b, quint32 c);
    void bounds(QVector3D& min, QVector3D& max) const;
};

namespace Meshes {

// A closed outline flattened so that no point of the curve lies further than `flatness` from its polygon.
QList<QPolygonF> flatten(const QPainterPath& path, double flatness = 0.02);

// A solid made of `outline` (scene coordinates, odd-even filled; holes allowed) extruded `depth` deep,
// centred on z = 0, its edges rounded over with the given radii. The round-over of radius r insets the
// outline by r at the face and reaches the full outline r behind it on a quarter circle. Subsets: front
// face, back face, sides, front round-over, back round-over (the last two empty for radius 0).
Mesh extrude(const QPainterPath& outline, double depth, double frontRadius, double backRadius);

// A flat rectangle, w × h, centred on the origin and facing +z.
Mesh plane(double w, double h);
// A flat rectangle with rounded corners (a disc when the radius is half a square's side), facing +z.
Mesh roundedPlane(double w, double h, double radius);
// A cylinder along y, centred on the origin. Subsets: side, top (+y), bottom.
Mesh cylinder(double radius, double height);

} // namespace Meshes
