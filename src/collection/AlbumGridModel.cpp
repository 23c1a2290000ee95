#include "AlbumGridModel.h"

#include "playback/Player.h"
#include "shell/AppModel.h"

#include <QVariantMap>
#include <algorithm>
#include <cmath>

namespace {

std::optional<QString> noneIfEmpty(const QString& id) {
    if (id.isEmpty()) return std::nullopt;
    return id;
}

// The rows the keys walk: for each row the group and the albums' places in it.
struct Place {
    int row = -1;
    int column = -1;
};

Place find(const std::vector<AlbumGridModel::Row>& rows, const QList<AlbumGroup>& groups,
           const std::optional<QString>& id) {
    if (!id) return {};
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[r].count; ++c)
            if (groups[rows[r].group].albums[rows[r].first + c].id() == *id) return {r, c};
    return {};
}

QString albumAt(const QList<AlbumGroup>& groups, const AlbumGridModel::Row& row, int column) {
    return groups[row.group].albums[row.first + column].id();
}

} // namespace

AlbumGridModel::AlbumGridModel(QObject* parent) : QAbstractListModel(parent) {}

int AlbumGridModel::columnsFor(double width, double minWidth, double spacing) {
    const double step = minWidth + spacing;
    if (!(step > 0) || !std::isfinite(width)) return 1;
    const double n = std::floor((width - 12 + spacing) / step);
    return n < 1 ? 1 : int(std::min(n, 10000.0));
}

std::vector<AlbumGridModel::Row> AlbumGridModel::rowsOf(const QList<AlbumGroup>& groups, int columns) {
    columns = std::max(1, columns);
    std::vector<Row> rows;
    for (int g = 0; g < groups.size(); ++g) {
        if (groups[g].title) rows.push_back({true, g, 0, 0});
        const int n = int(groups[g].albums.size());
        for (int first = 0; first < n; first += columns)
            rows.push_back({false, g, first, std::min(columns, n - first)});
    }
    return rows;
}

AlbumGridModel::Move AlbumGridModel::move(const QList<AlbumGroup>& groups, int columns,
                                          const std::optional<QString>& selection, Arrow arrow) {
    // Headings take no part in the walk: only rows of albums.
    std::vector<Row> rows = rowsOf(groups, columns);
    std::erase_if(rows, [](const Row& r) { return r.heading; });
    const Place at = find(rows, groups, selection);
    if (at.row < 0) {
        if (rows.empty()) return {std::nullopt, Handover::none};
        return {albumAt(groups, rows.front(), 0), Handover::none};
    }
    const auto to = [&](int r, int c) -> Move {
        return {albumAt(groups, rows[r], std::min(c, rows[r].count - 1)), Handover::none};
    };
    switch (arrow) {
    case Arrow::left:
        if (at.column == 0) return {selection, Handover::left};
        return to(at.row, at.column - 1);
    case Arrow::right:
        if (at.column == rows[at.row].count - 1) return {selection, Handover::right};
        return to(at.row, at.column + 1);
    case Arrow::up:
        if (at.row == 0) return {selection, Handover::none};
        return to(at.row - 1, at.column);
    case Arrow::down:
        if (at.row == int(rows.size()) - 1) return {selection, Handover::none};
        return to(at.row + 1, at.column);
    }
    return {selection, Handover::none};
}

std::optional<QString> AlbumGridModel::jump(const QList<AlbumGroup>& groups,
                                            const std::optional<QString>& selection, const QString& prefix) {
    QList<const Album*> all;
    for (const AlbumGroup& g : groups)
        for (const Album& a : g.albums)
            all.append(&a);
    const qsizetype n = all.size();
    qsizetype start = 0;
    if (selection) {
        for (qsizetype i = 0; i < n; ++i)
            if (all[i]->id() == *selection) {
                start = i + 1;
                break;
            }
    }
    const QString wanted = prefix.toLower();
    for (qsizetype i = 0; i < n; ++i) {
        const Album* a = all[(start + i) % n];
        if (a->title.toLower().startsWith(wanted)) return a->id();
    }
    return selection;
}

