#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QSize>
#include <array>

// Paints the light band: its outline filled four times, each fill blurred in an image of its own and laid
// onto the band with "plus" in the dark (light adds up) and "multiply" in the light appearance. The band
// image is transparent around the glow and lies over the page with ordinary alpha.
//
// Nothing in the band is sharper than its narrowest blur (10 points), so it is made at half a pixel a point
// and the scene graph scales it up to the screen with linear filtering: a fraction of the pixels to fill,
// blur and upload, for a band within a few levels of one drawn pixel for pixel.
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
    // Pixels a point of the band, and of its layers (the wide blurs half as fine again).
    static constexpr double bandScale = 0.5;
    static constexpr double wideLayerScale = 0.25;

    // `fullResolution` draws the band and every layer at device resolution (a reference for tests).
    explicit LightBandRenderer(bool fullResolution = false) : m_full(fullResolution) {}

    // The band for `path` (in points) over a canvas of `size` points at `dpr` device pixels per point.
    const QImage& render(const QPainterPath& path, QSizeF size, qreal dpr, double bandHeight, double span,
                         const Look& look);
    // The band as drawn: `scale()` pixels a point, so it is shown scaled by dpr / scale().
    const QImage& image() const { return m_band; }
    double scale() const { return m_scale; }
    // The four blurred layers of the last render, before their opacity, at `layerScale(i)` pixels a point.
    const QImage& layerImage(int i) const { return m_layers[size_t(i)]; }
    double layerScale(int i) const { return m_layerScale[size_t(i)]; }

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
    double m_scale = 1;
    std::array<double, 4> m_layerScale{1, 1, 1, 1};
};
