#pragma once

#include "Face.h"
#include "IvraModel.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QVector2D>

// How one surface of the 3-D player looks: a physically based material (or an unlit decal) as plain data.
// Qt Quick 3D offers materials only in QML, so one QML component (IvraMaterial) turns a recipe into a
// PrincipledMaterial; everything about the recipe itself is decided, and tested, here.
struct MaterialRecipe {
    QString name;              // "glass" keeps a part out of the scene's fourth light
    QColor colour = Qt::white; // base colour; multiplies `colourMap`
    double metal = 0;          // multiplies `metalMap`
    double rough = 0.5;        // multiplies `roughMap`
    // Pictures drawn top-down: their top row lies at v = 0, the top of the part.
    QImage colourMap, metalMap, roughMap;
    // A normal map repeated `normalScale` times across the part.
    QImage normalMap;
    double normalStrength = 1;
    QVector2D normalScale{1, 1};
    double clearCoat = 0, clearCoatRough = 0;
    bool unlit = false;     // shows its picture unshaded
    bool blend = false;     // opacity from the picture's alpha
    bool depthWrite = true; // decals lying on a surface leave the depth buffer alone
    bool doubleSided = false;
    bool display = false; // the player's display: the scene lights it with the screen image
};

namespace Materials {

// Physically based: base colour, metalness and roughness.
MaterialRecipe pbr(const QColor& colour, double metal, double rough);
// The flash's anodised aluminium: the finish, `darker` toward black, with a fine grain.
MaterialRecipe anodised(const IvraFinish& finish, double darker);
// The flash's click pad: darker than the body and more coarsely grained.
MaterialRecipe pad(const IvraFinish& finish);
// Brushed metal in the finish, the lines running top to bottom.
MaterialRecipe brushed(const IvraFinish& finish);
// The hd's back: brushed metal above, dark plastic in the lowest `facet` of its height. The slope of the
// shell (`black`) is darker and more strongly brushed; the flat panel carries the sheen.
MaterialRecipe backPlate(const IvraFinish& finish, bool black, double facet);
// Metallic-flake paint: the hd's lower front panel.
MaterialRecipe flake(const IvraFinish& finish);
// The display: near-black glass that the scene makes glow with the player's screen.
MaterialRecipe screen();
// A button face: the symbol, white at 80 %, on the finish 30 % toward black.
MaterialRecipe button(const QString& symbol, const IvraFinish& finish);
// A faint printed word, unlit.
MaterialRecipe print(const QString& text);
// A port on the hd's lower edge: round (the headphones) or a capsule (the dock), unlit.
MaterialRecipe socket(bool round);

// Shared by every body, made once.
const MaterialRecipe& chrome();
const MaterialRecipe& copper();
const MaterialRecipe& blackPlastic();
const MaterialRecipe& glass();
const MaterialRecipe& tabGlass();
const MaterialRecipe& screw();

// The pictures behind the recipes.
// 200 × 400: a diagonal gradient from the colour 35 % toward white to the colour 25 % toward black.
QImage sheen(const QColor& colour);
// 200 × 400: `top` (with the sheen over it when asked), and `bottom` in the lowest `facet` of the height.
QImage split(const QColor& top, const QColor& bottom, bool sheen, double facet);
QImage buttonPicture(const QString& symbol, const QColor& colour);
QImage printPicture(const QString& text);
QImage socketPicture(bool round);
QImage screwHead();

} // namespace Materials
