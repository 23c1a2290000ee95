// The 3-D player's rules, without a window: the generated textures, the material recipes, the meshes of
// the bodies and what the stage hands the scene.
#include "pocketplayer/Face.h"
#include "pocketplayer/IvraBuilder.h"
#include "pocketplayer/IvraStage.h"
#include "pocketplayer/Materials.h"
#include "pocketplayer/Mesh.h"
#include "pocketplayer/Studio.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QtCore/qfloat16.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

namespace {

const IvraFinish red{QStringLiteral("red"), 0xD62A33, 0x8E1B22, false};

int grey(const QImage& image, int x, int y) {
    return qRed(image.pixel(x, y));
}

// ---- generated textures ----

TEST(Studio, NormalMapsComeFromTheFixedSeeds) {
    const QImage& brushed = Studio::brushed();
    ASSERT_EQ(brushed.size(), QSize(256, 256));
    ASSERT_EQ(brushed.format(), QImage::Format_RGBA8888);
    const uchar* top = brushed.constScanLine(0);
    const uchar* bottom = brushed.constScanLine(255);
    const int columns[] = {126, 113, 147, 133};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(top[4 * x], columns[x]) << "column " << x;
        EXPECT_EQ(bottom[4 * x], columns[x]) << "a brush line runs the whole height";
    }
    for (int x = 0; x < 256; ++x) {
        EXPECT_GE(top[4 * x], 103);
        EXPECT_LE(top[4 * x], 152);
        EXPECT_EQ(top[4 * x + 1], 128);
        EXPECT_EQ(top[4 * x + 2], 255);
        EXPECT_EQ(top[4 * x + 3], 255);
    }

    const QImage& grain = Studio::grain();
    const uchar* row = grain.constScanLine(0);
    EXPECT_EQ(std::make_tuple(row[0], row[1], row[2], row[3]), std::make_tuple(89, 147, 255, 255));
    EXPECT_EQ(std::make_tuple(row[4], row[5], row[6], row[7]), std::make_tuple(152, 156, 255, 255));
    // Row order: the second row continues the same sequence of draws.
    Studio::Random random(0x9E3779B97F4A7C15ULL);
    for (int i = 0; i < 2 * 256; ++i)
        random.next();
    EXPECT_EQ(grain.constScanLine(1)[0], uchar(int((random.next() - 0.5) * 120 + 128)));
}

TEST(Studio, EnvironmentIsALitStudio) {
    const QImage& env = Studio::environment();
    ASSERT_EQ(env.size(), QSize(1024, 512));
    EXPECT_FALSE(env.hasAlphaChannel());
    // Lighter above than below; the top panel is white.
    EXPECT_GT(grey(env, 300, 30), 245);
    EXPECT_LT(grey(env, 600, 505), 110);
    // The middle panel is bright against the grey around it, the dark card dark.
    EXPECT_GT(grey(env, 512, 230), grey(env, 430, 230) + 40);
    EXPECT_LT(grey(env, 256, 256), 60);
    // Panels 2 and 3 are one panel across the seam.
    EXPECT_NEAR(grey(env, 0, 230), grey(env, 1023, 230), 2);
    // The blur softened the card's sharp edge.
    const QImage sharp = Studio::environmentUnblurred();
    EXPECT_LT(std::abs(grey(env, 153, 256) - grey(env, 154, 256)),
              std::abs(grey(sharp, 152, 256) - grey(sharp, 154, 256)));
}

// Texel middles of the six faces and a corner of each, in OpenGL's cube map layout: a face's first row and
// column lie where OpenGL puts them, or the baked probe would show the studio turned or mirrored.
TEST(Studio, ProbeFacesFollowOpenGLsCubeLayout) {
    struct Case {
        int face;
        QVector3D middle, firstTexel;
    };
    const Case cases[] = {
        {0, {1, 0, 0}, {1, 0.5, 0.5}},    {1, {-1, 0, 0}, {-1, 0.5, -0.5}}, {2, {0, 1, 0}, {-0.5, 1, -0.5}},
        {3, {0, -1, 0}, {-0.5, -1, 0.5}}, {4, {0, 0, 1}, {-0.5, 0.5, 1}},   {5, {0, 0, -1}, {0.5, 0.5, -1}},
    };
    for (const Case& c : cases) {
        // Three texels a side: the middle one looks straight along the face's axis. Two a side: the first
        // texel's middle is half-way to the face's first corner.
        EXPECT_LT((Studio::Probe::direction(c.face, 1, 1, 3) - c.middle).length(), 1e-6) << c.face;
        EXPECT_LT((Studio::Probe::direction(c.face, 0, 0, 2) - c.firstTexel.normalized()).length(), 1e-6)
            << c.face;
    }
}

