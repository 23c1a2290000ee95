#include "PlaylistListModel.h"

#include "PlaylistSongsModel.h"

#include "kit/LikesAndPlays.h"
#include "library/AutoPlaylist.h"
#include "library/LibraryStore.h"
#include "library/PlayerPick.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/artwork/PlaylistCover.h"

PlaylistListModel::PlaylistListModel(QObject* parent) : QAbstractListModel(parent) {
    connect(this, &QAbstractItemModel::rowsInserted, this, &PlaylistListModel::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &PlaylistListModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &PlaylistListModel::countChanged);
}

void PlaylistListModel::setStores(PlaylistStore* playlists, LibraryStore* library, Player* player) {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_playlists = playlists;
    m_library = library;
    m_player = player;
    if (playlists) {
        const auto paths = [this](const QUuid& id) { onPaths(id); };
        m_connections
            << connect(playlists, &PlaylistStore::playlistCreated, this, &PlaylistListModel::onCreated)
            << connect(playlists, &PlaylistStore::playlistDeleted, this, &PlaylistListModel::onDeleted)
            << connect(playlists, &PlaylistStore::playlistRenamed, this, &PlaylistListModel::onRenamed)
            << connect(playlists, &PlaylistStore::pathsAppended, this, paths)
            << connect(playlists, &PlaylistStore::pathsRemoved, this, paths)
            << connect(playlists, &PlaylistStore::pathsPlaced, this, paths)
            << connect(playlists, &PlaylistStore::pathsMoved, this, paths);
    }
    if (library) {
        // Songs coming and going change what every playlist resolves to.
        m_connections << connect(library, &LibraryStore::songsChanged, this, [this] {
            for (int row = 0; row < m_rows.size(); ++row)
                forget(row, {SongCountRole, CountTextRole, CoverRole});
        });
    }
    if (player) {
        m_connections << connect(player, &Player::likesChanged, this, &PlaylistListModel::forgetAutomatic)
                      << connect(player, &Player::playCountsChanged, this,
                                 &PlaylistListModel::forgetAutomatic);
    }
    reload();
}

PlaylistListModel::Row PlaylistListModel::rowFor(const QUuid& id) const {
    Row row;
    row.id = id;
    if (m_playlists)
        if (std::optional<Playlist> p = m_playlists->playlist(id)) row.name = p->name;
    row.own = !AutoPlaylist::fromId(id).has_value();
    return row;
}

void PlaylistListModel::reload() {
    beginResetModel();
    m_rows.clear();
    if (m_playlists)
        for (const Playlist& p : m_playlists->playlists())
            m_rows.append(rowFor(p.id));
    for (AutoPlaylist a : AutoPlaylist::allCases())
        m_rows.append(rowFor(a.id()));
    endResetModel();
}

int PlaylistListModel::ownCount() const {
    return int(std::count_if(m_rows.cbegin(), m_rows.cend(), [](const Row& r) { return r.own; }));
}

int PlaylistListModel::rowOf(const QUuid& id) const {
    for (int row = 0; row < m_rows.size(); ++row)
        if (m_rows.at(row).id == id) return row;
    return -1;
}

QString PlaylistListModel::nameAt(int row) const {
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).name : QString();
}

QString PlaylistListModel::countText(qsizetype n) {
    return n == 1 ? QStringLiteral("1 song") : QString::number(n) + QStringLiteral(" songs");
}

QList<Song> PlaylistListModel::songsOf(const QUuid& id) const {
    if (!m_playlists || !m_library) return {};
    const std::optional<Playlist> p = m_playlists->playlist(id);
    if (!p) return {};
    const LikesAndPlays known = m_player ? likesAndPlays(*m_player) : LikesAndPlays{};
    return m_playlists->songs(*p, *m_library, known);
}

int PlaylistListModel::songCountAt(int row) const {
    if (row < 0 || row >= m_rows.size()) return 0;
    ensureSongs(m_rows.at(row));
    return *m_rows.at(row).songCount;
}

