#include "CoverPicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <array>
#include <cmath>
#include <numbers>

namespace CoverPicture {

namespace {

QImage readFrom(QImageReader& reader) {
    reader.setAutoTransform(true);
    // The header's size is checked before any pixel is decoded; a damaged header that gives no size is
    // still bounded by the reader's own allocation limit.
    const QSize claimed = reader.size();
    if (claimed.isValid() && qint64(claimed.width()) * claimed.height() * 4 > maxDecodedBytes) return {};
    QImage image = reader.read();
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return {};
    return image;
}

} // namespace

QImage decode(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    // The JPEG decoder makes a picture of a cut-off file by filling the missing rows with grey; a cover
    // half written or half copied is no cover, so JPEG data must reach its end-of-image marker.
    if (bytes.startsWith("\xff\xd8") && !bytes.contains("\xff\xd9")) return {};
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer);
    return readFrom(reader);
}

QImage decodeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxFileBytes) return {};
    // Read whole, so the same checks apply as to embedded pictures; the format comes from the content, so
    // a cover saved with the wrong extension is still a cover.
    return decode(file.readAll());
}

namespace {
QString extensionOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot + 1).toLower();
}
bool isPictureExtension(const QString& ext) {
    return ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("png");
}
} // namespace

bool isFolderPictureName(const QString& fileName) {
    const QString lower = fileName.toLower();
    const qsizetype dot = lower.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || !isPictureExtension(lower.mid(dot + 1))) return false;
    const QString stem = lower.left(dot);
    return stem == QLatin1String("cover") || stem == QLatin1String("folder") ||
           stem == QLatin1String("front") || stem == QLatin1String("album") ||
           stem == QLatin1String("artwork");
}

bool isPictureFile(const QString& path) {
    return isPictureExtension(extensionOf(QFileInfo(path).fileName()));
}

std::optional<double> hueOfPixels(const QImage& reduced) {
    const QImage px = reduced.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    constexpr int binCount = 24;
    std::array<double, binCount> weight{};
    std::array<double, binCount> vx{};
    std::array<double, binCount> vy{};
    double total = 0;
    constexpr double twoPi = 2 * std::numbers::pi;
    for (int y = 0; y < px.height(); ++y) {
        const uchar* row = px.constScanLine(y);
        for (int x = 0; x < px.width(); ++x) {
            const double r = row[4 * x] / 255.0;
            const double g = row[4 * x + 1] / 255.0;
            const double b = row[4 * x + 2] / 255.0;
            const double mx = std::max({r, g, b});
            const double mn = std::min({r, g, b});
            if (mx <= 0.2) continue;
            const double delta = mx - mn;
            const double s = delta / mx;
            if (s <= 0.25) continue;
            double h;
            if (mx == r)
                h = (g - b) / delta;
            else if (mx == g)
                h = (b - r) / delta + 2;
            else
                h = (r - g) / delta + 4;
            h = std::fmod(h / 6, 1.0);
            if (h < 0) h += 1;
            const int bin = std::min(int(h * binCount), binCount - 1);
            const double w = mx * s;
            weight[bin] += w;
            total += w;
            vx[bin] += std::cos(twoPi * h) * w;
            vy[bin] += std::sin(twoPi * h) * w;
        }
    }
    // Fewer than 4 % of the pixels at full weight: the picture has no colour worth following.
    if (total <= 40.96) return std::nullopt;
    auto windowWeight = [&](int c) {
        return weight[(c + binCount - 1) % binCount] + weight[c] + weight[(c + 1) % binCount];
    };
    int best = 0;
    double bestWeight = windowWeight(0);
    for (int c = 1; c < binCount; ++c) {
        const double w = windowWeight(c);
        if (w > bestWeight) { // ties keep the lower bin
            best = c;
            bestWeight = w;
        }
    }
    double x = 0;
    double y = 0;
    // Summing vectors rather than hue values keeps a window across red (bins 23, 0, 1) near 0, not 0.5.
    for (int c : {(best + binCount - 1) % binCount, best, (best + 1) % binCount}) {
        x += vx[c];
        y += vy[c];
    }
    double h = std::atan2(y, x) / twoPi;
    if (h < 0) h += 1;
    return h;
}

