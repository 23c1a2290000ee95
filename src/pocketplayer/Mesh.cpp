#include "Mesh.h"

#include <GL/glu.h>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <polyclipping/clipper.hpp>
#include <vector>

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Clipper works on integers: 10 nm steps.
constexpr double units = 1e5;
// Points closer than a micrometre, or that far off the line through their neighbours, are dropped: the
// parts are drawn to a hundredth of a millimetre, and slivers thinner than that only upset the stitching.
constexpr double cleanDistance = 0.001 * units;

Paths toPaths(const QList<QPolygonF>& polygons) {
    Paths paths;
    for (const QPolygonF& polygon : polygons) {
        Path path;
        for (const QPointF& p : polygon)
            path.push_back(IntPoint(cInt(std::llround(p.x() * units)), cInt(std::llround(p.y() * units))));
        if (path.size() > 1 && path.front() == path.back()) path.pop_back();
        if (path.size() >= 3) paths.push_back(std::move(path));
    }
    return paths;
}

QPointF toPoint(const IntPoint& p) {
    return {double(p.X) / units, double(p.Y) / units};
}

// Outer contours counter-clockwise, holes clockwise (y upwards), no repeated or collinear points.
Paths normalised(const QPainterPath& outline) {
    Paths paths = toPaths(Meshes::flatten(outline));
    ClipperLib::SimplifyPolygons(paths, ClipperLib::pftEvenOdd);
    ClipperLib::CleanPolygons(paths, cleanDistance);
    return paths;
}

