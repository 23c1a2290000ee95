#include "PlaylistSongsModel.h"

#include "kit/LikesAndPlays.h"
#include "library/AutoPlaylist.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"

#include <QSet>
#include <cmath>
#include <numeric>

PlaylistSongsModel::PlaylistSongsModel(QObject* parent) : SongListModel(parent) {
    // The automatic playlists are worked out from the likes and play counts.
    connect(this, &SongListModel::playerChanged, this, [this] {
        disconnect(m_playerConnections[0]);
        disconnect(m_playerConnections[1]);
        const auto follow = [this] {
            if (isAutomatic()) applyResolved(resolved());
        };
        if (Player* p = player()) {
            m_playerConnections[0] = connect(p, &Player::likesChanged, this, follow);
            m_playerConnections[1] = connect(p, &Player::playCountsChanged, this, follow);
        }
        follow();
    });
}

void PlaylistSongsModel::setStores(PlaylistStore* playlists, LibraryStore* library) {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_playlists = playlists;
    m_library = library;
    if (playlists) {
        m_connections
            << connect(playlists, &PlaylistStore::pathsAppended, this, &PlaylistSongsModel::onAppended)
            << connect(playlists, &PlaylistStore::pathsRemoved, this, &PlaylistSongsModel::onRemoved)
            << connect(playlists, &PlaylistStore::pathsPlaced, this, &PlaylistSongsModel::onPlaced)
            << connect(playlists, &PlaylistStore::pathsMoved, this, [this](const QUuid& id) { onMoved(id); })
            << connect(playlists, &PlaylistStore::playlistDeleted, this, &PlaylistSongsModel::onDeleted);
    }
    if (library) {
        m_connections << connect(library, &LibraryStore::songsChanged, this, [this] {
            if (m_library && m_library->lastChange().emptied) return reload();
            applyResolved(resolved());
        });
    }
    reload();
}

void PlaylistSongsModel::setPlaylist(const QUuid& id) {
    if (id == m_id) return;
    m_id = id;
    reload();
}

LibraryStore* PlaylistSongsModel::editedLibrary() const {
    return m_library;
}

bool PlaylistSongsModel::isAutomatic() const {
    return AutoPlaylist::fromId(m_id).has_value();
}

qint64 PlaylistSongsModel::microsOf(const Song& s) {
    return std::llround(s.duration * 1e6);
}

void PlaylistSongsModel::clearRows() {
    m_slots.clear();
    m_order.clear();
    m_micros = 0;
}

