#include "IvraStage.h"

#include "IvraFlatPicture.h"
#include "Studio.h"

#include <cmath>

IvraGeometry::IvraGeometry(const Mesh& mesh) {
    constexpr int floats = 8;
    QByteArray vertices(mesh.vertices.size() * floats * qsizetype(sizeof(float)), Qt::Uninitialized);
    float* out = reinterpret_cast<float*>(vertices.data());
    for (const Mesh::Vertex& v : mesh.vertices) {
        *out++ = v.position.x();
        *out++ = v.position.y();
        *out++ = v.position.z();
        *out++ = v.normal.x();
        *out++ = v.normal.y();
        *out++ = v.normal.z();
        *out++ = v.uv.x();
        *out++ = v.uv.y();
    }
    QByteArray indices(reinterpret_cast<const char*>(mesh.indices.constData()),
                       mesh.indices.size() * qsizetype(sizeof(quint32)));
    setVertexData(vertices);
    setIndexData(indices);
    setStride(floats * sizeof(float));
    setPrimitiveType(PrimitiveType::Triangles);
    addAttribute(Attribute::PositionSemantic, 0, Attribute::F32Type);
    addAttribute(Attribute::NormalSemantic, 3 * sizeof(float), Attribute::F32Type);
    addAttribute(Attribute::TexCoord0Semantic, 6 * sizeof(float), Attribute::F32Type);
    addAttribute(Attribute::IndexSemantic, 0, Attribute::U32Type);
    QVector3D min, max;
    mesh.bounds(min, max);
    setBounds(min, max);
    for (const Mesh::Subset& subset : mesh.subsets)
        addSubset(int(subset.offset), int(subset.count), min, max);
}

void IvraTexture::setImage(const QImage& image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    setSize(rgba.size());
    setFormat(RGBA8);
    setHasTransparency(rgba.hasAlphaChannel() && !rgba.isNull());
    QByteArray bytes;
    bytes.reserve(rgba.width() * rgba.height() * 4);
    for (int y = 0; y < rgba.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), rgba.width() * 4);
    setTextureData(bytes);
}

IvraSurface::IvraSurface(const MaterialRecipe& recipe, const Upload& upload, QObject* parent)
    : QObject(parent), m_recipe(recipe) {
    const auto texture = [&](const QImage& image) { return image.isNull() ? nullptr : upload(image); };
    m_colourMap = texture(recipe.colourMap);
    m_metalMap = texture(recipe.metalMap);
    m_roughMap = texture(recipe.roughMap);
    m_normalMap = texture(recipe.normalMap);
}

void IvraSurface::setGlows(bool glows) {
    if (glows == m_glows) return;
    m_glows = glows;
    emit glowsChanged();
}

IvraPart::IvraPart(const BodyPart& part, const IvraSurface::Upload& upload, QObject* parent)
    : QObject(parent), m_name(part.name), m_geometry(new IvraGeometry(part.mesh)), m_position(part.position),
      m_rotation(part.rotation) {
    m_geometry->setParent(this);
    for (const MaterialRecipe& recipe : part.materials) {
        auto* surface = new IvraSurface(recipe, upload, this);
        m_surfaces.append(surface);
        m_materials.append(surface);
    }
}

IvraStage::IvraStage(QObject* parent) : QObject(parent), m_screen(new IvraTexture) {
    m_screen->setParent(this);
    m_finish = Ivra::signature(m_model);
}

QUrl IvraStage::lightProbe() {
    return QUrl(QLatin1String("qrc") + QLatin1String(Studio::Probe::resource));
}

void IvraStage::setModel(const QString& model) {
    const IvraModel m = Ivra::modelFromRaw(model).value_or(IvraModel::flash);
    if (m == m_model && !m_shown.isEmpty()) return;
    const bool changed = m != m_model;
    m_model = m;
    if (changed) emit modelChanged();
    rebuild();
}

void IvraStage::setFinish(const IvraFinish& finish) {
    if (finish == m_finish && !m_shown.isEmpty()) return;
    const bool changed = !(finish == m_finish);
    m_finish = finish;
    if (changed) emit finishChanged();
    rebuild();
}

