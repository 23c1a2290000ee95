#include "MosaicLayout.h"

#include <algorithm>
#include <vector>

void MosaicSpan::setSpan(int span) {
    if (span == m_span) return;
    m_span = span;
    emit spanChanged();
}

MosaicLayout::Packing MosaicLayout::pack(const QList<int>& spans, int columns) {
    columns = std::max(columns, 1);
    std::vector<std::vector<char>> grid; // rows of cells, true = taken
    Packing out;
    out.spots.reserve(spans.size());
    int firstOpenRow = 0; // rows above this are full, so no square can start there
    for (int span : spans) {
        const int s = std::clamp(span, 1, columns);
        for (int row = firstOpenRow;; ++row) {
            bool placed = false;
            for (int c = 0; c + s <= columns && !placed; ++c) {
                bool fits = true;
                for (int r = row; r < row + s && fits; ++r) {
                    // A row joins the grid only once every row above it in the square was free.
                    if (r >= int(grid.size())) grid.emplace_back(columns, 0);
                    for (int cc = c; cc < c + s && fits; ++cc) fits = !grid[r][cc];
                }
                if (!fits) continue;
                for (int r = row; r < row + s; ++r) std::fill(grid[r].begin() + c, grid[r].begin() + c + s, 1);
                out.spots.append({row, c});
                placed = true;
            }
            if (placed) break;
        }
        while (firstOpenRow < int(grid.size()) &&
               std::all_of(grid[firstOpenRow].begin(), grid[firstOpenRow].end(), [](char t) { return t; }))
            ++firstOpenRow;
    }
    out.rows = int(grid.size());
    return out;
}

double MosaicLayout::cellSide(double width, int columns, double spacing) {
    columns = std::max(columns, 1);
    return std::max(0.0, (width - (columns - 1) * spacing) / columns);
}

double MosaicLayout::heightFor(int rows, double cell, double spacing) { return rows * (cell + spacing); }

QRectF MosaicLayout::tileRect(Spot spot, int span, int columns, double cell, double spacing) {
    const int t = std::clamp(span, 1, std::max(columns, 1));
    const double side = std::max(0.0, cell * t + (t - 1) * spacing);
    return {(cell + spacing) * spot.col, (cell + spacing) * spot.row, side, side};
}

MosaicLayout::MosaicLayout(QQuickItem* parent) : QQuickItem(parent) {
    setImplicitWidth(defaultWidth);
    setFlag(ItemHasContents, false);
}

MosaicSpan* MosaicLayout::qmlAttachedProperties(QObject* object) { return new MosaicSpan(object); }

void MosaicLayout::setColumns(int columns) {
    if (columns == m_columns) return;
    m_columns = columns;
    emit columnsChanged();
    polish();
}

void MosaicLayout::setSpacing(double spacing) {
    if (spacing == m_spacing) return;
    m_spacing = spacing;
    emit spacingChanged();
    polish();
}

QVariantList MosaicLayout::spotList() const {
    QVariantList out;
    for (const Spot& s : m_packing.spots) out << QVariant(QVariantMap{{QStringLiteral("row"), s.row}, {QStringLiteral("col"), s.col}});
    return out;
}

QList<QQuickItem*> MosaicLayout::tiles() const {
    QList<QQuickItem*> out;
    // A Repeater sits among the tiles it makes but is not one.
    for (QQuickItem* child : childItems())
        if (!child->inherits("QQuickRepeater")) out << child;
    return out;
}

void MosaicLayout::updatePolish() {
    const QList<QQuickItem*> items = tiles();
    QList<int> spans;
    for (QQuickItem* item : items) {
        auto* attached = qobject_cast<MosaicSpan*>(qmlAttachedPropertiesObject<MosaicLayout>(item, false));
        spans << (attached ? attached->span() : 1);
    }
    m_packing = pack(spans, m_columns);
    const double w = width() > 0 ? width() : defaultWidth;
    const double cell = cellSide(w, m_columns, m_spacing);
    setImplicitHeight(heightFor(m_packing.rows, cell, m_spacing));
    for (int i = 0; i < items.size(); ++i) {
        const QRectF r = tileRect(m_packing.spots.at(i), spans.at(i), m_columns, cell, m_spacing);
        items.at(i)->setPosition(r.topLeft());
        items.at(i)->setSize(r.size());
    }
    emit packed();
}

void MosaicLayout::itemChange(ItemChange change, const ItemChangeData& data) {
    if (change == ItemChildAddedChange) {
        if (auto* attached = qobject_cast<MosaicSpan*>(qmlAttachedPropertiesObject<MosaicLayout>(data.item, true)))
            connect(attached, &MosaicSpan::spanChanged, this, &QQuickItem::polish, Qt::UniqueConnection);
        polish();
    } else if (change == ItemChildRemovedChange) {
        polish();
    }
    QQuickItem::itemChange(change, data);
}

void MosaicLayout::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.width() != oldGeometry.width()) polish();
}