AlbumGridModel::KeyResult AlbumGridModel::press(const ListKeys::Press& press, const QList<AlbumGroup>& groups,
                                                int columns, const std::optional<QString>& selection) {
    const KeyResult unhandled{false, selection, Action::none};
    if (press.key == Qt::Key_Return || press.key == Qt::Key_Enter) {
        // Whatever modifiers are held; only an album of this grid plays.
        if (!selection) return unhandled;
        for (const AlbumGroup& g : groups)
            for (const Album& a : g.albums)
                if (a.id() == *selection) return {true, selection, Action::choose};
        return unhandled;
    }
    // Command, Option and Control leave the key to the menus' shortcuts; Shift doesn't count.
    if (press.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return unhandled;

    std::optional<Arrow> arrow;
    switch (press.key) {
    case Qt::Key_Left:
        arrow = Arrow::left;
        break;
    case Qt::Key_Right:
        arrow = Arrow::right;
        break;
    case Qt::Key_Up:
        arrow = Arrow::up;
        break;
    case Qt::Key_Down:
        arrow = Arrow::down;
        break;
    default:
        break;
    }
    if (arrow) {
        const Move m = move(groups, columns, selection, *arrow);
        const Action action = m.handover == Handover::left    ? Action::left
                              : m.handover == Handover::right ? Action::right
                                                              : Action::none;
        return {true, m.selection, action};
    }

    // Type-to-jump on key down only: a held key repeats nothing.
    if (press.autoRepeat || press.text.isEmpty()) return unhandled;
    const QString typed = press.text.left(press.text.at(0).isHighSurrogate() ? 2 : 1);
    const char32_t code =
        typed.size() == 2 ? QChar::surrogateToUcs4(typed.at(0), typed.at(1)) : typed.at(0).unicode();
    if (!QChar::isLetterOrNumber(code)) return unhandled;
    return {true, jump(groups, selection, typed), Action::none};
}

QList<AlbumGridModel::CellAction> AlbumGridModel::cellActions(bool pinned) {
    return {{QStringLiteral("play.fill"), QStringLiteral("Play")},
            {QStringLiteral("plus"), QStringLiteral("Add to Now Playing")},
            pinned ? CellAction{QStringLiteral("pin.slash"), QStringLiteral("Unpin from Quickplay")}
                   : CellAction{QStringLiteral("pin"), QStringLiteral("Pin to Quickplay")}};
}

QVariantList AlbumGridModel::cellActionsOf(bool pinned) {
    QVariantList out;
    for (const CellAction& a : cellActions(pinned))
        out.append(QVariantMap{{QStringLiteral("symbol"), a.symbol}, {QStringLiteral("label"), a.label}});
    return out;
}

std::optional<QString> AlbumGridModel::secondOf(const Album& album, SecondLine line) {
    if (line == SecondLine::artist) return album.artist;
    if (const std::optional<qint64> year = album.year()) return QString::number(*year);
    return std::nullopt;
}

bool AlbumGridModel::secondIsLink(const std::optional<QString>& second, const Album& album) {
    return second && *second == album.artist;
}

double AlbumGridModel::cellOpacity(bool quiet, bool selected, bool hovered) {
    return !quiet || selected || hovered ? 1.0 : 0.5;
}

bool AlbumGridModel::sameRow(const Row& a, const QList<AlbumGroup>& groupsA, const Row& b,
                             const QList<AlbumGroup>& groupsB) const {
    if (a.heading != b.heading || a.count != b.count) return false;
    if (a.heading) return groupsA[a.group].title == groupsB[b.group].title;
    for (int c = 0; c < a.count; ++c)
        if (!(groupsA[a.group].albums[a.first + c] == groupsB[b.group].albums[b.first + c])) return false;
    return true;
}

void AlbumGridModel::setGroups(QList<AlbumGroup> groups, bool relayout) {
    const int oldSelectedRow = selectedRow();
    if (relayout || m_rows.empty()) {
        beginResetModel();
        m_groups = std::move(groups);
        m_rows = rowsOf(m_groups, m_columns);
        reindex();
        endResetModel();
    } else {
        std::vector<Row> rows = rowsOf(groups, m_columns);
        // The rows that stayed as they were at both ends are left alone; in between, rows of the same kind
        // change in place and the rest go out or come in.
        const int oldN = int(m_rows.size()), newN = int(rows.size());
        int head = 0;
        while (head < oldN && head < newN && sameRow(m_rows[head], m_groups, rows[head], groups))
            ++head;
        int tail = 0;
        while (tail < oldN - head && tail < newN - head &&
               sameRow(m_rows[oldN - 1 - tail], m_groups, rows[newN - 1 - tail], groups))
            ++tail;
        const int oldMid = oldN - head - tail, newMid = newN - head - tail;
        int kept = 0;
        while (kept < oldMid && kept < newMid && m_rows[head + kept].heading == rows[head + kept].heading)
            ++kept;
        // The rows are swapped at once: the views read the new rows for every signal below, and the
        // signals only tell which places changed.
        if (oldMid > kept) {
            beginRemoveRows({}, head + kept, head + oldMid - 1);
            m_rows.erase(m_rows.begin() + head + kept, m_rows.begin() + head + oldMid);
            endRemoveRows();
        }
        m_groups = std::move(groups);
        if (newMid > kept) {
            beginInsertRows({}, head + kept, head + newMid - 1);
            m_rows = rows;
            reindex();
            endInsertRows();
        } else {
            m_rows = rows;
            reindex();
        }
        // The shared tail may point at other groups now, but what it shows is equal: nothing to tell.
        if (kept > 0) emit dataChanged(createIndex(head, 0), createIndex(head + kept - 1, 0));
    }
    emit groupsChanged();
    if (selectedRow() != oldSelectedRow) emit selectedRowChanged();
}

void AlbumGridModel::setGroups(QList<AlbumGroup> groups, Index index) {
    const int oldSelectedRow = selectedRow();
    beginResetModel();
    m_groups = std::move(groups);
    m_rows = rowsOf(m_groups, m_columns);
    reindex(std::move(index));
    endResetModel();
    emit groupsChanged();
    if (selectedRow() != oldSelectedRow) emit selectedRowChanged();
}

void AlbumGridModel::setAlbums(const QList<Album>& albums) {
    setGroups({AlbumGroup{std::nullopt, albums}});
}

AlbumGridModel::Index AlbumGridModel::indexOf(const QList<AlbumGroup>& groups) {
    // Each album's identity is made once here (it lower-cases two texts): the row of an album then follows
    // from its place in its group, so a new column count needs no second pass over the identities.
    Index where;
    qsizetype count = 0;
    for (const AlbumGroup& g : groups)
        count += g.albums.size();
    where.reserve(count);
    // Backwards, so that of two albums with one identity the first is the one kept.
    for (int g = int(groups.size()) - 1; g >= 0; --g)
        for (int i = int(groups[g].albums.size()) - 1; i >= 0; --i)
            where.insert(groups[g].albums[i].id(), {g, i});
    return where;
}

void AlbumGridModel::reindex() {
    reindex(indexOf(m_groups));
}

void AlbumGridModel::reindex(Index where) {
    m_where = std::move(where);
    m_albumCount = 0;
    for (const AlbumGroup& g : m_groups)
        m_albumCount += int(g.albums.size());
    indexRows();
}

void AlbumGridModel::indexRows() {
    m_groupRow.assign(size_t(m_groups.size()), -1);
    for (int r = 0; r < int(m_rows.size()); ++r)
        if (!m_rows[r].heading && m_groupRow[size_t(m_rows[r].group)] < 0)
            m_groupRow[size_t(m_rows[r].group)] = r;
}

void AlbumGridModel::setColumns(int columns) {
    columns = std::max(1, columns);
    if (m_columns == columns) return;
    const int oldSelectedRow = selectedRow();
    m_columns = columns;
    beginResetModel();
    m_rows = rowsOf(m_groups, m_columns);
    indexRows();
    endResetModel();
    emit columnsChanged();
    if (selectedRow() != oldSelectedRow) emit selectedRowChanged();
}

void AlbumGridModel::setSelection(const QString& selection) {
    if (m_selection == selection) return;
    const int oldRow = selectedRow();
    m_selection = selection;
    emit selectionChanged();
    if (selectedRow() != oldRow) emit selectedRowChanged();
}

void AlbumGridModel::setSecond(SecondLine second) {
    if (m_second == second) return;
    m_second = second;
    if (!m_rows.empty()) emit dataChanged(createIndex(0, 0), createIndex(int(m_rows.size()) - 1, 0));
    emit secondChanged();
}

void AlbumGridModel::setPlayer(Player* player) {
    if (m_player == player) return;
    m_player = player;
    emit storesChanged();
}

void AlbumGridModel::setApp(AppModel* app) {
    if (m_app == app) return;
    m_app = app;
    emit storesChanged();
}

std::optional<Album> AlbumGridModel::album(const QString& id) const {
    const auto it = m_where.constFind(id);
    if (it == m_where.constEnd()) return std::nullopt;
    return m_groups[it->first].albums[it->second];
}

int AlbumGridModel::rowOf(const QString& id) const {
    const auto it = m_where.constFind(id);
    if (it == m_where.constEnd()) return -1;
    const int first = m_groupRow[size_t(it->first)];
    return first < 0 ? -1 : first + it->second / m_columns;
}

QString AlbumGridModel::firstAlbum() const {
    if (m_groups.isEmpty() || m_groups.first().albums.isEmpty()) return {};
    return m_groups.first().albums.first().id();
}

bool AlbumGridModel::key(int key, int modifiers, const QString& text, bool autoRepeat) {
    const KeyResult r = press({key, Qt::KeyboardModifiers(modifiers), text, autoRepeat}, m_groups, m_columns,
                              noneIfEmpty(m_selection));
    if (!r.handled) return false;
    const QString picked = r.selection.value_or(QString());
    if (picked != m_selection) emit selectionPicked(picked);
    switch (r.action) {
    case Action::choose:
        play(m_selection);
        break;
    case Action::left:
        if (m_hasLeft) emit leftPressed();
        break;
    case Action::right:
        if (m_hasRight) emit rightPressed();
        break;
    case Action::none:
        break;
    }
    return true;
}

void AlbumGridModel::focusTaken() {
    if (!m_selection.isEmpty()) return;
    const QString first = firstAlbum();
    if (!first.isEmpty()) emit selectionPicked(first);
}

void AlbumGridModel::play(const QString& id) {
    if (const std::optional<Album> a = album(id); a && m_player) m_player->play(a->songs, 0);
}

void AlbumGridModel::enqueue(const QString& id) {
    if (const std::optional<Album> a = album(id); a && m_player) m_player->enqueue(a->songs);
}

void AlbumGridModel::togglePin(const QString& id) {
    if (m_app && !id.isEmpty()) m_app->togglePin(Pin::album(id));
}

bool AlbumGridModel::pinned(const QString& id) const {
    return m_app && m_app->isPinned(Pin::album(id));
}

void AlbumGridModel::runCellAction(const QString& id, int index) {
    switch (index) {
    case 0:
        play(id);
        break;
    case 1:
        enqueue(id);
        break;
    case 2:
        togglePin(id);
        break;
    default:
        break;
    }
}

int AlbumGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariantList AlbumGridModel::cellsOf(const Row& row) const {
    QVariantList cells;
    for (int c = 0; c < row.count; ++c) {
        const Album& a = m_groups[row.group].albums[row.first + c];
        const std::optional<QString> second = secondOf(a, m_second);
        cells.append(QVariantMap{{QStringLiteral("album"), QVariant::fromValue(a)},
                                 {QStringLiteral("id"), a.id()},
                                 {QStringLiteral("title"), a.title},
                                 {QStringLiteral("artist"), a.artist},
                                 {QStringLiteral("artwork"), a.artworkUrl()},
                                 // A space keeps every cell's second line one line high.
                                 {QStringLiteral("second"), second.value_or(QStringLiteral(" "))},
                                 {QStringLiteral("link"), secondIsLink(second, a)}});
    }
    return cells;
}

QVariant AlbumGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size())) return {};
    const Row& row = m_rows[index.row()];
    switch (role) {
    case HeadingRole:
        return row.heading;
    case TitleRole:
        return row.heading ? m_groups[row.group].title.value_or(QString()) : QString();
    case TopSpaceRole:
        // By position: every heading but the grid's first has space above it, even one titled like the
        // first (a second "#" run).
        return row.heading && index.row() > 0;
    case CellsRole:
        return row.heading ? QVariantList() : cellsOf(row);
    case FirstIndexRole:
        return row.first;
    default:
        return {};
    }
}

QHash<int, QByteArray> AlbumGridModel::roleNames() const {
    return {{HeadingRole, "heading"},
            {TitleRole, "title"},
            {TopSpaceRole, "topSpace"},
            {CellsRole, "cells"},
            {FirstIndexRole, "firstIndex"}};
}