// The studio wraps around the viewer: its top overhead, the middle panel straight along +x, the dark card
// along −z, the floor below, all in linear light.
TEST(Studio, ProbeLightIsTheStudioAroundTheViewer) {
    const QImage& env = Studio::environment();
    auto linear = [&](int x, int y) {
        const double c = grey(env, x, y) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    EXPECT_NEAR(Studio::Probe::light({0, 1, 0}), linear(512, 0), 0.01);
    EXPECT_NEAR(Studio::Probe::light({0, -1, 0}), linear(512, 511), 0.01);
    EXPECT_NEAR(Studio::Probe::light({1, 0, 0}), linear(512, 256), 0.01);
    EXPECT_NEAR(Studio::Probe::light({0, 0, -1}), linear(256, 256), 0.01);
    EXPECT_NEAR(Studio::Probe::light({0, 0, 1}), linear(768, 256), 0.01);
    EXPECT_GT(Studio::Probe::light({0, 1, 0}), 0.8);
    EXPECT_LT(Studio::Probe::light({0, 0, -1}), 0.01);
    EXPECT_LT(Studio::Probe::light({0, -1, 0}), 0.05);
    // Across the seam behind the viewer (−x) the two halves of the panel meet without a step.
    EXPECT_NEAR(Studio::Probe::light({-1, 0, 0.001f}), Studio::Probe::light({-1, 0, -0.001f}), 0.01);
}

// Rougher levels blur the studio: the middle panel and the dark card draw together as light spills onto
// the card, it stays brighter above than below, and the matte level is the softest of all.
TEST(Studio, ProbeLevelsSoftenAsTheyRoughen) {
    const QVector3D up(0, 1, 0), down(0, -1, 0), panel(1, 0, 0), card(0, 0, -1);
    EXPECT_FLOAT_EQ(Studio::Probe::reflected(card, 0), Studio::Probe::light(card));
    double contrast = 1e9, spill = -1;
    for (const double roughness : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        const double c =
            Studio::Probe::reflected(panel, roughness) - Studio::Probe::reflected(card, roughness);
        const double s = Studio::Probe::reflected(card, roughness);
        EXPECT_LT(c, contrast) << roughness;
        EXPECT_GT(s, spill) << roughness;
        EXPECT_GT(Studio::Probe::reflected(up, roughness), Studio::Probe::reflected(down, roughness) + 0.3)
            << "brighter from above, " << roughness;
        contrast = c;
        spill = s;
    }
    const double matte = Studio::Probe::diffuse(panel) - Studio::Probe::diffuse(card);
    EXPECT_GT(matte, 0);
    EXPECT_LT(matte, contrast);
    EXPECT_GT(Studio::Probe::diffuse(up), Studio::Probe::diffuse(down) + 0.2);
    // Enough samples: four times as many change the matte level by less than a hundredth.
    EXPECT_NEAR(Studio::Probe::diffuse(up), Studio::Probe::diffuse(up, 16384), 0.01);
}

// The program carries the probe the build filtered, as a KTX file of the kind Qt Quick 3D uploads as it
// is: half-float RGBA, six faces, six levels, Qt's baker key; its texels are the studio's light.
TEST(Studio, ProbeFileIsABakedCubeMap) {
    QFile file(QString::fromLatin1(Studio::Probe::resource));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 64);
    auto word = [&](qsizetype at) {
        quint32 value = 0;
        std::memcpy(&value, bytes.constData() + at, sizeof value);
        return value;
    };
    EXPECT_EQ(bytes.left(12), QByteArray("\xABKTX 11\xBB\r\n\x1A\n", 12));
    const int size = Studio::Probe::size, levels = Studio::Probe::levels;
    const QList<quint32> header{0x04030201,    0x140B,        2, 0x1908, 0x881A, 0x1908,
                                quint32(size), quint32(size), 0, 0,      6,      quint32(levels)};
    for (int i = 0; i < header.size(); ++i)
        EXPECT_EQ(word(12 + 4 * i), header[i]) << "header field " << i;
    const quint32 keyValues = word(60);
    EXPECT_EQ(keyValues % 4, 0u);
    EXPECT_TRUE(bytes.mid(68, 21) == QByteArray("QT_IBL_BAKER_VERSION\0", 21));

    // Each level: its face size, then six faces; together exactly the file.
    qsizetype at = 64 + keyValues;
    std::vector<qsizetype> levelStart;
    for (int level = 0; level < levels; ++level) {
        const int side = size >> level;
        ASSERT_EQ(word(at), quint32(side * side * 8)) << level;
        levelStart.push_back(at + 4);
        at += 4 + 6 * side * side * 8;
    }
    EXPECT_EQ(at, bytes.size());

    // The middle texels of a face: the sharp level straight up and towards the card, the matte level up.
    auto middle = [&](int level, int face) {
        const int side = size >> level;
        const qsizetype texel = levelStart[size_t(level)] + qsizetype(face) * side * side * 8 +
                                (qsizetype(side / 2) * side + side / 2) * 8;
        qfloat16 value;
        std::memcpy(&value, bytes.constData() + texel, sizeof value);
        return float(value);
    };
    const int faceUp = 2, faceBack = 5;
    const int sharpSide = size, matteSide = size >> (levels - 1);
    EXPECT_NEAR(
        middle(0, faceUp),
        Studio::Probe::light(Studio::Probe::direction(faceUp, sharpSide / 2, sharpSide / 2, sharpSide)),
        0.005);
    EXPECT_NEAR(
        middle(0, faceBack),
        Studio::Probe::light(Studio::Probe::direction(faceBack, sharpSide / 2, sharpSide / 2, sharpSide)),
        0.005);
    EXPECT_NEAR(
        middle(levels - 1, faceUp),
        Studio::Probe::diffuse(Studio::Probe::direction(faceUp, matteSide / 2, matteSide / 2, matteSide)),
        0.005);
    EXPECT_GT(middle(0, faceUp), 0.5);
    EXPECT_LT(middle(0, faceBack), 0.05);
}

