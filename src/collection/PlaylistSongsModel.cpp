#include "PlaylistSongsModel.h"

#include "kit/LikesAndPlays.h"
#include "library/AutoPlaylist.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"

#include <QSet>

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

double PlaylistSongsModel::seconds() const {
    double total = 0;
    for (const Song& s : m_rows)
        total += s.duration;
    return total;
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
    m_rows = resolved();
    endResetModel();
    rowsMoved();
}

void PlaylistSongsModel::applyResolved(const QList<Song>& fresh) {
    const qsizetype oldCount = m_rows.size();
    const qsizetype newCount = fresh.size();
    qsizetype start = 0;
    while (start < oldCount && start < newCount && m_rows.at(start).url.path == fresh.at(start).url.path)
        ++start;
    qsizetype end = 0;
    while (end < oldCount - start && end < newCount - start &&
           m_rows.at(oldCount - 1 - end).url.path == fresh.at(newCount - 1 - end).url.path)
        ++end;
    // The kept rows: same song file, but its tags or title may have changed.
    const auto refresh = [&](qsizetype oldRow, qsizetype newRow) {
        if (m_rows.at(oldRow) == fresh.at(newRow)) return;
        m_rows[oldRow] = fresh.at(newRow);
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
        m_rows.remove(start, oldMiddle);
        endRemoveRows();
    }
    if (newMiddle > 0) {
        beginInsertRows({}, int(start), int(start + newMiddle - 1));
        for (qsizetype k = 0; k < newMiddle; ++k)
            m_rows.insert(start + k, fresh.at(start + k));
        endInsertRows();
    }
    if (oldMiddle > 0 || newMiddle > 0) rowsMoved();
}

void PlaylistSongsModel::removeRowsWhere(const std::function<bool(const Song&)>& leaves) {
    // From the end, one signal per run of neighbouring rows.
    qsizetype row = m_rows.size() - 1;
    bool removed = false;
    while (row >= 0) {
        if (!leaves(m_rows.at(row))) {
            --row;
            continue;
        }
        qsizetype first = row;
        while (first > 0 && leaves(m_rows.at(first - 1)))
            --first;
        beginRemoveRows({}, int(first), int(row));
        m_rows.remove(first, row - first + 1);
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
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at + int(added.size()) - 1);
    m_rows.append(added);
    endInsertRows();
    rowsMoved();
}

void PlaylistSongsModel::onRemoved(const QUuid& id, const QString& path) {
    if (id != m_id) return;
    removeRowsWhere([&path](const Song& s) { return s.url.path == path; });
}

void PlaylistSongsModel::onPlaced(const QUuid& id, const QStringList& paths, const QString& before) {
    if (id != m_id) return;
    const QSet<QString> moving(paths.cbegin(), paths.cend());
    removeRowsWhere([&moving](const Song& s) { return moving.contains(s.url.path); });
    const QList<Song> landing = songsOf(paths);
    if (landing.isEmpty()) return;
    int at = before.isEmpty() ? -1 : firstRowOf(before);
    if (at < 0) at = int(m_rows.size());
    beginInsertRows({}, at, at + int(landing.size()) - 1);
    for (qsizetype k = 0; k < landing.size(); ++k)
        m_rows.insert(at + k, landing.at(k));
    endInsertRows();
    rowsMoved();
}

void PlaylistSongsModel::onMoved(const QUuid& id) {
    // A swap of two neighbouring entries: at most two rows differ.
    if (id == m_id) applyResolved(resolved());
}

void PlaylistSongsModel::onDeleted(const QUuid& id) {
    if (id != m_id || m_rows.isEmpty()) return;
    beginRemoveRows({}, 0, int(m_rows.size()) - 1);
    m_rows.clear();
    endRemoveRows();
    rowsMoved();
}
