#include "Studio.h"

#include <QLinearGradient>
#include <QPainter>
#include <array>
#include <cmath>
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

QImage lightProbeOf(const QImage& environment) {
    return environment.scaled(lightProbeSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .mirrored()
        .convertToFormat(QImage::Format_RGBA8888);
}

const QImage& lightProbe() {
    static const QImage image = lightProbeOf(environment());
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

} // namespace Studio