TEST(Studio, BlurRepeatsTheEdgesInsteadOfDarkening) {
    QImage flat(64, 32, QImage::Format_RGB32);
    flat.fill(QColor(128, 128, 128));
    const QImage out = Studio::blurred(flat, 14);
    for (const QPoint p : {QPoint(0, 0), QPoint(63, 31), QPoint(32, 16), QPoint(0, 31)})
        EXPECT_NEAR(grey(out, p.x(), p.y()), 128, 1) << p.x() << "," << p.y();

    // Half black, half white: the blur in linear light puts the edge's middle above mid-grey sRGB.
    QImage step(64, 8, QImage::Format_RGB32);
    step.fill(Qt::black);
    for (int y = 0; y < 8; ++y)
        for (int x = 32; x < 64; ++x)
            step.setPixel(x, y, qRgb(255, 255, 255));
    const QImage soft = Studio::blurred(step, 4);
    EXPECT_EQ(grey(soft, 0, 0), 0);
    EXPECT_EQ(grey(soft, 63, 7), 255);
    EXPECT_GT(grey(soft, 31, 4), 150);
    EXPECT_LT(grey(soft, 20, 4), grey(soft, 28, 4));
}

// ---- materials ----

TEST(Materials, BackPlateSplitsMetalAboveFromDarkPlasticBelow) {
    const double facet = 22 / 102.1;
    const int firstLow = int(std::ceil(400 * (1 - facet)));
    for (const bool black : {true, false}) {
        SCOPED_TRACE(black ? "slope" : "panel");
        const MaterialRecipe m = Materials::backPlate(red, black, facet);
        ASSERT_EQ(m.colourMap.size(), QSize(200, 400));
        EXPECT_DOUBLE_EQ(m.normalStrength, black ? 0.5 : 0.12);
        EXPECT_EQ(m.normalScale, QVector2D(12, 1));
        for (const int y : {firstLow, 399}) {
            EXPECT_NEAR(grey(m.colourMap, 100, y), 8, 1); // white 0.03
            EXPECT_EQ(grey(m.metalMap, 100, y), 0);
            EXPECT_NEAR(grey(m.roughMap, 100, y), 56, 1); // white 0.22
        }
        const int above = firstLow - 2;
        EXPECT_EQ(grey(m.metalMap, 100, above), 255);
        EXPECT_NEAR(grey(m.roughMap, 100, above), black ? 102 : 51, 1);
        // Only the panel carries the sheen: its colour changes across the picture.
        const QRgb a = m.colourMap.pixel(5, 5), b = m.colourMap.pixel(195, above);
        if (black) {
            EXPECT_EQ(a, b);
            EXPECT_EQ(QColor(a).rgb(), Materials::colour(red.top, 0.3).rgb());
        } else {
            EXPECT_NE(a, b);
        }
    }
}

