#include "Studio.h"

#include <QLinearGradient>
#include <QPainter>
#include <QtCore/qfloat16.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <thread>
#include <vector>

namespace Studio {

namespace {

constexpr int envWidth = 1024, envHeight = 512;

QColor grey(double g, double alpha = 1) {
    return QColor::fromRgbF(float(g), float(g), float(g), float(alpha));
}

double toLinear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double toSrgb(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

// A rectangle given with its origin at the lower left (y upwards), in top-down pixels.
QRectF fromLowerLeft(double x, double y, double w, double h) {
    return {x, envHeight - y - h, w, h};
}

QImage normalMap(quint64 seed, bool perPixel) {
    QImage image(256, 256, QImage::Format_RGBA8888);
    image.fill(QColor(255, 255, 255, 255));
    Random random(seed);
    if (!perPixel) {
        std::array<uchar, 256> columns{};
        for (uchar& c : columns)
            c = uchar(int((random.next() - 0.5) * 50 + 128));
        for (int y = 0; y < 256; ++y) {
            uchar* row = image.scanLine(y);
            for (int x = 0; x < 256; ++x) {
                row[4 * x] = columns[x];
                row[4 * x + 1] = 128;
                row[4 * x + 2] = 255;
            }
        }
        return image;
    }
    for (int y = 0; y < 256; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < 256; ++x) {
            row[4 * x] = uchar(int((random.next() - 0.5) * 120 + 128));
            row[4 * x + 1] = uchar(int((random.next() - 0.5) * 120 + 128));
            row[4 * x + 2] = 255;
        }
    }
    return image;
}

} // namespace

QImage environmentUnblurred() {
    QImage image(envWidth, envHeight, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, envHeight);
    sky.setColorAt(0, grey(0.85));
    sky.setColorAt(0.5, grey(0.5));
    sky.setColorAt(1, grey(0.18));
    p.fillRect(image.rect(), sky);

    struct Panel {
        double x, y, w, h, strength;
    };
    // Panels 2 and 3 are the halves of one panel across the left and right seam of the wrapped studio.
    static constexpr Panel panels[] = {
        {0.5, 0.92, 1.0, 0.12, 1.0}, {0.0, 0.55, 0.12, 0.5, 1.0}, {1.0, 0.55, 0.12, 0.5, 1.0},
        {0.5, 0.55, 0.12, 0.5, 1.0}, {0.75, 0.6, 0.26, 0.5, 0.7},
    };
    for (const Panel& panel : panels) {
        const QRectF r =
            fromLowerLeft((panel.x - panel.w / 2) * envWidth, (panel.y - panel.h / 2) * envHeight,
                          panel.w * envWidth, panel.h * envHeight);
        // A soft edge: six ever smaller, faint boxes under the bright one.
        for (int g = 6; g >= 1; --g)
            p.fillRect(r.adjusted(-4 * g, -4 * g, 4 * g, 4 * g), grey(1, 0.12 * panel.strength));
        p.fillRect(r, grey(1, panel.strength));
    }
    p.fillRect(fromLowerLeft(153.6, 112.64, 204.8, 286.72), grey(0.03));
    return image;
}

QImage blurred(const QImage& grey, double sigma) {
    const int w = grey.width(), h = grey.height();
    const int radius = int(std::ceil(3 * sigma));
    std::vector<float> kernel(2 * radius + 1);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[i + radius] = float(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float& k : kernel)
        k = float(k / sum);

    std::array<float, 256> linear{};
    for (int i = 0; i < 256; ++i)
        linear[i] = float(toLinear(i / 255.0));
    const QImage source = grey.convertToFormat(QImage::Format_RGB32);
    std::vector<float> in(size_t(w) * h), across(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < w; ++x)
            in[size_t(y) * w + x] = linear[qRed(row[x])];
    }
    // Edge pixels repeat beyond the border, so the edges neither darken nor wrap around.
    std::vector<float> line(size_t(std::max(w, h) + 2 * radius));
    for (int y = 0; y < h; ++y) {
        const float* src = &in[size_t(y) * w];
        for (int x = -radius; x < w + radius; ++x)
            line[x + radius] = src[std::clamp(x, 0, w - 1)];
        float* dst = &across[size_t(y) * w];
        for (int x = 0; x < w; ++x) {
            float acc = 0;
            const float* l = &line[x];
            for (int k = 0; k <= 2 * radius; ++k)
                acc += l[k] * kernel[k];
            dst[x] = acc;
        }
    }
    QImage out(w, h, QImage::Format_RGB32);
    auto column = std::vector<float>(size_t(h));
    for (int x = 0; x < w; ++x) {
        for (int y = -radius; y < h + radius; ++y)
            line[y + radius] = across[size_t(std::clamp(y, 0, h - 1)) * w + x];
        for (int y = 0; y < h; ++y) {
            float acc = 0;
            const float* l = &line[y];
            for (int k = 0; k <= 2 * radius; ++k)
                acc += l[k] * kernel[k];
            column[y] = acc;
        }
        for (int y = 0; y < h; ++y) {
            const int v = int(std::lround(toSrgb(column[y]) * 255));
            reinterpret_cast<QRgb*>(out.scanLine(y))[x] = qRgb(v, v, v);
        }
    }
    return out;
}