Paths inset(const Paths& base, double by) {
    if (by <= 0) return base;
    ClipperLib::ClipperOffset offset(2.0, 0.02 * units);
    offset.AddPaths(base, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    Paths out;
    offset.Execute(out, -by * units);
    ClipperLib::CleanPolygons(out, cleanDistance);
    return out;
}

// The outward normal of a contour at each point (holes run clockwise, so theirs point into the hole).
QList<QVector2D> outwardNormals(const Path& path) {
    const size_t n = path.size();
    auto edges = QList<QVector2D>(qsizetype(n));
    for (size_t i = 0; i < n; ++i) {
        const QPointF a = toPoint(path[i]), b = toPoint(path[(i + 1) % n]);
        edges[qsizetype(i)] = QVector2D(float(b.y() - a.y()), float(a.x() - b.x())).normalized();
    }
    auto normals = QList<QVector2D>(qsizetype(n));
    for (size_t i = 0; i < n; ++i)
        normals[qsizetype(i)] = (edges[qsizetype((i + n - 1) % n)] + edges[qsizetype(i)]).normalized();
    return normals;
}

struct Box {
    double minX, maxY, w, h;
    QVector2D uv(const QPointF& p) const {
        return {float(w > 0 ? (p.x() - minX) / w : 0), float(h > 0 ? (maxY - p.y()) / h : 0)};
    }
};

Box boxOf(const Paths& paths) {
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (const Path& path : paths)
        for (const IntPoint& ip : path) {
            const QPointF p = toPoint(ip);
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    return {minX, maxY, maxX - minX, maxY - minY};
}

// One ring of the rounded edge: an inset outline at depth z, its normals tilted by `angle` from the face.
struct Ring {
    Paths paths;
    double z;
    double angle;  // 0 at the face (normal along ±z), π/2 at the sides
    double facing; // +1 for the front, −1 for the back
};

QVector3D ringNormal(const QVector2D& outward, double angle, double facing) {
    return QVector3D(outward.x() * float(std::sin(angle)), outward.y() * float(std::sin(angle)),
                     float(facing * std::cos(angle)))
        .normalized();
}

struct TessState {
    Mesh* mesh;
    QList<quint32> polygon; // indices of the current primitive (triangles only)
    QVector3D normal;
    Box box;
    double z;
    bool failed = false;
};

void GLAPIENTRY tessBegin(GLenum, void*) {}
void GLAPIENTRY tessEdgeFlag(GLboolean, void*) {}
void GLAPIENTRY tessVertex(void* vertex, void* data) {
    auto* s = static_cast<TessState*>(data);
    s->polygon.append(quint32(reinterpret_cast<quintptr>(vertex)));
    if (s->polygon.size() == 3) {
        s->mesh->addOutward(s->polygon[0], s->polygon[1], s->polygon[2]);
        s->polygon.clear();
    }
}
void GLAPIENTRY tessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data) {
    auto* s = static_cast<TessState*>(data);
    const QPointF p(coords[0], coords[1]);
    *out = reinterpret_cast<void*>(quintptr(
        s->mesh->add({QVector3D(float(p.x()), float(p.y()), float(s->z)), s->normal, s->box.uv(p)})));
}
void GLAPIENTRY tessError(GLenum, void* data) {
    static_cast<TessState*>(data)->failed = true;
}

// Fills the outline at depth z, facing `facing` (+1 front, −1 back), through the GLU tessellator (odd
// winding, which needs no GL context).
void cap(Mesh& mesh, const Paths& paths, double z, double facing, const Box& box) {
    TessState state{&mesh, {}, QVector3D(0, 0, float(facing)), box, z};
    GLUtesselator* tess = gluNewTess();
    using Callback = void(GLAPIENTRY*)();
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(&tessBegin));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Callback>(&tessEdgeFlag));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(&tessVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(&tessCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(&tessError));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(tess, 0, 0, 1);
    std::vector<std::array<GLdouble, 3>> coords;
    for (const Path& path : paths)
        coords.resize(coords.size() + path.size());
    size_t next = 0;
    gluTessBeginPolygon(tess, &state);
    for (const Path& path : paths) {
        gluTessBeginContour(tess);
        for (const IntPoint& ip : path) {
            const QPointF p = toPoint(ip);
            const quint32 index =
                mesh.add({QVector3D(float(p.x()), float(p.y()), float(z)), state.normal, box.uv(p)});
            coords[next] = {p.x(), p.y(), 0};
            gluTessVertex(tess, coords[next].data(), reinterpret_cast<void*>(quintptr(index)));
            ++next;
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
}

// Vertices of one contour of a ring, with the contour's running length as a fraction of its perimeter.
struct Loop {
    QList<quint32> index;
    QList<double> at; // at[i] in [0, 1), at[n] = 1
    QPointF centre;
    bool outer = true;
};

Loop addLoop(Mesh& mesh, const Path& path, double z, double angle, double facing, const Box& box,
             qsizetype start = 0) {
    Loop loop;
    const qsizetype n = qsizetype(path.size());
    const QList<QVector2D> normals = outwardNormals(path);
    double length = 0;
    QPointF previous;
    QPointF sum;
    for (qsizetype k = 0; k <= n; ++k) {
        const qsizetype i = (start + k) % n;
        const QPointF p = toPoint(path[size_t(i)]);
        if (k > 0) length += std::hypot(p.x() - previous.x(), p.y() - previous.y());
        previous = p;
        if (k == n) break;
        sum += p;
        loop.at.append(length);
        loop.index.append(mesh.add({QVector3D(float(p.x()), float(p.y()), float(z)),
                                    ringNormal(normals[i], angle, facing), box.uv(p)}));
    }
    loop.at.append(length);
    for (double& t : loop.at)
        t = length > 0 ? t / length : 0;
    loop.centre = sum / double(n);
    loop.outer = ClipperLib::Orientation(path);
    return loop;
}

// Stitches two contours that run the same way with triangles, starting side by side and walking both
// together: by the fraction of their length, except where the shorter next diagonal says otherwise. All
// triangles of the band share one winding, chosen so that the band faces the way its normals point: deciding
// triangle by triangle would flip the odd sliver at a sharp corner and leave the solid open there.
void stitch(Mesh& mesh, const Loop& a, const Loop& b) {
    const qsizetype na = a.index.size(), nb = b.index.size();
    const qsizetype first = mesh.indices.size();
    qsizetype i = 0, j = 0;
    while (i < na || j < nb) {
        bool stepA = j == nb || (i < na && a.at[i + 1] <= b.at[j + 1]);
        if (i < na && j < nb) {
            // Along a sharp corner an inset outline runs ahead of or behind the full one by length; the
            // shorter of the two next diagonals keeps the band from folding there.
            const QVector3D &pa = mesh.vertices[a.index[i]].position,
                            &pb = mesh.vertices[b.index[j]].position;
            const QVector3D &na1 = mesh.vertices[a.index[(i + 1) % na]].position,
                            &nb1 = mesh.vertices[b.index[(j + 1) % nb]].position;
            stepA = (na1 - pb).lengthSquared() <= (nb1 - pa).lengthSquared();
        }
        if (stepA) {
            mesh.indices.append({a.index[i], a.index[(i + 1) % na], b.index[j % nb]});
            ++i;
        } else {
            mesh.indices.append({a.index[i % na], b.index[(j + 1) % nb], b.index[j]});
            ++j;
        }
    }
    double agreement = 0;
    for (qsizetype t = first; t < mesh.indices.size(); t += 3) {
        const Mesh::Vertex &va = mesh.vertices[mesh.indices[t]], &vb = mesh.vertices[mesh.indices[t + 1]],
                           &vc = mesh.vertices[mesh.indices[t + 2]];
        const QVector3D face = QVector3D::crossProduct(vb.position - va.position, vc.position - va.position);
        agreement += QVector3D::dotProduct(face, va.normal + vb.normal + vc.normal);
    }
    if (agreement < 0)
        for (qsizetype t = first; t < mesh.indices.size(); t += 3)
            std::swap(mesh.indices[t + 1], mesh.indices[t + 2]);
    mesh.subsets.last().count += mesh.indices.size() - first;
}

// The contour of `paths` running the same way as `contour`, nearest to it; −1 when none is left.
qsizetype partner(const Path& contour, const Paths& paths, const QList<bool>& used) {
    const bool outer = ClipperLib::Orientation(contour);
    QPointF c;
    for (const IntPoint& p : contour)
        c += toPoint(p);
    c /= double(contour.size());
    qsizetype best = -1;
    double bestDistance = 1e300;
    for (qsizetype k = 0; k < qsizetype(paths.size()); ++k) {
        if (used[k] || ClipperLib::Orientation(paths[size_t(k)]) != outer) continue;
        QPointF d;
        for (const IntPoint& p : paths[size_t(k)])
            d += toPoint(p);
        d /= double(paths[size_t(k)].size());
        const double distance = std::hypot(c.x() - d.x(), c.y() - d.y());
        if (distance < bestDistance) {
            bestDistance = distance;
            best = k;
        }
    }
    return best;
}

// The point of `path` nearest to `p`, so that stitched contours start side by side.
qsizetype nearest(const Path& path, const QPointF& p) {
    qsizetype best = 0;
    double bestDistance = 1e300;
    for (qsizetype k = 0; k < qsizetype(path.size()); ++k) {
        const QPointF q = toPoint(path[size_t(k)]);
        const double d = std::hypot(q.x() - p.x(), q.y() - p.y());
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    return best;
}

void band(Mesh& mesh, const Ring& from, const Ring& to, const Box& box) {
    QList<bool> used(qsizetype(to.paths.size()), false);
    for (const Path& contour : from.paths) {
        const qsizetype k = partner(contour, to.paths, used);
        if (k < 0) continue;
        used[k] = true;
        const Loop a = addLoop(mesh, contour, from.z, from.angle, from.facing, box);
        const Path& other = to.paths[size_t(k)];
        const Loop b =
            addLoop(mesh, other, to.z, to.angle, to.facing, box, nearest(other, toPoint(contour.front())));
        stitch(mesh, a, b);
    }
}

// The sides: straight walls between the two full-size outlines. Normals are shared across gentle bends
// and split at sharp corners, so a rounded corner looks round and a square one stays crisp.
void sides(Mesh& mesh, const Paths& paths, double top, double bottom, double depth) {
    for (const Path& path : paths) {
        const size_t n = path.size();
        auto edge = QList<QVector2D>(qsizetype(n));
        double perimeter = 0;
        QList<double> at(qsizetype(n) + 1, 0);
        for (size_t i = 0; i < n; ++i) {
            const QPointF a = toPoint(path[i]), b = toPoint(path[(i + 1) % n]);
            edge[qsizetype(i)] = QVector2D(float(b.y() - a.y()), float(a.x() - b.x())).normalized();
            perimeter += std::hypot(b.x() - a.x(), b.y() - a.y());
            at[qsizetype(i) + 1] = perimeter;
        }
        const auto normalAt = [&](size_t vertex, size_t ownEdge) {
            const QVector2D before = edge[qsizetype((vertex + n - 1) % n)],
                            after = edge[qsizetype(vertex % n)];
            if (QVector2D::dotProduct(before, after) > std::cos(35 * M_PI / 180))
                return QVector3D((before + after).normalized(), 0);
            return QVector3D(edge[qsizetype(ownEdge)], 0);
        };
        for (size_t i = 0; i < n; ++i) {
            const size_t j = (i + 1) % n;
            const QPointF a = toPoint(path[i]), b = toPoint(path[j]);
            const float ua = float(at[qsizetype(i)] / perimeter),
                        ub = float(at[qsizetype(i) + 1] / perimeter);
            const float vt = float((depth / 2 - top) / depth), vb = float((depth / 2 - bottom) / depth);
            const QVector3D na = normalAt(i, i), nb = normalAt(j, i);
            const quint32 at0 = mesh.add({QVector3D(float(a.x()), float(a.y()), float(top)), na, {ua, vt}});
            const quint32 ab = mesh.add({QVector3D(float(a.x()), float(a.y()), float(bottom)), na, {ua, vb}});
            const quint32 bt = mesh.add({QVector3D(float(b.x()), float(b.y()), float(top)), nb, {ub, vt}});
            const quint32 bb = mesh.add({QVector3D(float(b.x()), float(b.y()), float(bottom)), nb, {ub, vb}});
            mesh.addOutward(at0, ab, bb);
            mesh.addOutward(at0, bb, bt);
        }
    }
}

// Quarter-circle steps fine enough that the chord never strays more than 0.02 from the arc.
int steps(double radius) {
    if (radius <= 0) return 0;
    const double half = std::acos(std::max(1 - 0.02 / radius, 0.0));
    return std::max(2, int(std::ceil((M_PI / 2) / (2 * half))));
}

QList<Ring> rounding(const Paths& base, double depth, double radius, double facing) {
    QList<Ring> rings;
    const int n = steps(radius);
    for (int j = 0; j <= n; ++j) {
        const double angle = n ? (M_PI / 2) * j / n : M_PI / 2;
        const double by = radius * (1 - std::sin(angle));
        const double z = facing * (depth / 2 - radius * (1 - std::cos(angle)));
        rings.append({j == n ? base : inset(base, by), z, angle, facing});
    }
    return rings;
}

} // namespace

quint32 Mesh::add(const Vertex& vertex) {
    vertices.append(vertex);
    return quint32(vertices.size() - 1);
}

void Mesh::beginSubset() {
    subsets.append({indices.size(), 0});
}

void Mesh::addOutward(quint32 a, quint32 b, quint32 c) {
    const Vertex &va = vertices[a], &vb = vertices[b], &vc = vertices[c];
    const QVector3D face = QVector3D::crossProduct(vb.position - va.position, vc.position - va.position);
    const QVector3D normal = va.normal + vb.normal + vc.normal;
    if (QVector3D::dotProduct(face, normal) < 0) std::swap(b, c);
    indices.append({a, b, c});
    if (subsets.isEmpty()) beginSubset();
    subsets.last().count += 3;
}

void Mesh::bounds(QVector3D& min, QVector3D& max) const {
    min = QVector3D(1e30f, 1e30f, 1e30f);
    max = -min;
    for (const Vertex& v : vertices)
        for (int k = 0; k < 3; ++k) {
            min[k] = std::min(min[k], v.position[k]);
            max[k] = std::max(max[k], v.position[k]);
        }
}

namespace Meshes {

QList<QPolygonF> flatten(const QPainterPath& path, double flatness) {
    // Qt flattens curves to within half a unit: scale up so that half a unit is `flatness`.
    const double scale = 0.5 / flatness;
    QList<QPolygonF> polygons = path.toSubpathPolygons(QTransform::fromScale(scale, scale));
    for (QPolygonF& polygon : polygons)
        for (QPointF& p : polygon)
            p /= scale;
    return polygons;
}

Mesh extrude(const QPainterPath& outline, double depth, double frontRadius, double backRadius) {
    Mesh mesh;
    const Paths base = normalised(outline);
    if (base.empty()) return mesh;
    const Box box = boxOf(base);
    frontRadius = std::clamp(frontRadius, 0.0, depth / 2);
    backRadius = std::clamp(backRadius, 0.0, depth - frontRadius);
    const QList<Ring> front = rounding(base, depth, frontRadius, 1);
    const QList<Ring> back = rounding(base, depth, backRadius, -1);

    mesh.beginSubset();
    cap(mesh, front.first().paths, depth / 2, 1, box);
    mesh.beginSubset();
    cap(mesh, back.first().paths, -depth / 2, -1, box);
    mesh.beginSubset();
    sides(mesh, base, front.last().z, back.last().z, depth);
    mesh.beginSubset();
    for (qsizetype k = 0; k + 1 < front.size(); ++k)
        band(mesh, front[k], front[k + 1], box);
    mesh.beginSubset();
    for (qsizetype k = 0; k + 1 < back.size(); ++k)
        band(mesh, back[k], back[k + 1], box);
    return mesh;
}

Mesh plane(double w, double h) {
    Mesh mesh;
    mesh.beginSubset();
    const QVector3D n(0, 0, 1);
    const float x = float(w / 2), y = float(h / 2);
    const quint32 tl = mesh.add({{-x, y, 0}, n, {0, 0}}), tr = mesh.add({{x, y, 0}, n, {1, 0}});
    const quint32 bl = mesh.add({{-x, -y, 0}, n, {0, 1}}), br = mesh.add({{x, -y, 0}, n, {1, 1}});
    mesh.addOutward(tl, bl, br);
    mesh.addOutward(tl, br, tr);
    return mesh;
}

Mesh roundedPlane(double w, double h, double radius) {
    Mesh mesh;
    mesh.beginSubset();
    QPainterPath path;
    path.addRoundedRect(QRectF(-w / 2, -h / 2, w, h), radius, radius);
    const QList<QPolygonF> outline = flatten(path);
    if (outline.isEmpty()) return mesh;
    const QVector3D n(0, 0, 1);
    const auto uv = [&](const QPointF& p) {
        return QVector2D(float(p.x() / w + 0.5), float(0.5 - p.y() / h));
    };
    // The outline is convex: a fan from the centre fills it.
    const quint32 centre = mesh.add({{0, 0, 0}, n, {0.5f, 0.5f}});
    QPolygonF points = outline.first();
    if (points.size() > 1 && points.first() == points.last()) points.removeLast();
    QList<quint32> ring;
    for (const QPointF& p : points)
        ring.append(mesh.add({QVector3D(float(p.x()), float(p.y()), 0), n, uv(p)}));
    for (qsizetype i = 0; i < ring.size(); ++i)
        mesh.addOutward(centre, ring[i], ring[(i + 1) % ring.size()]);
    return mesh;
}

Mesh cylinder(double radius, double height) {
    Mesh mesh;
    const int segments = std::max(24, steps(radius) * 4);
    const float r = float(radius), top = float(height / 2);
    mesh.beginSubset();
    for (int i = 0; i < segments; ++i) {
        const double a0 = 2 * M_PI * i / segments, a1 = 2 * M_PI * (i + 1) / segments;
        const QVector3D n0(float(std::sin(a0)), 0, float(std::cos(a0))),
            n1(float(std::sin(a1)), 0, float(std::cos(a1)));
        const float u0 = float(i) / segments, u1 = float(i + 1) / segments;
        const quint32 t0 = mesh.add({n0 * r + QVector3D(0, top, 0), n0, {u0, 0}});
        const quint32 b0 = mesh.add({n0 * r - QVector3D(0, top, 0), n0, {u0, 1}});
        const quint32 t1 = mesh.add({n1 * r + QVector3D(0, top, 0), n1, {u1, 0}});
        const quint32 b1 = mesh.add({n1 * r - QVector3D(0, top, 0), n1, {u1, 1}});
        mesh.addOutward(t0, b0, b1);
        mesh.addOutward(t0, b1, t1);
    }
    for (const float side : {1.0f, -1.0f}) {
        mesh.beginSubset();
        const QVector3D n(0, side, 0);
        const quint32 centre = mesh.add({{0, side * top, 0}, n, {0.5f, 0.5f}});
        QList<quint32> ring;
        for (int i = 0; i < segments; ++i) {
            const double a = 2 * M_PI * i / segments;
            const float x = float(std::sin(a)) * r, z = float(std::cos(a)) * r;
            ring.append(mesh.add({{x, side * top, z}, n, {x / (2 * r) + 0.5f, 0.5f - z / (2 * r)}}));
        }
        for (int i = 0; i < segments; ++i)
            mesh.addOutward(centre, ring[i], ring[(i + 1) % segments]);
    }
    return mesh;
}

} // namespace Meshes
