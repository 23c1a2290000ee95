#pragma once

#include "IvraModel.h"
#include "Materials.h"
#include "Mesh.h"

#include <QList>
#include <QQuaternion>
#include <QString>
#include <QVector3D>

// One part of a 3-D player: its triangles, where it sits in the body and what each of its subsets is made of
// (material k for subset k).
struct BodyPart {
    QString name;
    Mesh mesh;
    QVector3D position;
    QQuaternion rotation;
    QList<MaterialRecipe> materials;

    // Glass parts take no light from the scene's fourth light.
    bool glass() const { return !materials.isEmpty() && materials.first().name == QLatin1String("glass"); }
};

struct IvraBody {
    QList<BodyPart> parts;  // in the order they are added to the body
    qsizetype display = -1; // the part whose material shows the player's screen

    const BodyPart* part(const QString& name) const;
};

// Builds the body of each model in code: extruded outlines of the face, the hd's tapered back, planes and a
// few small solids, in millimetres of the real player, centred on the origin, the front facing +z. Every
// call makes new parts with new materials in the finish.
namespace IvraBuilder {
IvraBody flash(const IvraFinish& finish);
IvraBody hd(const IvraFinish& finish);
IvraBody build(IvraModel model, const IvraFinish& finish);
} // namespace IvraBuilder