const QImage& environment() {
    static const QImage image = blurred(environmentUnblurred(), 14);
    return image;
}

const QImage& brushed() {
    static const QImage image = normalMap(0x2545F4914F6CDD1DULL, false);
    return image;
}

const QImage& grain() {
    static const QImage image = normalMap(0x9E3779B97F4A7C15ULL, true);
    return image;
}

namespace Probe {

namespace {

// The environment in linear light, top row first, and its size.
struct Linear {
    int w = 0, h = 0;
    std::vector<float> px;
};

const Linear& linearStudio() {
    static const Linear studio = [] {
        const QImage env = environment().convertToFormat(QImage::Format_RGB32);
        Linear out{env.width(), env.height(), std::vector<float>(size_t(env.width()) * env.height())};
        std::array<float, 256> linear{};
        for (int i = 0; i < 256; ++i)
            linear[i] = float(toLinear(i / 255.0));
        for (int y = 0; y < out.h; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(env.constScanLine(y));
            for (int x = 0; x < out.w; ++x)
                out.px[size_t(y) * out.w + x] = linear[qRed(row[x])];
        }
        return out;
    }();
    return studio;
}

// The Hammersley point set: i / n and the bits of i mirrored behind the binary point.
double radicalInverse(quint32 bits) {
    bits = (bits << 16u) | (bits >> 16u);
    bits = ((bits & 0x55555555u) << 1u) | ((bits & 0xAAAAAAAAu) >> 1u);
    bits = ((bits & 0x33333333u) << 2u) | ((bits & 0xCCCCCCCCu) >> 2u);
    bits = ((bits & 0x0F0F0F0Fu) << 4u) | ((bits & 0xF0F0F0F0u) >> 4u);
    bits = ((bits & 0x00FF00FFu) << 8u) | ((bits & 0xFF00FF00u) >> 8u);
    return bits * 0x1.0p-32;
}

// Two unit vectors across `n`, so that a direction given around the z axis can be turned around `n`.
void frame(const QVector3D& n, QVector3D& tangent, QVector3D& bitangent) {
    const QVector3D up = std::abs(n.z()) < 0.999f ? QVector3D(0, 0, 1) : QVector3D(1, 0, 0);
    tangent = QVector3D::crossProduct(up, n).normalized();
    bitangent = QVector3D::crossProduct(n, tangent);
}

void append(QByteArray& out, quint32 value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

QVector3D direction(int face, int column, int row, int size) {
    const float s = 2 * (column + 0.5f) / size - 1, t = 2 * (row + 0.5f) / size - 1;
    QVector3D d;
    switch (face) {
    case 0:
        d = {1, -t, -s};
        break;
    case 1:
        d = {-1, -t, s};
        break;
    case 2:
        d = {s, 1, t};
        break;
    case 3:
        d = {s, -1, -t};
        break;
    case 4:
        d = {s, -t, 1};
        break;
    default:
        d = {-s, -t, -1};
        break;
    }
    return d.normalized();
}

float light(const QVector3D& direction) {
    const Linear& studio = linearStudio();
    const QVector3D d = direction.normalized();
    // Across: the angle around the vertical axis, from −x through −z, +x and +z back to −x; up: the
    // elevation, the top row overhead.
    const double u = std::atan2(double(d.z()), double(d.x())) / (2 * M_PI) + 0.5;
    const double v = std::asin(std::clamp(double(d.y()), -1.0, 1.0)) / M_PI + 0.5;
    const double x = u * studio.w - 0.5, y = (1 - v) * studio.h - 0.5;
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = float(x - x0), fy = float(y - y0);
    auto at = [&](int px, int py) {
        px = ((px % studio.w) + studio.w) % studio.w;
        py = std::clamp(py, 0, studio.h - 1);
        return studio.px[size_t(py) * studio.w + px];
    };
    const float top = at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx;
    const float bottom = at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

float reflected(const QVector3D& normal, double roughness, int samples) {
    const QVector3D n = normal.normalized();
    if (roughness <= 0) return light(n);
    const double a = roughness * roughness;
    QVector3D tangent, bitangent;
    frame(n, tangent, bitangent);
    double sum = 0, weight = 0;
    for (int i = 0; i < samples; ++i) {
        // A half-way vector drawn from the GGX distribution, and the direction it mirrors the normal into.
        const double phi = 2 * M_PI * i / samples, xi = radicalInverse(quint32(i));
        const double cosTheta = std::sqrt((1 - xi) / (1 + (a * a - 1) * xi));
        const double sinTheta = std::sqrt(1 - cosTheta * cosTheta);
        const QVector3D h = (tangent * float(std::cos(phi) * sinTheta) +
                             bitangent * float(std::sin(phi) * sinTheta) + n * float(cosTheta))
                                .normalized();
        const QVector3D l = (2 * QVector3D::dotProduct(n, h) * h - n).normalized();
        const double cosL = QVector3D::dotProduct(n, l);
        if (cosL <= 0) continue;
        sum += light(l) * cosL;
        weight += cosL;
    }
    return weight > 0 ? float(sum / weight) : light(n);
}

float diffuse(const QVector3D& normal, int samples) {
    const QVector3D n = normal.normalized();
    QVector3D tangent, bitangent;
    frame(n, tangent, bitangent);
    // Directions drawn with a density that follows the cosine: their plain average is the weighted one.
    double sum = 0;
    for (int i = 0; i < samples; ++i) {
        const double phi = 2 * M_PI * i / samples, xi = radicalInverse(quint32(i));
        const double sinTheta = std::sqrt(xi), cosTheta = std::sqrt(1 - xi);
        const QVector3D l = tangent * float(std::cos(phi) * sinTheta) +
                            bitangent * float(std::sin(phi) * sinTheta) + n * float(cosTheta);
        sum += light(l);
    }
    return float(sum / samples);
}

QByteArray ktx(int size) {
    constexpr quint32 halfFloat = 0x140B, rgba = 0x1908, rgba16f = 0x881A;
    QByteArray out("\xABKTX 11\xBB\r\n\x1A\n", 12);
    // Qt Quick 3D takes a probe carrying this key as already filtered.
    const QByteArray key("QT_IBL_BAKER_VERSION\0"
                         "1\0",
                         23);
    QByteArray keyValues;
    append(keyValues, quint32(key.size()));
    keyValues += key;
    keyValues.append((4 - keyValues.size() % 4) % 4, '\0');
    for (const quint32 field :
         {quint32(0x04030201), halfFloat, quint32(2), rgba, rgba16f, rgba, quint32(size), quint32(size),
          quint32(0), quint32(0), quint32(6), quint32(levels), quint32(keyValues.size())})
        append(out, field);
    out += keyValues;

    for (int level = 0; level < levels; ++level) {
        const int side = std::max(1, size >> level);
        // One face's bytes; rows of four halves a pixel are whole multiples of four bytes, so no padding.
        append(out, quint32(side * side * 8));
        // The six faces side by side, one thread each.
        std::array<std::vector<qfloat16>, 6> faces;
        std::vector<std::thread> threads;
        for (int face = 0; face < 6; ++face)
            threads.emplace_back([&, face] {
                std::vector<qfloat16>& pixels = faces[size_t(face)];
                pixels.resize(size_t(side) * side * 4);
                for (int row = 0; row < side; ++row)
                    for (int column = 0; column < side; ++column) {
                        const QVector3D d = direction(face, column, row, side);
                        const float value =
                            level == levels - 1 ? diffuse(d) : reflected(d, double(level) / (levels - 2));
                        qfloat16* p = &pixels[(size_t(row) * side + column) * 4];
                        p[0] = p[1] = p[2] = qfloat16(value);
                        p[3] = qfloat16(1.0f);
                    }
            });
        for (std::thread& thread : threads)
            thread.join();
        for (const std::vector<qfloat16>& pixels : faces)
            out.append(reinterpret_cast<const char*>(pixels.data()),
                       qsizetype(pixels.size() * sizeof(qfloat16)));
    }
    return out;
}

} // namespace Probe

} // namespace Studio