TEST(Materials, RecipesCarryTheirLightingAndNames) {
    for (const MaterialRecipe* m : {&Materials::glass(), &Materials::tabGlass()})
        EXPECT_EQ(m->name, "glass");
    const MaterialRecipe screen = Materials::screen();
    EXPECT_EQ(screen.name, "glass");
    EXPECT_TRUE(screen.display);
    EXPECT_EQ(Materials::chrome().name, QString());

    for (const MaterialRecipe& decal : {Materials::print(QStringLiteral("ivra")), Materials::socket(true)}) {
        EXPECT_TRUE(decal.unlit);
        EXPECT_TRUE(decal.blend);
        EXPECT_FALSE(decal.depthWrite);
    }
    EXPECT_EQ(Materials::print(QStringLiteral("ivra")).colourMap.size(), QSize(320, 80));
    EXPECT_EQ(Materials::socket(false).colourMap.size(), QSize(600, 70));
    // The round socket: dark inside its lighter rim, clear outside the circle.
    const QImage round = Materials::socketPicture(true);
    EXPECT_EQ(qAlpha(round.pixel(2, 2)), 0);
    EXPECT_LT(qRed(round.pixel(60, 60)), 10);
    EXPECT_GT(qRed(round.pixel(60, 4)), 80);

    const MaterialRecipe anodised = Materials::anodised(red, 0.3);
    EXPECT_EQ(anodised.colour, Materials::colour(red.top, 0.3));
    EXPECT_EQ(anodised.normalMap.cacheKey(), Studio::grain().cacheKey());
    EXPECT_EQ(anodised.normalScale, QVector2D(6, 6));
}

TEST(Materials, ButtonFaceShowsItsSymbolOnTheDarkenedFinish) {
    for (const QString symbol : {QStringLiteral("arrowshape.left"), QStringLiteral("playpause")}) {
        SCOPED_TRACE(symbol.toStdString());
        const QImage picture = Materials::button(symbol, red).colourMap;
        ASSERT_EQ(picture.size(), QSize(320, 320));
        EXPECT_EQ(QColor(picture.pixel(5, 5)).rgb(), Materials::colour(red.top, 0.3).rgb());
        int light = 0;
        for (int y = 110; y < 210; ++y)
            for (int x = 110; x < 210; ++x)
                light += qGreen(picture.pixel(x, y)) > 150;
        EXPECT_GT(light, 300) << "the symbol is drawn in the middle";
    }
}

TEST(Materials, ScrewHeadHasAThreeWingedSlot) {
    const QImage head = Materials::screwHead();
    EXPECT_EQ(qAlpha(head.pixel(1, 1)), 0);
    EXPECT_NEAR(qRed(head.pixel(50, 50)), 31, 2);  // the slot's hub
    EXPECT_NEAR(qRed(head.pixel(50, 15)), 31, 2);  // the upright wing
    EXPECT_NEAR(qRed(head.pixel(50, 85)), 191, 2); // no wing straight down
}

// ---- meshes ----

struct Key {
    qint64 x, y, z;
    friend bool operator<(const Key& a, const Key& b) {
        return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
    }
};