void PlaylistSongsModel::takeRows(QList<Song> songs) {
    m_slots = std::move(songs);
    m_order.resize(m_slots.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    m_micros = 0;
    for (const Song& s : std::as_const(m_slots))
        m_micros += microsOf(s);
}

void PlaylistSongsModel::insertRows(qsizetype at, const QList<Song>& songs) {
    const qsizetype first = m_slots.size();
    m_slots.append(songs);
    m_order.insert(at, songs.size(), 0);
    for (qsizetype k = 0; k < songs.size(); ++k) {
        m_order[at + k] = qint32(first + k);
        m_micros += microsOf(songs.at(k));
    }
}

void PlaylistSongsModel::eraseRows(qsizetype first, qsizetype count) {
    for (qsizetype row = first; row < first + count; ++row)
        m_micros -= microsOf(songAt(int(row)));
    m_order.remove(first, count);
    // The songs no row shows are let go once they outnumber the rows (in one pass, now and then).
    if (m_slots.size() > 2 * m_order.size() + 1024) {
        QList<Song> kept;
        kept.reserve(m_order.size());
        for (qint32& slot : m_order) {
            kept.append(std::move(m_slots[slot]));
            slot = qint32(kept.size() - 1);
        }
        m_slots = std::move(kept);
    }
}

void PlaylistSongsModel::setRow(qsizetype row, const Song& song) {
    Song& slot = m_slots[m_order.at(row)];
    m_micros += microsOf(song) - microsOf(slot);
    slot = song;
}

QList<Song> PlaylistSongsModel::coverSongs() const {
    QList<Song> out;
    QSet<QString> albums;
    for (int row = 0; row < rowCount(); ++row) {
        const Song& s = songAt(row);
        out.append(s);
        albums.insert(s.albumID());
        if (albums.size() == 4) break;
    }
    return out;
}

QList<Song> PlaylistSongsModel::resolved() const {
    if (!m_playlists || !m_library || m_id.isNull()) return {};
    const std::optional<Playlist> p = m_playlists->playlist(m_id);
    if (!p) return {};
    const LikesAndPlays known = player() ? likesAndPlays(*player()) : LikesAndPlays{};
    return m_playlists->songs(*p, *m_library, known);
}

QList<Song> PlaylistSongsModel::songsOf(const QStringList& paths) const {
    QList<Song> out;
    if (!m_library) return out;
    for (const QString& path : paths)
        if (std::optional<Song> song = m_library->song(path)) out.append(std::move(*song));
    return out;
}

void PlaylistSongsModel::reload() {
    beginResetModel();
    takeRows(resolved());
    endResetModel();
    rowsMoved();
}

void PlaylistSongsModel::applyResolved(const QList<Song>& fresh) {
    const qsizetype oldCount = m_order.size();
    const qsizetype newCount = fresh.size();
    qsizetype start = 0;
    while (start < oldCount && start < newCount && songAt(int(start)).url.path == fresh.at(start).url.path)
        ++start;
    qsizetype end = 0;
    while (end < oldCount - start && end < newCount - start &&
           songAt(int(oldCount - 1 - end)).url.path == fresh.at(newCount - 1 - end).url.path)
        ++end;
    // The kept rows: same song file, but its tags or title may have changed.
    const auto refresh = [&](qsizetype oldRow, qsizetype newRow) {
        if (songAt(int(oldRow)) == fresh.at(newRow)) return;
        setRow(oldRow, fresh.at(newRow));
        emit dataChanged(index(int(oldRow)), index(int(oldRow)));
    };
    for (qsizetype i = 0; i < start; ++i)
        refresh(i, i);
    for (qsizetype k = 0; k < end; ++k)
        refresh(oldCount - 1 - k, newCount - 1 - k);
    const qsizetype oldMiddle = oldCount - start - end;
    const qsizetype newMiddle = newCount - start - end;
    if (oldMiddle > 0) {
        beginRemoveRows({}, int(start), int(start + oldMiddle - 1));
        eraseRows(start, oldMiddle);
        endRemoveRows();
    }
    if (newMiddle > 0) {
        beginInsertRows({}, int(start), int(start + newMiddle - 1));
        insertRows(start, fresh.mid(start, newMiddle));
        endInsertRows();
    }
    if (oldMiddle > 0 || newMiddle > 0) rowsMoved();
}

void PlaylistSongsModel::removeRowsWhere(const std::function<bool(const Song&)>& leaves) {
    // From the end, one signal per run of neighbouring rows.
    qsizetype row = m_order.size() - 1;
    bool removed = false;
    while (row >= 0) {
        if (!leaves(songAt(int(row)))) {
            --row;
            continue;
        }
        qsizetype first = row;
        while (first > 0 && leaves(songAt(int(first - 1))))
            --first;
        beginRemoveRows({}, int(first), int(row));
        eraseRows(first, row - first + 1);
        endRemoveRows();
        removed = true;
        row = first - 1;
    }
    if (removed) rowsMoved();
}

void PlaylistSongsModel::onAppended(const QUuid& id, qsizetype from, qsizetype count) {
    if (id != m_id || !m_playlists) return;
    const std::optional<Playlist> p = m_playlists->playlist(id);
    if (!p) return;
    const QList<Song> added = songsOf(p->paths.mid(from, count));
    if (added.isEmpty()) return;
    const int at = int(m_order.size());
    beginInsertRows({}, at, at + int(added.size()) - 1);
    insertRows(at, added);
    endInsertRows();
    rowsMoved();
}

void PlaylistSongsModel::onRemoved(const QUuid& id, const QString& path, qsizetype entries) {
    const int expected = std::exchange(m_expectedRemoval, -1);
    if (id != m_id) return;
    // The path's only entry, and it is the row the remove action named: no other row can hold it.
    if (entries == 1 && expected >= 0 && expected < rowCount() && songAt(expected).url.path == path) {
        beginRemoveRows({}, expected, expected);
        eraseRows(expected, 1);
        endRemoveRows();
        rowsMoved();
        return;
    }
    removeRowsWhere([&path](const Song& s) { return s.url.path == path; });
}

void PlaylistSongsModel::onPlaced(const QUuid& id, const QStringList& paths, const QString& before) {
    if (id != m_id) return;
    const QSet<QString> moving(paths.cbegin(), paths.cend());
    removeRowsWhere([&moving](const Song& s) { return moving.contains(s.url.path); });
    const QList<Song> landing = songsOf(paths);
    if (landing.isEmpty()) return;
    int at = before.isEmpty() ? -1 : firstRowOf(before);
    if (at < 0) at = int(m_order.size());
    beginInsertRows({}, at, at + int(landing.size()) - 1);
    insertRows(at, landing);
    endInsertRows();
    rowsMoved();
}

void PlaylistSongsModel::onMoved(const QUuid& id) {
    // A swap of two neighbouring entries: at most two rows differ.
    if (id == m_id) applyResolved(resolved());
}

void PlaylistSongsModel::onDeleted(const QUuid& id) {
    if (id != m_id || m_order.isEmpty()) return;
    beginRemoveRows({}, 0, int(m_order.size()) - 1);
    clearRows();
    endRemoveRows();
    rowsMoved();
}
