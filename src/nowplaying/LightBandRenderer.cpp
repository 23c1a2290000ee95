#include "LightBandRenderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <immintrin.h>
#include <vector>

namespace {

QColor withAlpha(QColor c, double alpha) {
    c.setAlphaF(float(c.alphaF() * alpha));
    return c;
}

// Widths of three box blurs whose sequence approximates a Gaussian of `sigma`.
std::array<int, 3> boxWidths(double sigma) {
    const double ideal = std::sqrt(12 * sigma * sigma / 3 + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0) --lower;
    const int upper = lower + 2;
    const double m =
        std::round((12 * sigma * sigma - 3.0 * lower * lower - 4.0 * 3 * lower - 3 * 3) / (-4.0 * lower - 4));
    std::array<int, 3> widths{};
    for (int i = 0; i < 3; ++i)
        widths[size_t(i)] = i < m ? lower : upper;
    return widths;
}

// Four float channels of a pixel, moved and summed as one vector.
struct alignas(16) Px {
    __m128 v;
};
using Pixels = std::vector<Px>;

// One horizontal box pass of radius `r` over a row of `count` pixels, zeros beyond both ends: a running
// sum, the line's ends handled apart so the long middle runs without a bounds check.
void boxRow(const Px* in, Px* out, int count, int r) {
    const __m128 scale = _mm_set1_ps(1.0f / float(2 * r + 1));
    const auto at = [&](int i) { return i >= 0 && i < count ? in[i].v : _mm_setzero_ps(); };
    __m128 sum = _mm_setzero_ps();
    for (int i = 0; i <= r && i < count; ++i)
        sum = _mm_add_ps(sum, in[i].v);
    const int middleFrom = std::min(r, count), middleTo = std::max(middleFrom, count - r - 1);
    int i = 0;
    for (; i < middleFrom; ++i) {
        out[i].v = _mm_mul_ps(sum, scale);
        sum = _mm_add_ps(sum, _mm_sub_ps(at(i + r + 1), at(i - r)));
    }
    for (; i < middleTo; ++i) {
        out[i].v = _mm_mul_ps(sum, scale);
        sum = _mm_add_ps(sum, _mm_sub_ps(in[i + r + 1].v, in[i - r].v));
    }
    for (; i < count; ++i) {
        out[i].v = _mm_mul_ps(sum, scale);
        sum = _mm_add_ps(sum, _mm_sub_ps(at(i + r + 1), at(i - r)));
    }
}

// One vertical box pass of radius `r` over `h` rows of `w` pixels: row by row, with a running sum per
// column, so every step walks memory in order.
void boxColumns(const Px* in, Px* out, int w, int h, int r, Pixels& sums) {
    const __m128 scale = _mm_set1_ps(1.0f / float(2 * r + 1));
    sums.assign(size_t(w), Px{_mm_setzero_ps()});
    for (int y = 0; y <= r && y < h; ++y)
        for (int x = 0; x < w; ++x)
            sums[size_t(x)].v = _mm_add_ps(sums[size_t(x)].v, in[size_t(y) * size_t(w) + size_t(x)].v);
    for (int y = 0; y < h; ++y) {
        Px* row = out + size_t(y) * size_t(w);
        // The row's sums out, and the next row's sums in, in one walk along the row.
        const Px* enter = y + r + 1 < h ? in + size_t(y + r + 1) * size_t(w) : nullptr;
        const Px* leave = y - r >= 0 ? in + size_t(y - r) * size_t(w) : nullptr;
        Px* sum = sums.data();
        if (enter && leave) {
            for (int x = 0; x < w; ++x) {
                row[x].v = _mm_mul_ps(sum[x].v, scale);
                sum[x].v = _mm_add_ps(sum[x].v, _mm_sub_ps(enter[x].v, leave[x].v));
            }
        } else {
            for (int x = 0; x < w; ++x) {
                row[x].v = _mm_mul_ps(sum[x].v, scale);
                if (enter) sum[x].v = _mm_add_ps(sum[x].v, enter[x].v);
                if (leave) sum[x].v = _mm_sub_ps(sum[x].v, leave[x].v);
            }
        }
    }
}

} // namespace

int LightBandRenderer::reach(double sigma) {
    if (sigma < 0.5) return 0;
    int sum = 0;
    for (int width : boxWidths(sigma))
        sum += (width - 1) / 2;
    return sum;
}

