#pragma once

#include "IvraBuilder.h"
#include "IvraModel.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QQmlListProperty>
#include <QQmlParserStatus>
#include <QQuaternion>
#include <QUrl>
#include <QVector3D>
#include <QtQml/qqmlregistration.h>
#include <QtQuick3D/qquick3dgeometry.h>
#include <QtQuick3D/qquick3dtexturedata.h>
#include <functional>

// A mesh handed to Qt Quick 3D: positions, normals and texture coordinates, one subset per material.
class IvraGeometry : public QQuick3DGeometry {
    Q_OBJECT
    QML_ANONYMOUS
public:
    explicit IvraGeometry(const Mesh& mesh);
};

// A picture uploaded as a texture byte for byte, its top row first.
class IvraTexture : public QQuick3DTextureData {
    Q_OBJECT
    QML_ANONYMOUS
public:
    IvraTexture() = default;
    explicit IvraTexture(const QImage& image) { setImage(image); }
    void setImage(const QImage& image);
};

// One material recipe as IvraMaterial.qml reads it.
class IvraSurface : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by IvraStage")
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QColor colour READ colour CONSTANT)
    Q_PROPERTY(double metal READ metal CONSTANT)
    Q_PROPERTY(double rough READ rough CONSTANT)
    Q_PROPERTY(QQuick3DTextureData* colourMap MEMBER m_colourMap CONSTANT)
    Q_PROPERTY(QQuick3DTextureData* metalMap MEMBER m_metalMap CONSTANT)
    Q_PROPERTY(QQuick3DTextureData* roughMap MEMBER m_roughMap CONSTANT)
    Q_PROPERTY(QQuick3DTextureData* normalMap MEMBER m_normalMap CONSTANT)
    Q_PROPERTY(double normalStrength READ normalStrength CONSTANT)
    Q_PROPERTY(QVector2D normalScale READ normalScale CONSTANT)
    Q_PROPERTY(double clearCoat READ clearCoat CONSTANT)
    Q_PROPERTY(double clearCoatRough READ clearCoatRough CONSTANT)
    Q_PROPERTY(bool unlit READ unlit CONSTANT)
    Q_PROPERTY(bool blend READ blend CONSTANT)
    Q_PROPERTY(bool depthWrite READ depthWrite CONSTANT)
    Q_PROPERTY(bool doubleSided READ doubleSided CONSTANT)
    // The display glows with the player's screen (the stage's `screen`); without one it stays black.
    Q_PROPERTY(bool glows READ glows NOTIFY glowsChanged)

public:
    using Upload = std::function<QQuick3DTextureData*(const QImage&)>;
    IvraSurface(const MaterialRecipe& recipe, const Upload& upload, QObject* parent);

    const MaterialRecipe& recipe() const { return m_recipe; }
    QString name() const { return m_recipe.name; }
    QColor colour() const { return m_recipe.colour; }
    double metal() const { return m_recipe.metal; }
    double rough() const { return m_recipe.rough; }
    double normalStrength() const { return m_recipe.normalStrength; }
    QVector2D normalScale() const { return m_recipe.normalScale; }
    double clearCoat() const { return m_recipe.clearCoat; }
    double clearCoatRough() const { return m_recipe.clearCoatRough; }
    bool unlit() const { return m_recipe.unlit; }
    bool blend() const { return m_recipe.blend; }
    bool depthWrite() const { return m_recipe.depthWrite; }
    bool doubleSided() const { return m_recipe.doubleSided; }
    bool glows() const { return m_glows; }
    void setGlows(bool glows);

signals:
    void glowsChanged();

private:
    MaterialRecipe m_recipe;
    QQuick3DTextureData* m_colourMap = nullptr;
    QQuick3DTextureData* m_metalMap = nullptr;
    QQuick3DTextureData* m_roughMap = nullptr;
    QQuick3DTextureData* m_normalMap = nullptr;
    bool m_glows = false;
};

// One part of the shown body as the scene's delegates read it.
class IvraPart : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by IvraStage")
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QQuick3DGeometry* geometry READ geometry CONSTANT)
    Q_PROPERTY(QVector3D position READ position CONSTANT)
    Q_PROPERTY(QQuaternion rotation READ rotation CONSTANT)
    Q_PROPERTY(QQmlListProperty<IvraSurface> materials READ materialList CONSTANT)

public:
    IvraPart(const BodyPart& part, const IvraSurface::Upload& upload, QObject* parent);
    QString name() const { return m_name; }
    QQuick3DGeometry* geometry() const { return m_geometry; }
    QVector3D position() const { return m_position; }
    QQuaternion rotation() const { return m_rotation; }
    QList<QObject*> materials() const { return m_materials; }
    QQmlListProperty<IvraSurface> materialList() { return {this, &m_surfaces}; }

private:
    QString m_name;
    IvraGeometry* m_geometry;
    QVector3D m_position;
    QQuaternion m_rotation;
    QList<QObject*> m_materials;
    QList<IvraSurface*> m_surfaces;
};

