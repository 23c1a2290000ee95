#include "IvraBuilder.h"

#include "Face.h"
#include "shell/look/ColorMath.h"

#include <cmath>

const BodyPart* IvraBody::part(const QString& name) const {
    for (const BodyPart& p : parts)
        if (p.name == name) return &p;
    return nullptr;
}

namespace IvraBuilder {

namespace {

QPainterPath outlineOf(const Face& face, const QString& name) {
    for (const Face::Part& part : face.parts())
        if (part.name == name) return face.flipped(part.outline);
    return {};
}

// An outline of the face extruded `depth` deep, rounded over at the front (and back), at depth z.
BodyPart extruded(const QString& name, const QPainterPath& sceneOutline, double depth, double front,
                  double back, double z, QList<MaterialRecipe> materials) {
    return {name, Meshes::extrude(sceneOutline, depth, front, back), QVector3D(0, 0, float(z)), QQuaternion(),
            std::move(materials)};
}

QList<MaterialRecipe> allOf(const MaterialRecipe& m) {
    return {m, m, m, m, m};
}

// A flat face rectangle lying at depth z, facing the viewer.
BodyPart plane(const Face& face, const QString& name, const QRectF& rect, double z, const MaterialRecipe& m) {
    const QPointF centre = face.flipped(rect.center());
    return {name,
            Meshes::plane(rect.width(), rect.height()),
            QVector3D(float(centre.x()), float(centre.y()), float(z)),
            QQuaternion(),
            {m}};
}

QQuaternion about(const QVector3D& axis, double radians) {
    return QQuaternion::fromAxisAndAngle(axis, float(radians * 180 / M_PI));
}

} // namespace

IvraBody flash(const IvraFinish& finish) {
    const Face face(IvraModel::flash);
    const MaterialRecipe metal = Materials::anodised(finish, 0);
    const MaterialRecipe dark = Materials::anodised(finish, 0.3);
    IvraBody body;
    body.parts.append(extruded(QStringLiteral("body"), outlineOf(face, QStringLiteral("body")), 8.5, 1.8, 1.8,
                               0, allOf(metal)));
    body.parts.append(extruded(QStringLiteral("cover glass"), outlineOf(face, QStringLiteral("cover glass")),
                               0.5, 0.2, 0, 4.15, allOf(Materials::glass())));
    body.display = body.parts.size();
    body.parts.append(
        plane(face, QStringLiteral("display"), {4.5, 4.2, 32.4, 43.2}, 4.42, Materials::screen()));
    const MaterialRecipe back = Materials::button(QStringLiteral("arrowshape.left"), finish);
    body.parts.append(extruded(QStringLiteral("left button"), outlineOf(face, QStringLiteral("left button")),
                               1.0, 0.45, 0, 4.2, {back, dark, dark, back, dark}));
    const MaterialRecipe play = Materials::button(QStringLiteral("playpause"), finish);
    body.parts.append(extruded(QStringLiteral("right button"),
                               outlineOf(face, QStringLiteral("right button")), 1.0, 0.45, 0, 4.2,
                               {play, dark, dark, play, dark}));
    body.parts.append(extruded(QStringLiteral("pad ring"), outlineOf(face, QStringLiteral("pad ring")), 1.2,
                               0.45, 0, 4.3, allOf(Materials::chrome())));
    const MaterialRecipe pad = Materials::pad(finish), padBack = Materials::pad(finish);
    body.parts.append(extruded(QStringLiteral("pad"), outlineOf(face, QStringLiteral("pad")), 0.8, 0.25, 0,
                               4.05, {pad, padBack, padBack, pad, padBack}));
    return body;
}

IvraBody hd(const IvraFinish& finish) {
    const Face face(IvraModel::hd);
    const double facet = 22 / 102.1;
    IvraBody body;

    MaterialRecipe slope = Materials::backPlate(finish, true, facet),
                   panel = Materials::backPlate(finish, false, facet);
    slope.doubleSided = panel.doubleSided = true;
    body.parts.append({QStringLiteral("back shell"),
                       face.taper({0, 0, 52.7, 102.1}, 2.8, {3.2, 1.6}, -0.4, -4.45),
                       {},
                       {},
                       {slope, panel}});
    body.parts.append({QStringLiteral("copper strip"),
                       Meshes::plane(12, 1.4),
                       QVector3D(0, -27.85f, -4.48f),
                       about({0, 1, 0}, M_PI),
                       {Materials::copper()}});
    body.parts.append(extruded(QStringLiteral("black band"), outlineOf(face, QStringLiteral("black band")),
                               2.85, 0, 0, 1.025, allOf(Materials::blackPlastic())));

    const QColor top = Materials::colour(finish.top, 0);
    const MaterialRecipe bezelFace = Materials::pbr(top, 0.95, 0.3),
                         bezelSide = Materials::pbr(top, 0.95, 0.3);
    const MaterialRecipe polish = Materials::pbr(ColorMath::mixed(top, Qt::white, 0.15), 1, 0.08);
    body.parts.append(extruded(QStringLiteral("metal bezel"), outlineOf(face, QStringLiteral("metal bezel")),
                               2.0, 0.35, 0, 3.45, {bezelFace, bezelSide, bezelSide, polish, polish}));
    body.parts.append(extruded(QStringLiteral("cover glass"), outlineOf(face, QStringLiteral("cover glass")),
                               0.7, 0.12, 0, 4.05, allOf(Materials::glass())));
    const MaterialRecipe flake = Materials::flake(finish), flakeBack = Materials::flake(finish);
    body.parts.append(extruded(QStringLiteral("lower panel"), outlineOf(face, QStringLiteral("lower panel")),
                               0.7, 0.1, 0, 4.03, {flake, flakeBack, flakeBack, flake, flakeBack}));
    body.parts.append(extruded(QStringLiteral("tab"), outlineOf(face, QStringLiteral("tab")), 1.1, 0.5, 0,
                               4.2, allOf(Materials::tabGlass())));
    body.display = body.parts.size();
    body.parts.append(
        plane(face, QStringLiteral("display"), {5.9, 5.8, 40.9, 73.2}, 4.41, Materials::screen()));
    body.parts.append(plane(face, QStringLiteral("logo"), {21.35, 81.8, 10, 2.5}, 4.41,
                            Materials::print(QStringLiteral("ivra"))));

    // The top edge's bar: a box with rounded edges, made as a rounded rectangle rounded over front and back.
    QPainterPath bar;
    bar.addRoundedRect(QRectF(-7.9, -0.15, 15.8, 0.3), 0.12, 0.12);
    BodyPart topBar = extruded(QStringLiteral("top-edge bar"), bar, 1.85, 0.12, 0.12, 1.025,
                               allOf(Materials::blackPlastic()));
    topBar.position = QVector3D(0, 51.1f, 1.025f);
    body.parts.append(topBar);

    // The sockets lie on the lower edge, facing down.
    const QQuaternion down = about({1, 0, 0}, M_PI / 2);
    body.parts.append({QStringLiteral("round socket"),
                       Meshes::roundedPlane(3.4, 3.4, 1.7),
                       QVector3D(-16.75f, -51.07f, 1.025f),
                       down,
                       {Materials::socket(true)}});
    body.parts.append({QStringLiteral("wide socket"),
                       Meshes::roundedPlane(18.7, 2.2, 1.1),
                       QVector3D(0, -51.07f, 1.025f),
                       down,
                       {Materials::socket(false)}});

    const QQuaternion backwards = about({1, 0, 0}, -M_PI / 2);
    for (const QPointF& at : {QPointF(3.7, 3.3), QPointF(49, 3.3), QPointF(3.7, 77.7), QPointF(49, 77.7)}) {
        const QPointF p = face.flipped(at);
        body.parts.append({QStringLiteral("screw"),
                           Meshes::cylinder(0.95, 0.2),
                           QVector3D(float(p.x()), float(p.y()), -4.5f),
                           backwards,
                           {Materials::screw(), Materials::screw(), Materials::screw()}});
    }
    return body;
}

IvraBody build(IvraModel model, const IvraFinish& finish) {
    return model == IvraModel::hd ? hd(finish) : flash(finish);
}

} // namespace IvraBuilder
