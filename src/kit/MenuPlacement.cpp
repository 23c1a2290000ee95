#include "MenuPlacement.h"

#include <algorithm>

namespace MenuPlacement {

QRectF kept(double x, double top, double height, const QRectF& v) {
    x = std::min(std::max(x, v.left() + margin), v.right() - width - margin);
    top = std::max(std::min(top, v.bottom() - margin - height), v.top());
    return {x, top, width, height};
}

QRectF underAnchor(const QRectF& a, double h, const QRectF& v) {
    double top = a.bottom() + anchorGap;
    if (top + h > v.bottom()) top = a.top() - anchorGap - h;
    return kept(a.left() - anchorInset, top, h, v);
}

QRectF atPointer(const QPointF& p, double h, const QRectF& v) {
    double x = p.x();
    double top = p.y();
    if (top + h > v.bottom()) top = p.y() - h;
    if (x + width > v.right() - margin) x = p.x() - width;
    return kept(x, top, h, v);
}

QRectF besideRow(const QRectF& parent, std::optional<QRectF> row, double h, const QRectF& v) {
    // Without a measured row it starts at the bottom left and the margins move it in.
    if (!row) return kept(v.left(), v.bottom() - h, h, v);
    double x = parent.right() - overlap;
    if (x + width > v.right() - margin) x = parent.left() - width + overlap;
    return kept(x, parent.top() + row->top() - padding, h, v);
}

QRectF regrown(const QRectF& current, double h, bool keepBottom, const QRectF& v) {
    const double top = keepBottom ? current.bottom() - h : current.top();
    return kept(current.left(), top, h, v);
}

} // namespace MenuPlacement
