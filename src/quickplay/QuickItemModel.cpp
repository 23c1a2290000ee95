#include "QuickItemModel.h"

int QuickItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant QuickItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) return {};
    const QuickRow& row = m_rows.at(index.row());
    switch (role) {
    case IdRole:
        return row.id;
    case KindRole:
        return row.kind;
    case KeyRole:
        return row.key;
    case Qt::DisplayRole:
    case TitleRole:
        return row.title;
    case ArtistRole:
        return row.artist;
    case ArtworkRole:
        return row.artwork;
    case AlbumCountRole:
        return row.albumCount;
    case SongCountRole:
        return row.songCount;
    case CoverUrlsRole:
        return row.coverUrls;
    }
    return {};
}

QHash<int, QByteArray> QuickItemModel::roleNames() const {
    return {{IdRole, "itemId"},
            {KindRole, "kind"},
            {KeyRole, "key"},
            {TitleRole, "title"},
            {ArtistRole, "artist"},
            {ArtworkRole, "artwork"},
            {AlbumCountRole, "albumCount"},
            {SongCountRole, "songCount"},
            {CoverUrlsRole, "coverUrls"}};
}

QStringList QuickItemModel::ids() const {
    QStringList out;
    for (const QuickRow& row : m_rows)
        out.append(row.id);
    return out;
}

void QuickItemModel::setRows(const QList<QuickRow>& next) {
    const int before = count();
    auto wanted = [&next](const QString& id) {
        for (const QuickRow& row : next)
            if (row.id == id) return true;
        return false;
    };
    // Rows whose identity is gone leave first, from the end so the positions ahead stay right.
    for (int i = count() - 1; i >= 0; --i) {
        if (wanted(m_rows.at(i).id)) continue;
        beginRemoveRows({}, i, i);
        m_rows.removeAt(i);
        endRemoveRows();
    }
    // Then, place by place, the row that belongs there is kept, brought up from further down, or made.
    // The lists are a handful of rows, so the linear searches cost nothing.
    for (int i = 0; i < next.size(); ++i) {
        const QuickRow& row = next.at(i);
        int found = -1;
        for (int j = i; j < count(); ++j) {
            if (m_rows.at(j).id == row.id) {
                found = j;
                break;
            }
        }
        if (found < 0) {
            beginInsertRows({}, i, i);
            m_rows.insert(i, row);
            endInsertRows();
            continue;
        }
        if (found != i) {
            beginMoveRows({}, found, found, {}, i);
            m_rows.move(found, i);
            endMoveRows();
        }
        if (!(m_rows.at(i) == row)) {
            m_rows[i] = row;
            emit dataChanged(index(i), index(i));
        }
    }
    // What is left past the end was a second row with an identity the new list holds only once.
    if (count() > next.size()) {
        beginRemoveRows({}, int(next.size()), count() - 1);
        m_rows.resize(next.size());
        endRemoveRows();
    }
    if (count() != before) emit countChanged();
}
