#include "VolumeRules.h"

#include <algorithm>
#include <cmath>

double VolumeRules::clamped(double volume) {
    if (std::isnan(volume)) return 0;
    return std::clamp(volume, 0.0, 1.0);
}

double VolumeRules::afterWheel(double volume, QPointF pixelDelta, QPointF angleDelta, bool inverted) {
    const bool precise = pixelDelta.y() != 0;
    double dy = precise ? pixelDelta.y() : angleDelta.y() / 120.0;
    if (inverted) dy = -dy;
    return clamped(volume + dy * (precise ? preciseStep : notchStep));
}

double VolumeRules::sliderVolume(double x, double width) {
    return clamped(x / std::max(width, 1.0));
}

double VolumeRules::readoutVolume(double dragFrom, double dx) {
    return clamped(dragFrom + dx / readoutTravel);
}

QString VolumeRules::speakerSymbol(double volume) {
    if (volume <= 0) return QStringLiteral("speaker.fill");
    // The icon font has no symbol whose waves fill with the level: two glyphs stand for low and high.
    return volume < 0.5 ? QStringLiteral("speaker.wave.2.fill") : QStringLiteral("speaker.wave.3.fill");
}

QString VolumeRules::speakerHint(double volume) {
    return volume <= 0 ? QStringLiteral("Unmute") : QStringLiteral("Mute");
}

CrossStrokes VolumeRules::cross(double drawn) {
    const double d = 2 * drawn;
    return {std::clamp(d, 0.0, 1.0), std::clamp(d - 1, 0.0, 1.0)};
}

int VolumeRules::accessiblePercent(double volume) {
    return int(std::floor(clamped(volume) * 100 + 1e-9));
}

QString VolumeRules::readoutAccessibleValue(double volume) {
    return volume <= 0 ? QStringLiteral("Muted") : QString::number(accessiblePercent(volume));
}

bool VolumeRules::readoutDragging(double dx, double dy) {
    return std::hypot(dx, dy) >= readoutDragStart;
}
