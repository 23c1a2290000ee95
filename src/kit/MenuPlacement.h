#pragma once

#include <QRectF>
#include <optional>

// Where a menu's panels go, in the window's content (y downward). The window's content V stands for the
// screen: a panel keeps 8 px from the left, right and bottom edges, none from the top.
namespace MenuPlacement {
constexpr double width = 240;
constexpr double margin = 8;
constexpr double anchorGap = 6;   // between a drop-down and its anchor
constexpr double anchorInset = 4; // a drop-down starts this far left of its anchor
constexpr double overlap = 2;     // a sub-page overlaps its parent
constexpr double padding = 6;     // above the first row of a panel

// A top page hanging under its anchor, or standing above it when it would pass the bottom.
QRectF underAnchor(const QRectF& anchor, double height, const QRectF& visible);
// A top page at the pointer: hanging from it, standing on it near the bottom, left of it near the right.
QRectF atPointer(const QPointF& point, double height, const QRectF& visible);
// A sub-page beside its parent panel, its first row level with the parent's row (in the parent's panel).
QRectF besideRow(const QRectF& parent, std::optional<QRectF> row, double height, const QRectF& visible);
// A panel whose height changed: x and its top edge stay, or its bottom edge for a top page that stands
// above its anchor.
QRectF regrown(const QRectF& current, double height, bool keepBottom, const QRectF& visible);
// Last of every rule: inside the margins; the right margin and the top win when the window is too small.
QRectF kept(double x, double top, double height, const QRectF& visible);
} // namespace MenuPlacement
