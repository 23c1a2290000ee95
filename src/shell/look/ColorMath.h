#pragma once

#include <QColor>

// Colour arithmetic of the look. Derived colours are worked out in hue, saturation and brightness of sRGB,
// hues taken modulo 1; the results are plain sRGB colours so that equal colours compare equal whatever
// they were built from.
namespace ColorMath {

struct Hsb {
    double h = 0; // 0..1; a grey reads as hue 0
    double s = 0;
    double b = 0;
};

// An 0xRRGGBB value as an opaque sRGB colour; the top byte is ignored.
QColor rgb(quint32 value);
Hsb hsb(const QColor& color);
// Hue wrapped into 0..1, saturation and brightness capped to 0..1; opaque, in the sRGB spec.
QColor fromHsb(double h, double s, double b);
double wrapHue(double h);

// The receiving colour blended toward `other` by `fraction` (0 keeps it, 1 gives `other`) per sRGB
// component, alpha included. An unusable receiving colour stands as plain grey; an unusable `other` leaves
// the (converted) receiving colour.
QColor mixed(const QColor& color, const QColor& other, double fraction);

} // namespace ColorMath