// What the 3-D scene shows and how it is lit: the body of the chosen model in its finish, rebuilt only when
// model or finish change, with the player's screen glowing in its display. The scene (IvraScene.qml) only
// binds to this.
class IvraStage : public QObject, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QString model READ modelText WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(IvraFinish finish READ finish WRITE setFinish NOTIFY finishChanged)
    // The picture whose rendered screen the display shows (an IvraFlatPicture); none keeps it black.
    Q_PROPERTY(QObject* picture READ picture WRITE setPicture NOTIFY pictureChanged)
    // The model's raw value followed by the finish name: which body is shown.
    Q_PROPERTY(QString shown READ shown NOTIFY bodyChanged)
    // Parts that take all four lights, and the glass parts, which the fourth light leaves out.
    Q_PROPERTY(QQmlListProperty<IvraPart> litParts READ litList NOTIFY bodyChanged)
    Q_PROPERTY(QQmlListProperty<IvraPart> glassParts READ glassList NOTIFY bodyChanged)
    Q_PROPERTY(double cameraDistance READ cameraDistance NOTIFY bodyChanged)
    Q_PROPERTY(bool hasScreen READ hasScreen NOTIFY screenChanged)
    // The player's screen, shown by one texture of the scene for the scene's whole life (see setScreen).
    Q_PROPERTY(QQuick3DTextureData* screen READ screenTexture CONSTANT)
    // The studio's light, a light probe filtered when the program was built (see Studio::Probe).
    Q_PROPERTY(QUrl lightProbe READ lightProbe CONSTANT)
    // The body's rest angle and the two directional lights.
    Q_PROPERTY(QQuaternion rest READ rest CONSTANT)
    Q_PROPERTY(QQuaternion keyLight READ keyLight CONSTANT)
    Q_PROPERTY(QQuaternion rimLight READ rimLight CONSTANT)
    // Constant fades of the two point lights (upper left front, right back).
    Q_PROPERTY(double fillFade READ fillFade CONSTANT)
    Q_PROPERTY(double backFade READ backFade CONSTANT)

public:
    explicit IvraStage(QObject* parent = nullptr);

    QString modelText() const { return Ivra::rawValue(m_model); }
    void setModel(const QString& model);
    IvraFinish finish() const { return m_finish; }
    void setFinish(const IvraFinish& finish);
    QObject* picture() const { return m_picture; }
    void setPicture(QObject* picture);
    QString shown() const { return m_shown; }
    QList<QObject*> litParts() const { return m_lit; }
    QList<QObject*> glassParts() const { return m_glass; }
    QQmlListProperty<IvraPart> litList() { return {this, &m_litList}; }
    QQmlListProperty<IvraPart> glassList() { return {this, &m_glassList}; }
    double cameraDistance() const { return cameraDistance(m_model); }
    bool hasScreen() const { return m_hasScreen; }
    QQuick3DTextureData* screenTexture() const { return m_screen; }
    static QUrl lightProbe();
    IvraSurface* display() const { return m_display; }

    void classBegin() override { m_complete = false; }
    // The first body is built once QML has set model and finish; made in C++, the stage builds at once.
    void componentComplete() override;

    // Shows `screen` in the display; a null image turns it black.
    void setScreen(const QImage& screen);

    // Half the picture's frame height over tan 8°: the frame exactly fills the camera's 16° view.
    static double cameraDistance(IvraModel model);
    // Euler angles in radians turned into a rotation that applies z first and x last.
    static QQuaternion fromEuler(const QVector3D& radians);
    static QQuaternion rest() { return fromEuler({-0.05f, 0.12f, 0}); }
    static QQuaternion keyLight() { return fromEuler({-0.7f, -0.6f, 0}); }
    static QQuaternion rimLight() { return fromEuler({-0.15f, 0.1f, 0}); }
    // How much of a point light reaches `distance`: full up to `start`, none past `end`, between them
    // (1 − t)^exponent of the way. Its inverse is the constant fade that gives the same strength at the body.
    static double reach(double distance, double start, double end, double exponent);
    static double fillFade();
    static double backFade();

signals:
    void modelChanged();
    void finishChanged();
    void pictureChanged();
    void bodyChanged();
    void screenChanged();

private:
    void rebuild();
    void readScreen();
    QQuick3DTextureData* upload(const QImage& image);

    IvraModel m_model = IvraModel::flash;
    IvraFinish m_finish;
    QPointer<QObject> m_picture;
    QString m_shown;
    QList<QObject*> m_lit, m_glass;
    QList<IvraPart*> m_litList, m_glassList;
    IvraSurface* m_display = nullptr;
    IvraTexture* m_screen = nullptr;
    bool m_hasScreen = false;
    bool m_complete = true;
    // Textures of the shown body by picture.
    QHash<qint64, QQuick3DTextureData*> m_textures;
};