void PlaylistListModel::ensureSongs(const Row& r) const {
    if (r.songCount && r.cover) return;
    // The shown playlist's songs are resolved already: a long one is not resolved again at each edit.
    const bool shown = m_shown && m_shown->playlistID() == r.id;
    const QList<Song> songs = shown ? m_shown->coverSongs() : songsOf(r.id);
    r.songCount = shown ? m_shown->rowCount() : int(songs.size());
    QList<QUrl> urls;
    if (const LibraryStore* library = m_library) {
        for (const FileUrl& url :
             PlaylistCover::urls(songs, [library](const QString& id) -> std::optional<FileUrl> {
                 const std::optional<Album> album = library->album(id);
                 if (!album || album->songs.isEmpty()) return std::nullopt;
                 return library->artworkURL(album->songs.first());
             }))
            urls.append(url.toUrl());
    }
    r.cover = urls;
}

void PlaylistListModel::setShownSongs(const PlaylistSongsModel* songs) {
    disconnect(m_shownConnection);
    m_shown = songs;
    // Its rows change after the store's signal; the shown row's count and cover follow them.
    if (songs)
        m_shownConnection = connect(songs, &SongListModel::countChanged, this, [this] {
            if (m_shown) forget(rowOf(m_shown->playlistID()), {SongCountRole, CountTextRole, CoverRole});
        });
}

QVariant PlaylistListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) return {};
    const Row& r = m_rows.at(index.row());
    switch (role) {
    case IdRole:
        return Playlist::uuidText(r.id);
    case NameRole:
    case Qt::DisplayRole:
        return r.name;
    case OwnRole:
        return r.own;
    case AcceptsRole:
        return r.own || r.id == AutoPlaylist(AutoPlaylist::liked).id();
    case FirstAutomaticRole:
        return !r.own && (index.row() == 0 || m_rows.at(index.row() - 1).own);
    case SongCountRole:
        return songCountAt(index.row());
    case CountTextRole:
        return countText(songCountAt(index.row()));
    case CoverRole:
        ensureSongs(r);
        return QVariant::fromValue(*r.cover);
    case PickRole: {
        Playlist p;
        p.id = r.id;
        p.name = r.name;
        return PlayerPick::playlist(p).toJson();
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> PlaylistListModel::roleNames() const {
    return {{IdRole, "playlistID"},
            {NameRole, "name"},
            {OwnRole, "own"},
            {AcceptsRole, "acceptsDrops"},
            {FirstAutomaticRole, "firstAutomatic"},
            {SongCountRole, "songCount"},
            {CountTextRole, "countText"},
            {CoverRole, "cover"},
            {PickRole, "pick"}};
}

void PlaylistListModel::forget(int row, const QList<int>& roles) {
    if (row < 0 || row >= m_rows.size()) return;
    Row& r = m_rows[row];
    // Nothing kept is nothing read since the last change was told.
    if (!r.songCount && !r.cover) return;
    r.songCount.reset();
    r.cover.reset();
    emit dataChanged(index(row), index(row), roles);
}

void PlaylistListModel::forgetAutomatic() {
    for (int row = 0; row < m_rows.size(); ++row)
        if (!m_rows.at(row).own) forget(row, {SongCountRole, CountTextRole, CoverRole});
}

void PlaylistListModel::onCreated(const QUuid& id) {
    beginInsertRows({}, 0, 0);
    m_rows.prepend(rowFor(id));
    endInsertRows();
    // The first automatic row's caption spacing follows whether own playlists exist.
    const int first = ownCount();
    if (first < m_rows.size()) emit dataChanged(index(first), index(first), {FirstAutomaticRole});
}

void PlaylistListModel::onDeleted(const QUuid& id) {
    const int row = rowOf(id);
    if (row < 0 || !m_rows.at(row).own) return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

void PlaylistListModel::onRenamed(const QUuid& id) {
    const int row = rowOf(id);
    if (row < 0) return;
    m_rows[row].name = rowFor(id).name;
    emit dataChanged(index(row), index(row), {NameRole, Qt::DisplayRole, PickRole});
}

void PlaylistListModel::onPaths(const QUuid& id) {
    forget(rowOf(id), {SongCountRole, CountTextRole, CoverRole});
}