Key keyOf(const QVector3D& p) {
    return {std::llround(p.x() * 1e4), std::llround(p.y() * 1e4), std::llround(p.z() * 1e4)};
}

// Welds the mesh by position and checks that it is closed (every edge in exactly two triangles, once in
// each direction) and wound outward (positive volume; the triangles agree with their vertex normals, but
// for slivers where a rounded edge meets a sharp corner of the outline, a trace of the surface).
void expectClosedAndOutward(const Mesh& mesh) {
    QMap<Key, int> ids;
    const auto id = [&](quint32 index) {
        const Key k = keyOf(mesh.vertices[index].position);
        auto it = ids.find(k);
        if (it == ids.end()) it = ids.insert(k, int(ids.size()));
        return *it;
    };
    QMap<std::pair<int, int>, int> edges;
    double volume = 0;
    double against = 0, area = 0;
    for (qsizetype t = 0; t + 2 < mesh.indices.size(); t += 3) {
        const int a = id(mesh.indices[t]), b = id(mesh.indices[t + 1]), c = id(mesh.indices[t + 2]);
        ++edges[{a, b}];
        ++edges[{b, c}];
        ++edges[{c, a}];
        const QVector3D pa = mesh.vertices[mesh.indices[t]].position,
                        pb = mesh.vertices[mesh.indices[t + 1]].position,
                        pc = mesh.vertices[mesh.indices[t + 2]].position;
        volume += QVector3D::dotProduct(pa, QVector3D::crossProduct(pb, pc)) / 6;
        const QVector3D n = mesh.vertices[mesh.indices[t]].normal +
                            mesh.vertices[mesh.indices[t + 1]].normal +
                            mesh.vertices[mesh.indices[t + 2]].normal;
        const QVector3D face = QVector3D::crossProduct(pb - pa, pc - pa);
        area += face.length() / 2;
        if (QVector3D::dotProduct(face, n) < 0) against += face.length() / 2;
    }
    int open = 0;
    for (auto it = edges.constBegin(); it != edges.constEnd(); ++it) {
        const std::pair<int, int> back{it.key().second, it.key().first};
        open += it.value() != 1 || edges.value(back) != 1;
    }
    EXPECT_EQ(open, 0) << "edges not shared by exactly two triangles";
    EXPECT_GT(volume, 0);
    EXPECT_LT(against, area * 1e-3);
}

TEST(Mesh, LoopAndTaperAreBuiltAsListed) {
    const QList<QPointF> loop = Face::loop(QRectF(-10, -20, 20, 40), 2, 10);
    ASSERT_EQ(loop.size(), 44);
    EXPECT_NEAR(loop[0].x(), 10, 1e-9); // upper right corner at 0°
    EXPECT_NEAR(loop[0].y(), 18, 1e-9);
    EXPECT_NEAR(loop[10].x(), 8, 1e-9);
    EXPECT_NEAR(loop[10].y(), 20, 1e-9);
    double area = 0;
    for (qsizetype i = 0; i < loop.size(); ++i) {
        const QPointF a = loop[i], b = loop[(i + 1) % loop.size()];
        area += a.x() * b.y() - b.x() * a.y();
    }
    EXPECT_GT(area, 0) << "counter-clockwise";

    const Face hd(IvraModel::hd);
    const Mesh taper = hd.taper({0, 0, 52.7, 102.1}, 2.8, {3.2, 1.6}, -0.4, -4.45);
    EXPECT_EQ(taper.vertices.size(), 2 * 44 + 1 + 44);
    ASSERT_EQ(taper.subsets.size(), 2);
    EXPECT_EQ(taper.subsets[0].count, 88 * 3);
    EXPECT_EQ(taper.subsets[1].count, 44 * 3);
    for (qsizetype i = 0; i < taper.vertices.size(); ++i) {
        const Mesh::Vertex& v = taper.vertices[i];
        EXPECT_NEAR(v.normal.length(), 1, 1e-5);
        if (i < 88) {
            // The slope: its normal points backwards and outwards.
            EXPECT_LT(v.normal.z(), 0);
            EXPECT_GT(QVector2D::dotProduct(v.normal.toVector2D(), v.position.toVector2D()), 0);
            EXPECT_FLOAT_EQ(v.position.z(), i % 2 ? -4.45f : -0.4f);
        } else {
            EXPECT_EQ(v.normal, QVector3D(0, 0, -1));
        }
    }
    // The texture covers the face, its top at v = 0.
    EXPECT_NEAR(taper.vertices[88].uv.x(), 0.5, 1e-6);
    EXPECT_NEAR(taper.vertices[0].uv.y(), (51.05 - (51.05 - 2.8)) / 102.1, 1e-5);
}