void LightBandRenderer::blur(QImage& image, double sigma, QRect area) {
    if (sigma < 0.5 || image.isNull()) return;
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    if (area.isEmpty()) return;
    const int w = area.width(), h = area.height();
    // The six passes run on floats, so the sums need no fixed-point care and a pixel's four channels move
    // as one vector; the image is read once and written once.
    // Kept between frames: the band blurs four layers up to sixty times a second.
    // They only grow: every pixel the passes read is written first, and a resize to each layer's size in
    // turn would clear the whole buffer again each time.
    thread_local Pixels a, b, sums;
    if (a.size() < size_t(w) * size_t(h)) {
        a.resize(size_t(w) * size_t(h));
        b.resize(a.size());
    }
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(area.top() + y)) + area.left();
        for (int x = 0; x < w; ++x) {
            const quint32 p = row[x];
            a[size_t(y) * size_t(w) + size_t(x)].v =
                _mm_set_ps(float(p >> 24), float((p >> 16) & 0xff), float((p >> 8) & 0xff), float(p & 0xff));
        }
    }
    for (int width : boxWidths(sigma)) {
        const int r = (width - 1) / 2;
        if (r <= 0) continue;
        for (int y = 0; y < h; ++y)
            boxRow(a.data() + size_t(y) * size_t(w), b.data() + size_t(y) * size_t(w), w, r);
        boxColumns(b.data(), a.data(), w, h, r, sums);
    }
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(area.top() + y)) + area.left();
        for (int x = 0; x < w; ++x) {
            const __m128i v = _mm_cvtps_epi32(a[size_t(y) * size_t(w) + size_t(x)].v);
            // Rounded to the nearest, and a premultiplied colour never exceeds its alpha.
            alignas(16) qint32 c[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(c), v);
            const quint32 alpha = quint32(std::clamp(c[3], 0, 255));
            const auto channel = [&](int i) { return quint32(std::clamp(c[i], 0, int(alpha))); };
            row[x] = channel(0) | channel(1) << 8 | channel(2) << 16 | alpha << 24;
        }
    }
}

const QImage& LightBandRenderer::render(const QPainterPath& path, QSizeF size, qreal dpr, double bandHeight,
                                        double span, const Look& look) {
    m_scale = m_full ? dpr : bandScale;
    const QSize pixels(std::max(1, int(std::ceil(size.width() * m_scale))),
                       std::max(1, int(std::ceil(size.height() * m_scale))));
    if (m_band.size() != pixels) m_band = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_band.fill(Qt::transparent);

    const double w = size.width(), h = size.height();
    const double s = w * span;
    QLinearGradient fade(QPointF(w / 2, h - bandHeight), QPointF(w / 2, h));
    fade.setColorAt(0, withAlpha(look.glow, 0));
    fade.setColorAt(0.45, withAlpha(look.glow, 0.85));
    fade.setColorAt(1, look.foot);
    QRadialGradient foot(QPointF(w / 2, h), s / 2);
    foot.setColorAt(0, look.hot);
    foot.setColorAt(0.5, withAlpha(look.foot, 0.6));
    foot.setColorAt(1, withAlpha(look.glow, 0));

    QPainter band(&m_band);
    band.setRenderHint(QPainter::SmoothPixmapTransform);
    band.setCompositionMode(look.dark ? QPainter::CompositionMode_Plus : QPainter::CompositionMode_Multiply);
    for (int i = 0; i < int(layers.size()); ++i) {
        // A wide blur leaves no detail that a quarter of the band's pixels cannot hold.
        const double scale = m_full ? dpr : (layers[size_t(i)].blur >= 20 ? wideLayerScale : bandScale);
        m_layerScale[size_t(i)] = scale;
        const double sigma = layers[size_t(i)].blur * scale;
        const QSize layerPixels(std::max(1, int(std::ceil(w * scale))),
                                std::max(1, int(std::ceil(h * scale))));
        QImage& layer = m_layers[size_t(i)];
        if (layer.size() != layerPixels) layer = QImage(layerPixels, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        // Only where the fill and its blur can reach is worked on; the rest stays transparent.
        const QRectF drawn = i < 3 ? path.boundingRect() : QRectF(w / 2 - s / 2, h - 5, s, 10);
        const int margin = reach(sigma) + 2;
        const QRect area = QRectF(drawn.topLeft() * scale, drawn.bottomRight() * scale)
                               .toAlignedRect()
                               .adjusted(-margin, -margin, margin, margin);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.scale(scale, scale);
            if (i < 2)
                p.fillPath(path, look.glow);
            else if (i == 2)
                p.fillPath(path, fade);
            else {
                p.setBrush(foot);
                p.drawEllipse(QRectF(w / 2 - s / 2, h - 5, s, 10));
            }
        }
        blur(layer, sigma, area);
        band.setOpacity(layers[size_t(i)].opacity);
        // Only the part the blur reached is laid on the band: the rest of the layer is transparent.
        const QRect reached = area.intersected(layer.rect());
        const double f = m_scale / scale;
        band.drawImage(QRectF(reached.x() * f, reached.y() * f, reached.width() * f, reached.height() * f),
                       layer, QRectF(reached));
    }
    band.end();
    return m_band;
}