void IvraStage::setPicture(QObject* picture) {
    if (picture == m_picture) return;
    if (m_picture) disconnect(m_picture, nullptr, this, nullptr);
    m_picture = picture;
    if (auto* flat = qobject_cast<IvraFlatPicture*>(picture))
        connect(flat, &IvraFlatPicture::screenChanged, this, &IvraStage::readScreen);
    emit pictureChanged();
    readScreen();
}

void IvraStage::componentComplete() {
    m_complete = true;
    rebuild();
}

void IvraStage::readScreen() {
    const auto* flat = qobject_cast<IvraFlatPicture*>(m_picture.data());
    setScreen(flat ? flat->screen() : QImage());
}

// Qt Quick 3D (6.4) leaves a Texture's watch on its texture data connected after the Texture is deleted, and
// calls into the deleted Texture the next time that data changes. The screen changes, so the one texture
// that shows it lives as long as the scene (IvraScene.qml) and the display only turns its glow on or off;
// a body's own textures never change once shown, and each body gets its own.
void IvraStage::setScreen(const QImage& screen) {
    const bool has = !screen.isNull();
    if (has) m_screen->setImage(screen);
    // Only the display's glow changes: the body stays as it is.
    if (m_display) m_display->setGlows(has);
    if (has != m_hasScreen) {
        m_hasScreen = has;
        emit screenChanged();
    }
}

QQuick3DTextureData* IvraStage::upload(const QImage& image) {
    auto it = m_textures.constFind(image.cacheKey());
    if (it != m_textures.constEnd()) return *it;
    auto* texture = new IvraTexture(image);
    texture->setParent(this);
    m_textures.insert(image.cacheKey(), texture);
    return texture;
}

void IvraStage::rebuild() {
    if (!m_complete) return;
    const QString key = Ivra::rawValue(m_model) + m_finish.name;
    if (key == m_shown) return;
    m_shown = key;

    const QList<QObject*> old = m_lit + m_glass;
    // Within one body a picture several materials share is uploaded once; no texture is handed on to the
    // next body (see setScreen).
    const QHash<qint64, QQuick3DTextureData*> oldTextures = std::exchange(m_textures, {});
    const IvraSurface::Upload upload = [this](const QImage& image) { return this->upload(image); };

    const IvraBody body = IvraBuilder::build(m_model, m_finish);
    m_lit.clear();
    m_glass.clear();
    m_litList.clear();
    m_glassList.clear();
    m_display = nullptr;
    for (qsizetype i = 0; i < body.parts.size(); ++i) {
        const BodyPart& part = body.parts[i];
        auto* p = new IvraPart(part, upload, this);
        (part.glass() ? m_glass : m_lit).append(p);
        (part.glass() ? m_glassList : m_litList).append(p);
        if (i == body.display) m_display = static_cast<IvraSurface*>(p->materials().first());
    }
    if (m_display) m_display->setGlows(m_hasScreen);
    emit bodyChanged();
    for (QObject* o : old)
        o->deleteLater();
    for (QQuick3DTextureData* texture : oldTextures)
        texture->deleteLater();
}

double IvraStage::cameraDistance(IvraModel model) {
    const double frameHeight = Ivra::frontFace(model).height() * 1.05;
    return frameHeight / 2 / std::tan(8 * M_PI / 180);
}

QQuaternion IvraStage::fromEuler(const QVector3D& r) {
    const auto turn = [](const QVector3D& axis, float radians) {
        return QQuaternion::fromAxisAndAngle(axis, float(radians * 180 / M_PI));
    };
    return turn({1, 0, 0}, r.x()) * turn({0, 1, 0}, r.y()) * turn({0, 0, 1}, r.z());
}

double IvraStage::reach(double distance, double start, double end, double exponent) {
    if (distance <= start) return 1;
    if (distance >= end) return 0;
    return std::pow(1 - (distance - start) / (end - start), exponent);
}

double IvraStage::fillFade() {
    return 1 / reach(QVector3D(-90, 130, 170).length(), 60, 420, 1.6);
}

double IvraStage::backFade() {
    return 1 / reach(QVector3D(110, 60, -170).length(), 60, 420, 1.6);
}