TEST(Mesh, ExtrusionsAreClosedSolidsOfTheirDepth) {
    struct Case {
        const char* what;
        QPainterPath outline;
        double depth, front, back;
    };
    const Face flash(IvraModel::flash), hd(IvraModel::hd);
    QPainterPath square;
    square.addRect(-5, -5, 10, 10);
    const QList<Case> cases = {
        {"square, no rounding", square, 2, 0, 0},
        {"square, rounded both ways", square, 2, 0.6, 0.6},
        {"circle", flash.rect({4.7, 54.4, 6.4, 6.4}, 3.2, 3.2), 1, 0.45, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Mesh mesh = Meshes::extrude(c.outline, c.depth, c.front, c.back);
        ASSERT_EQ(mesh.subsets.size(), 5);
        expectClosedAndOutward(mesh);
        QVector3D min, max;
        mesh.bounds(min, max);
        EXPECT_NEAR(max.z(), c.depth / 2, 1e-6);
        EXPECT_NEAR(min.z(), -c.depth / 2, 1e-6);
    }
    // The round-over: the face is inset by the radius and the full outline lies the radius behind it.
    const Mesh rounded = Meshes::extrude(square, 2, 0.6, 0);
    float frontMax = 0, sideZ = -1;
    for (qsizetype i = rounded.subsets[0].offset; i < rounded.subsets[0].offset + rounded.subsets[0].count;
         ++i)
        frontMax = std::max(frontMax, rounded.vertices[rounded.indices[i]].position.x());
    for (qsizetype i = rounded.subsets[2].offset; i < rounded.subsets[2].offset + rounded.subsets[2].count;
         ++i)
        sideZ = std::max(sideZ, rounded.vertices[rounded.indices[i]].position.z());
    EXPECT_NEAR(frontMax, 4.4, 1e-4);
    EXPECT_NEAR(sideZ, 0.4, 1e-4);
    EXPECT_EQ(rounded.subsets[4].count, 0) << "no rounding at the back";
}

TEST(Mesh, PrimitivesAreUprightAndClosed) {
    const Mesh plane = Meshes::plane(4, 2);
    EXPECT_EQ(plane.indices.size(), 6);
    for (const Mesh::Vertex& v : plane.vertices)
        EXPECT_NEAR(v.uv.y(), v.position.y() > 0 ? 0 : 1, 1e-6) << "v = 0 at the top";
    expectClosedAndOutward(Meshes::cylinder(0.95, 0.2));
    const Mesh disc = Meshes::roundedPlane(3.4, 3.4, 1.7);
    for (const Mesh::Vertex& v : disc.vertices)
        EXPECT_LE(v.position.toVector2D().length(), 1.7 * 1.001); // a cubic circle strays 0.03 % outside
}

// ---- bodies ----

double frontOf(const BodyPart& part) {
    QVector3D min, max;
    part.mesh.bounds(min, max);
    return part.position.z() + max.z();
}

TEST(IvraBody, EveryExtrudedPartIsAClosedSolid) {
    for (const IvraModel model : Ivra::allModels()) {
        const IvraBody body = IvraBuilder::build(model, Ivra::signature(model));
        for (const BodyPart& part : body.parts) {
            if (part.mesh.subsets.size() != 5) continue; // planes, the shell and the screws
            SCOPED_TRACE((Ivra::rawValue(model) + " " + part.name).toStdString());
            EXPECT_EQ(part.materials.size(), 5);
            expectClosedAndOutward(part.mesh);
        }
    }
}

TEST(IvraBody, FlashPartsLieInFrontOfEachOtherAsDrawn) {
    const IvraBody body = IvraBuilder::flash(red);
    ASSERT_EQ(body.parts.size(), 7);
    const QList<std::pair<QString, double>> fronts = {
        {"body", 4.25},       {"cover glass", 4.4},  {"display", 4.42}, {"pad", 4.45},
        {"left button", 4.7}, {"right button", 4.7}, {"pad ring", 4.9}};
    for (const auto& [name, front] : fronts) {
        const BodyPart* part = body.part(name);
        ASSERT_TRUE(part) << name.toStdString();
        EXPECT_NEAR(frontOf(*part), front, 1e-5) << name.toStdString();
    }
    const BodyPart* main = body.part("body");
    QVector3D min, max;
    main->mesh.bounds(min, max);
    EXPECT_NEAR(min.z(), -4.25, 1e-5);
    EXPECT_NEAR(max.x() - min.x(), 41.4, 1e-3);
    EXPECT_EQ(body.parts[body.display].name, "display");
    EXPECT_TRUE(body.parts[body.display].materials.first().display);
}

TEST(IvraBody, HdTabStandsProudOfThePanelBelowTheGlass) {
    const IvraBody body = IvraBuilder::hd(red);
    ASSERT_EQ(body.parts.size(), 16);
    EXPECT_NEAR(frontOf(*body.part("tab")), 4.75, 1e-5);
    EXPECT_NEAR(frontOf(*body.part("lower panel")), 4.38, 1e-5);
    QVector3D min, max;
    body.part("cover glass")->mesh.bounds(min, max);
    EXPECT_NEAR(51.05 - min.y(), 86.6, 1e-3) << "the glass ends at face y 86.6";
    body.part("lower panel")->mesh.bounds(min, max);
    EXPECT_NEAR(51.05 - max.y(), 86.6, 1e-3) << "where the lower panel begins";
    // The sockets face down, the screws and the copper strip face the back.
    const auto facing = [](const BodyPart& p) {
        return p.rotation.rotatedVector(p.mesh.vertices.first().normal);
    };
    EXPECT_LT(facing(*body.part("wide socket")).y(), -0.999);
    EXPECT_LT(facing(*body.part("copper strip")).z(), -0.999);
    int glass = 0;
    for (const BodyPart& p : body.parts)
        glass += p.glass();
    EXPECT_EQ(glass, 3) << "cover glass, tab and display";
}

// ---- the stage the scene binds to ----

TEST(IvraStage, RebuildsOnlyWhenModelOrFinishChange) {
    IvraStage stage;
    stage.setModel("flash");
    stage.setFinish(red);
    EXPECT_EQ(stage.shown(), "flashred");
    EXPECT_NEAR(stage.cameraDistance(), 341.431, 1e-3);
    const QList<QObject*> before = stage.litParts() + stage.glassParts();
    EXPECT_EQ(before.size(), 7);

    QImage screen(4, 4, QImage::Format_RGB32);
    screen.fill(Qt::white);
    stage.setScreen(screen);
    EXPECT_EQ(stage.litParts() + stage.glassParts(), before) << "a new screen keeps the body";
    ASSERT_TRUE(stage.display());
    EXPECT_TRUE(stage.display()->glows());
    stage.setScreen(QImage());
    EXPECT_FALSE(stage.display()->glows()) << "no screen: a black display";

    // Both models have a "red": the key holds the model, so the body is rebuilt.
    IvraFinish hdRed = red;
    stage.setModel("hd");
    stage.setFinish(hdRed);
    EXPECT_EQ(stage.shown(), "hdred");
    EXPECT_NEAR(stage.cameraDistance(), 381.4016, 1e-3);
    const QList<QObject*> after = stage.litParts() + stage.glassParts();
    EXPECT_EQ(after.size(), 16);
    for (QObject* part : after)
        EXPECT_FALSE(before.contains(part));
    for (QObject* part : stage.glassParts())
        EXPECT_EQ(static_cast<IvraSurface*>(static_cast<IvraPart*>(part)->materials().first())->name(),
                  "glass");
    // The display is the new body's own.
    stage.setScreen(screen);
    bool found = false;
    for (QObject* part : stage.glassParts())
        found |= static_cast<IvraPart*>(part)->materials().first() == stage.display();
    EXPECT_TRUE(found);
}

// Qt Quick 3D (6.4) calls into a deleted Texture when texture data it once showed changes: a body's textures
// are never changed once shown and never handed on to the next body, and old ones go once out of use. The
// screen is the one texture that changes: it is the stage's own, shown by one texture of the scene for its
// whole life, and the display only turns its glow on or off.
TEST(IvraStage, ABodysTexturesAreNeverChangedOrHandedOn) {
    struct Shown {
        QPointer<QQuick3DTextureData> texture;
        QByteArray bytes;
    };
    IvraStage stage;
    const auto shown = [&] {
        QList<Shown> out;
        for (QObject* part : stage.litParts() + stage.glassParts())
            for (QObject* surface : static_cast<IvraPart*>(part)->materials())
                for (const char* map : {"colourMap", "metalMap", "roughMap", "normalMap"})
                    if (auto* texture = surface->property(map).value<QQuick3DTextureData*>())
                        out.append({texture, texture->textureData()});
        return out;
    };
    const auto holds = [](const QList<Shown>& list, const QQuick3DTextureData* texture) {
        return std::any_of(list.begin(), list.end(), [&](const Shown& s) { return s.texture == texture; });
    };
    stage.setModel("flash");
    stage.setFinish(red);
    QImage screen(4, 4, QImage::Format_RGB32);
    screen.fill(Qt::white);
    stage.setScreen(screen);
    const QList<Shown> first = shown();
    ASSERT_GT(first.size(), 5);
    QQuick3DTextureData* const screenTexture = stage.screenTexture();

    screen.fill(Qt::black);
    stage.setScreen(screen);
    EXPECT_EQ(shown().size(), first.size()) << "a new screen leaves the body's textures alone";
    stage.setModel("hd");
    stage.setFinish(red);
    const QList<Shown> second = shown();
    EXPECT_TRUE(stage.display()->glows()) << "the new display shows the screen";
    EXPECT_EQ(stage.screenTexture(), screenTexture);
    EXPECT_EQ(QImage(reinterpret_cast<const uchar*>(screenTexture->textureData().constData()), 4, 4,
                     QImage::Format_RGBA8888)
                  .pixelColor(0, 0),
              QColor(Qt::black));

    for (const Shown& s : first)
        if (s.texture) {
            EXPECT_EQ(s.texture->textureData(), s.bytes) << "changed after being shown";
        }
    for (const Shown& s : second)
        EXPECT_FALSE(holds(first, s.texture)) << "a new body shows none of the old body's textures";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const Shown& s : first)
        EXPECT_TRUE(s.texture.isNull()) << "out of use, it goes";
}

