#pragma once

#include <QEasingCurve>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <optional>

class QQmlEngine;
class QJSEngine;

// The start page's two halves, in their drawing order. (The page view itself is QML; the halves are named
// here so the C++ that lays the page out can speak of them.)
namespace QuickplayView {
Q_NAMESPACE
QML_NAMED_ELEMENT(QuickplayHalf)

enum class Half { collection, smartDJ };
Q_ENUM_NS(Half)

QString rawValue(Half half);
// Exactly the raw values; anything else is no half.
std::optional<Half> halfFromRaw(const QString& text);

} // namespace QuickplayView

// The slots a column of the pins, new and history half is cut into: one tile (big, medium) or two stacked
// tiles (pair, wide).
namespace Quickplay {
Q_NAMESPACE
QML_NAMED_ELEMENT(ColumnCut)

enum class ColumnCut { big, medium, pair, wide };
Q_ENUM_NS(ColumnCut)

} // namespace Quickplay
using ColumnCut = Quickplay::ColumnCut;

// Every size of the start page follows one scale between 1 and 2. Whole-point sizes round halves away from
// zero (std::round), so 4.5 gives 5, not the 4 of banker's rounding.
struct QuickplayMetrics {
    Q_GADGET
    QML_VALUE_TYPE(quickplayMetrics)
    Q_PROPERTY(double scale MEMBER scale)
    Q_PROPERTY(double u READ u)
    Q_PROPERTY(double gap READ gap)

public:
    double scale = 1;

    // The height of a half at this scale.
    Q_INVOKABLE double height(QuickplayView::Half half) const;
    // The side of a small square tile, and the space between tiles of a column.
    double u() const;
    double gap() const;
    // The tile at `place` (0: first, 1: second) of a slot; empty for a place the cut does not have.
    Q_INVOKABLE QSizeF tileSize(Quickplay::ColumnCut cut, int place) const;
    static int items(ColumnCut cut);

    friend bool operator==(const QuickplayMetrics&, const QuickplayMetrics&) = default;
};

// The slide-in of a half's titles and tiles when the half is brought to the front: each waits
// index × 0.022 + 0.05 s after the change, then comes in from 60 px to the right over 0.3 s.
namespace Arrival {
constexpr double slideSeconds = 0.3;
constexpr double shift = 60;
double delaySeconds(int index);
QEasingCurve slide();
} // namespace Arrival

// What the start page's QML reads of the numbers above.
class QuickplayLook : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(int slideMs READ slideMs CONSTANT)
    Q_PROPERTY(double slideShift READ slideShift CONSTANT)
    Q_PROPERTY(QEasingCurve slide READ slide CONSTANT)

public:
    using QObject::QObject;
    int slideMs() const { return int(Arrival::slideSeconds * 1000); }
    double slideShift() const { return Arrival::shift; }
    QEasingCurve slide() const { return Arrival::slide(); }

    Q_INVOKABLE static QuickplayMetrics metrics(double scale) { return QuickplayMetrics{scale}; }
    Q_INVOKABLE static double arrivalDelayMs(int index) { return Arrival::delaySeconds(index) * 1000; }
};