std::optional<double> hue(const QImage& picture) {
    if (picture.isNull()) return std::nullopt;
    QImage reduced(32, 32, QImage::Format_RGBA8888_Premultiplied);
    if (reduced.isNull()) return std::nullopt;
    reduced.fill(Qt::transparent);
    {
        QPainter painter(&reduced);
        if (!painter.isActive()) return std::nullopt;
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // Smooth scaling averages the source down first; drawing the full picture into 32×32 directly would
        // sample only a few of its pixels.
        painter.drawImage(QRect(0, 0, 32, 32),
                          picture.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return hueOfPixels(reduced);
}

namespace {

// The mean of a rectangle's pixels as one 8-bit pixel, the way an area-average filter renders it.
QColor areaAverage(const QImage& px, const QRect& rect) {
    if (rect.isEmpty()) return {};
    quint64 sum[3] = {0, 0, 0};
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* row = px.constScanLine(y);
        for (int x = rect.left(); x <= rect.right(); ++x) {
            sum[0] += row[4 * x];
            sum[1] += row[4 * x + 1];
            sum[2] += row[4 * x + 2];
        }
    }
    const double n = double(rect.width()) * rect.height();
    auto channel = [&](int i) { return std::lround(double(sum[i]) / n) / 255.0; };
    return QColor::fromRgbF(float(channel(0)), float(channel(1)), float(channel(2)), 1.0f);
}

double hsvHue(const QColor& c) {
    // Qt gives greys a hue of −1; the colour maths here treat them as red (0), like the saturation 0 they
    // have.
    const float h = c.hsvHueF();
    return h < 0 ? 0.0 : double(h);
}

} // namespace

QColor vivid(const QColor& colour) {
    const QColor c = colour.toRgb();
    const double s = std::max(double(c.hsvSaturationF()), 0.55);
    const double v = std::max(double(c.valueF()), 0.65);
    return QColor::fromHsvF(float(hsvHue(c)), float(s), float(v), 1.0f).toRgb();
}

std::optional<CoverGradient> gradient(const QImage& picture) {
    if (picture.isNull()) return std::nullopt;
    const QImage px = picture.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    if (px.isNull()) return std::nullopt;
    const int w = px.width();
    const int h = px.height();
    const int halfW = w / 2;
    const int halfH = h / 2;
    if (halfW == 0 || halfH == 0) return std::nullopt;
    // Rows run downwards here: the lower-left quarter is the bottom rows, the upper-right the top rows.
    const QColor a = vivid(areaAverage(px, QRect(0, h - halfH, halfW, halfH)));
    QColor b = vivid(areaAverage(px, QRect(w - halfW, 0, halfW, halfH)));
    const double ha = hsvHue(a);
    const double hb = hsvHue(b);
    const double d = std::min(std::abs(ha - hb), 1 - std::abs(ha - hb));
    if (d < 0.06) {
        // Two quarters of one hue would make a flat gradient: turn the second a little further and lighter.
        b = QColor::fromHsvF(float(std::fmod(ha + 0.09, 1.0)), b.hsvSaturationF(),
                             float(std::min(double(b.valueF()) + 0.1, 1.0)), 1.0f)
                .toRgb();
    }
    return CoverGradient{a, b};
}

QImage mosaic(const QList<QImage>& four) {
    if (four.size() < 4) return {};
    QImage out(600, 600, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < 4; ++i) {
        const QImage& p = four[i];
        const int side = std::min(p.width(), p.height());
        const QRect source((p.width() - side) / 2, (p.height() - side) / 2, side, side);
        painter.drawImage(QRect((i % 2) * 300, (i / 2) * 300, 300, 300), p, source);
    }
    painter.end();
    return out;
}

QImage scaledToCover(const QImage& picture, const QSize& size) {
    if (picture.isNull() || (size.width() <= 0 && size.height() <= 0)) return picture;
    const double sx = size.width() > 0 ? double(size.width()) / picture.width() : 0;
    const double sy = size.height() > 0 ? double(size.height()) / picture.height() : 0;
    const double scale = std::max(sx, sy);
    if (scale >= 1) return picture;
    const int w = std::max(1, int(std::lround(picture.width() * scale)));
    const int h = std::max(1, int(std::lround(picture.height() * scale)));
    return picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace CoverPicture
