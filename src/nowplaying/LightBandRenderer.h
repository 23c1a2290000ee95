#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <array>

// Paints the light band: its outline filled four times, each fill blurred in an image of its own and laid
// onto the band with "plus" in the dark (light adds up) and "multiply" in the light appearance. The band
// image is transparent around the glow and lies over the page with ordinary alpha.
class LightBandRenderer {
public:
    struct Look {
        QColor glow, foot, hot;
        bool dark = true;
        friend bool operator==(const Look&, const Look&) = default;
    };
    struct Layer {
        double blur;    // Gaussian sigma in points
        double opacity; // applied when the layer joins the band
    };
    static constexpr std::array<Layer, 4> layers{{{56, 0.4}, {26, 0.45}, {12, 0.6}, {10, 0.55}}};

    // `fullResolution` draws every layer at device resolution (a reference for tests); otherwise each
    // layer is drawn as coarsely as its blur allows and scaled up.
    explicit LightBandRenderer(bool fullResolution = false) : m_full(fullResolution) {}

    // The band for `path` (in points) over a canvas of `size` points at `dpr` device pixels per point.
    const QImage& render(const QPainterPath& path, QSizeF size, qreal dpr, double bandHeight, double span,
                         const Look& look);
    const QImage& image() const { return m_band; }
    // The four blurred layers of the last render, before their opacity, at the scale they were drawn.
    const QImage& layerImage(int i) const { return m_layers[size_t(i)]; }
    int reduction(int i) const { return m_reduction[size_t(i)]; }

    // A Gaussian blur of `sigma` pixels made of three box blurs; outside the image counts as transparent.
    // Only `area` is worked on (the whole image when null): everything outside it must be transparent and
    // stays so, which holds when it covers what was drawn and `reach(sigma)` pixels around it.
    static void blur(QImage& image, double sigma, QRect area = {});
    // How far a blur of `sigma` spreads a pixel.
    static int reach(double sigma);

private:
    bool m_full;
    QImage m_band;
    std::array<QImage, 4> m_layers;
    std::array<int, 4> m_reduction{1, 1, 1, 1};
};
