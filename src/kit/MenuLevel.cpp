#include "MenuLevel.h"

#include "MenuPlacement.h"

#include <algorithm>

MenuLevel::MenuLevel(DropMenuPage page, int depth, QObject* parent)
    : QAbstractListModel(parent), m_page(std::move(page)), m_depth(depth), m_height(estimate(m_page)) {
    double y = 0;
    int row = 0;
    const auto& sections = m_page.sections();
    for (size_t n = 0; n < sections.size(); ++n) {
        if (n > 0) {
            m_entries.push_back({Kind::Divider, y, dividerHeight, -1, {}});
            y += dividerHeight;
        }
        if (sections[n].title) {
            m_entries.push_back({Kind::Heading, y, headingHeight, -1, *sections[n].title});
            y += headingHeight;
        }
        for (const DropMenuItem& item : sections[n].items) {
            m_rowEntry.push_back(int(m_entries.size()));
            m_entries.push_back({Kind::Row, y, rowHeight, row++, item.title});
            y += rowHeight;
        }
    }
    m_contentHeight = y;
}

double MenuLevel::estimate(const DropMenuPage& page) {
    const auto& sections = page.sections();
    const auto titled =
        std::count_if(sections.begin(), sections.end(), [](auto& s) { return bool(s.title); });
    const double h = 2 * padding + rowHeight * double(page.items().size()) + headingHeight * double(titled) +
                     dividerHeight * double(std::max<qsizetype>(qsizetype(sections.size()) - 1, 0));
    return std::min(h, maxScroll + 2 * padding);
}

std::vector<int> MenuLevel::starts(const DropMenuPage& page) {
    std::vector<int> out;
    int sum = 0;
    for (const DropMenuSection& s : page.sections()) {
        out.push_back(sum);
        sum += int(s.items.size());
    }
    return out;
}

void MenuLevel::setLit(std::optional<int> row) {
    if (row && (*row < 0 || *row >= rows())) row.reset();
    if (m_lit == row) return;
    m_lit = row;
    emit litChanged();
}

void MenuLevel::setOpened(std::optional<int> row) {
    if (row && (*row < 0 || *row >= rows())) row.reset();
    if (m_opened == row) return;
    m_opened = row;
    emit openedChanged();
}

void MenuLevel::measured(double height) {
    if (height <= 2 * padding || height == m_height) return;
    m_height = height;
    emit heightChanged();
}

void MenuLevel::setFrame(const QRectF& frame) {
    if (frame == m_frame) return;
    m_frame = frame;
    emit frameChanged();
}

void MenuLevel::setScrollY(double y) {
    if (y == m_scrollY) return;
    m_scrollY = y;
    emit scrollYChanged();
}

QRectF MenuLevel::rowFrame(int row) const {
    const Entry& e = m_entries.at(size_t(m_rowEntry.at(size_t(row))));
    return {0, padding + e.top - m_scrollY, MenuPlacement::width, e.extent};
}

std::optional<int> MenuLevel::row(const QPointF& p) const {
    // Only what the scroll area shows can be under the pointer.
    if (p.x() < 0 || p.x() >= MenuPlacement::width || p.y() < padding || p.y() >= padding + scrollHeight())
        return std::nullopt;
    const double y = p.y() - padding + m_scrollY;
    auto it = std::upper_bound(m_entries.begin(), m_entries.end(), y,
                               [](double v, const Entry& e) { return v < e.top; });
    if (it == m_entries.begin()) return std::nullopt;
    const Entry& e = *std::prev(it);
    if (e.kind != Kind::Row || y >= e.top + e.extent) return std::nullopt;
    return e.row;
}

void MenuLevel::hover(QPointF point) {
    if (onPointer) onPointer(point);
}
void MenuLevel::leave() {
    if (onPointer) onPointer(std::nullopt);
}
void MenuLevel::click(QPointF point) {
    if (const auto r = row(point); r && onChoose) onChoose(*r);
}

void MenuLevel::choose(int row) {
    if (onChoose) onChoose(row);
}

int MenuLevel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant MenuLevel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_entries.size())) return {};
    const Entry& e = m_entries[size_t(index.row())];
    const DropMenuItem* item = e.row >= 0 ? &m_page.items()[size_t(e.row)] : nullptr;
    switch (role) {
    case KindRole:
        return QVariant::fromValue(e.kind);
    case TitleRole:
        return e.title;
    case RowRole:
        return e.row;
    case ExtentRole:
        return e.extent;
    case CheckedRole:
        return item && item->checked;
    case DestructiveRole:
        return item && item->destructive;
    case HasPageRole:
        return item && item->hasPage();
    case EnabledRole:
        return !item || item->enabled;
    case TrailingRole:
        return item ? item->trailing : QString();
    }
    return {};
}

QHash<int, QByteArray> MenuLevel::roleNames() const {
    return {{KindRole, "kind"},       {TitleRole, "title"},        {RowRole, "row"},
            {ExtentRole, "extent"},   {CheckedRole, "checked"},    {DestructiveRole, "destructive"},
            {HasPageRole, "hasPage"}, {EnabledRole, "rowEnabled"}, {TrailingRole, "trailing"}};
}
