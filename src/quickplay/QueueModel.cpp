#include "QueueModel.h"

#include <algorithm>

QueueModel::QueueModel(QObject* parent) : QAbstractListModel(parent) {}

void QueueModel::setPlayer(Player* player) {
    if (player == m_player) return;
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_player = player;
    if (player) {
        m_connections = {
            connect(player, &Player::queueReset, this, &QueueModel::reset),
            connect(player, &Player::queueInserted, this, &QueueModel::inserted),
            connect(player, &Player::queueRemoved, this, &QueueModel::removed),
            connect(player, &Player::queueReplaced, this, &QueueModel::replaced),
            connect(player, &Player::queueReordered, this, &QueueModel::reordered),
            connect(player, &Player::queueChanged, this, &QueueModel::queueChanged),
            connect(player, &Player::indexChanged, this, &QueueModel::indexChanged),
            connect(player, &Player::isPlayingChanged, this, &QueueModel::isPlayingChanged),
        };
    }
    reset();
    emit playerChanged();
}

void QueueModel::reset() {
    const int before = count();
    beginResetModel();
    m_count = m_player ? int(m_player->queue().size()) : 0;
    m_index = m_player ? m_player->index() : 0;
    endResetModel();
    if (count() != before) emit countChanged();
}

void QueueModel::inserted(int at, int n) {
    if (!m_player || n <= 0 || at < 0 || at > count() || m_player->queue().size() != count() + n)
        return reset();
    beginInsertRows({}, at, at + n - 1);
    m_count += n;
    endInsertRows();
    emit countChanged();
}

void QueueModel::removed(int at) {
    if (!m_player || at < 0 || at >= count() || m_player->queue().size() != count() - 1) return reset();
    beginRemoveRows({}, at, at);
    --m_count;
    endRemoveRows();
    emit countChanged();
    // The playing song keeps its mark: the player lowers its index with the removal of an earlier row.
    if (at < m_index) --m_index;
}

void QueueModel::replaced() {
    if (!m_player || m_player->queue().size() != count()) return reset();
    if (m_count > 0) emit dataChanged(index(0), index(count() - 1), {TitleRole, ArtistRole, PathRole});
}

void QueueModel::reordered() {
    if (!m_player || m_player->queue().size() != count()) return reset();
    emit layoutAboutToBeChanged();
    // The rows keep their positions; only the songs after the current one moved, so no persistent index
    // needs to move with them.
    emit layoutChanged();
}

// A change the detailed signals did not describe still leaves the rows right.
void QueueModel::queueChanged() {
    if (m_player && m_player->queue().size() != count()) reset();
}

void QueueModel::indexChanged() {
    if (!m_player) return;
    const int now = m_player->index();
    const int was = m_index;
    m_index = now;
    if (now == was) return;
    marksChanged(std::min(now, was), std::max(now, was), {PlayingRole, PlayedRole});
}

void QueueModel::isPlayingChanged() {
    marksChanged(m_index, m_index, {PlayingRole});
}

void QueueModel::marksChanged(int from, int to, const QList<int>& roles) {
    from = std::max(from, 0);
    to = std::min(to, count() - 1);
    if (from > to) return;
    emit dataChanged(index(from), index(to), roles);
}

int QueueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant QueueModel::data(const QModelIndex& index, int role) const {
    if (!m_player || !index.isValid() || index.row() >= count() || index.row() >= m_player->queue().size())
        return {};
    const int row = index.row();
    const Song& song = m_player->queue()[row];
    switch (role) {
    case TitleRole:
    case Qt::DisplayRole:
        return song.title;
    case ArtistRole:
        return song.artist;
    case PlayingRole:
        return row == m_index;
    case PlayedRole:
        return row < m_index;
    case PathRole:
        return song.path();
    default:
        return {};
    }
}

QHash<int, QByteArray> QueueModel::roleNames() const {
    return {{TitleRole, "title"},
            {ArtistRole, "artist"},
            {PlayingRole, "playing"},
            {PlayedRole, "played"},
            {PathRole, "path"}};
}
