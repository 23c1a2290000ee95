#include "QuickplayMetrics.h"

#include "shell/look/Motion.h"

#include <cmath>

namespace QuickplayView {

QString rawValue(Half half) {
    return half == Half::smartDJ ? QStringLiteral("smartDJ") : QStringLiteral("collection");
}

std::optional<Half> halfFromRaw(const QString& text) {
    if (text == QLatin1String("collection")) return Half::collection;
    if (text == QLatin1String("smartDJ")) return Half::smartDJ;
    return std::nullopt;
}

} // namespace QuickplayView

double QuickplayMetrics::height(QuickplayView::Half half) const {
    const double s = scale;
    if (half == QuickplayView::Half::smartDJ) return std::round(132 * s) + 24;
    // A column: its 64-point title counted at 1.19 times its size, less the 20 points the tiles tuck under
    // it, two small tiles with their gap, and 12 points above and below.
    return 64 * s * 1.19 - 20 * s + std::round(4 * s) + 2 * std::round(78 * s) + 24;
}

double QuickplayMetrics::u() const {
    return std::round(78 * scale);
}

double QuickplayMetrics::gap() const {
    return std::round(4 * scale);
}

int QuickplayMetrics::items(ColumnCut cut) {
    return cut == ColumnCut::pair || cut == ColumnCut::wide ? 2 : 1;
}

QSizeF QuickplayMetrics::tileSize(ColumnCut cut, int place) const {
    if (place < 0 || place >= items(cut)) return {};
    const double small = u();
    switch (cut) {
    case ColumnCut::big: {
        const double side = std::round(1.8 * small);
        return {side, side};
    }
    case ColumnCut::medium: {
        const double side = std::round(1.4 * small);
        return {side, side};
    }
    case ColumnCut::pair:
        return {small, small};
    case ColumnCut::wide:
        return place == 0 ? QSizeF(std::round(1.8 * small), small) : QSizeF(small, small);
    }
    return {};
}

namespace Arrival {

double delaySeconds(int index) {
    return index * 0.022 + 0.05;
}

QEasingCurve slide() {
    return Motion::bezier(0.1, 0.9, 0.2, 1.0);
}

} // namespace Arrival