TEST(IvraStage, LightsMatchTheStudioSetUp) {
    // A rotation applies z first and x last.
    const QQuaternion q = IvraStage::fromEuler({0.3f, -0.2f, 0.1f});
    const QQuaternion expected = QQuaternion::fromAxisAndAngle(1, 0, 0, float(0.3 * 180 / M_PI)) *
                                 QQuaternion::fromAxisAndAngle(0, 1, 0, float(-0.2 * 180 / M_PI)) *
                                 QQuaternion::fromAxisAndAngle(0, 0, 1, float(0.1 * 180 / M_PI));
    EXPECT_NEAR(std::abs(QQuaternion::dotProduct(q, expected)), 1, 1e-6);
    // The key light shines down from the upper left onto the front.
    const QVector3D key = IvraStage::keyLight().rotatedVector({0, 0, -1});
    EXPECT_LT(key.y(), 0);
    EXPECT_GT(key.x(), 0);

    EXPECT_DOUBLE_EQ(IvraStage::reach(30, 60, 420, 1.6), 1);
    EXPECT_DOUBLE_EQ(IvraStage::reach(500, 60, 420, 1.6), 0);
    EXPECT_NEAR(IvraStage::reach(240, 60, 420, 1), 0.5, 1e-12);
    // At the body the front light keeps about a third of its strength.
    EXPECT_NEAR(1 / IvraStage::fillFade(), std::pow(1 - (std::sqrt(53900.0) - 60) / 360, 1.6), 1e-6);
    EXPECT_GT(IvraStage::fillFade(), 2.5);
    EXPECT_LT(IvraStage::backFade(), IvraStage::fillFade());
}

} // namespace
