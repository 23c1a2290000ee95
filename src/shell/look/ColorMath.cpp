#include "ColorMath.h"

#include <algorithm>
#include <cmath>

namespace ColorMath {

QColor rgb(quint32 value) { return QColor::fromRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF); }

Hsb hsb(const QColor& color) {
    const QColor c = color.isValid() ? color.toRgb() : color;
    float h = 0, s = 0, v = 0, a = 0;
    c.getHsvF(&h, &s, &v, &a);
    return {h < 0 ? 0.0 : double(h), double(s), double(v)};
}

double wrapHue(double h) {
    if (!std::isfinite(h)) return 0;
    const double w = h - std::floor(h);
    return w >= 1 ? 0 : w;
}

QColor fromHsb(double h, double s, double b) {
    auto unit = [](double x) { return std::isfinite(x) ? std::clamp(x, 0.0, 1.0) : 0.0; };
    return QColor::fromHsvF(float(wrapHue(h)), float(unit(s)), float(unit(b))).toRgb();
}

QColor mixed(const QColor& color, const QColor& other, double fraction) {
    const QColor a = color.isValid() ? color.toRgb() : QColor::fromRgbF(0.5f, 0.5f, 0.5f);
    if (!other.isValid() || !std::isfinite(fraction)) return a;
    const QColor b = other.toRgb();
    const float f = float(std::clamp(fraction, 0.0, 1.0));
    auto mix = [f](float x, float y) { return x + (y - x) * f; };
    return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()),
                            mix(a.alphaF(), b.alphaF()));
}

} // namespace ColorMath
