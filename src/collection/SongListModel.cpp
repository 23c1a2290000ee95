#include "SongListModel.h"

#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/look/Theme.h"

SongListModel::SongListModel(QObject* parent) : QAbstractListModel(parent) {
    connect(this, &QAbstractItemModel::rowsInserted, this, &SongListModel::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &SongListModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &SongListModel::countChanged);
}

qint64 SongListModel::numberAt(int) const {
    return 0;
}

void SongListModel::setPlayer(Player* player) {
    if (m_player == player) return;
    for (auto& c : m_connections)
        disconnect(c);
    m_player = player;
    if (player) {
        m_connections[0] = connect(player, &Player::currentChanged, this, &SongListModel::followCurrent);
        m_connections[1] = connect(player, &Player::indexChanged, this, &SongListModel::followCurrent);
        m_connections[2] = connect(player, &Player::queueChanged, this, &SongListModel::followCurrent);
        m_connections[3] = connect(player, &Player::isPlayingChanged, this, &SongListModel::playingChanged);
        m_connections[4] = connect(player, &Player::likesChanged, this, &SongListModel::followLikes);
    }
    followCurrent();
    followLikes();
    emit playerChanged();
    emit playingChanged();
}

bool SongListModel::playing() const {
    return m_player && m_player->isPlaying();
}

int SongListModel::currentRow() const {
    return m_currentPath.isEmpty() ? -1 : firstRowOf(m_currentPath);
}

void SongListModel::followCurrent() {
    std::optional<Song> current = m_player ? m_player->current() : std::nullopt;
    const QString path = current ? current->url.path : QString();
    if (path == m_currentPath) return;
    const QString old = std::exchange(m_currentPath, path);
    touch(old, CurrentRole);
    touch(path, CurrentRole);
    emit currentRowChanged();
}

void SongListModel::followLikes() {
    QSet<QString> likes = m_player ? m_player->likes() : QSet<QString>();
    if (likes == m_likes) return;
    // Only the paths whose state flipped: a like touches one row, not the list.
    QSet<QString> flipped = likes;
    flipped.subtract(m_likes);
    QSet<QString> gone = m_likes;
    gone.subtract(likes);
    flipped.unite(gone);
    m_likes = std::move(likes);
    for (const QString& path : std::as_const(flipped))
        touch(path, LikedRole);
}

void SongListModel::touch(const QString& path, int role) {
    if (path.isEmpty()) return;
    for (int row : rowsOf(path))
        emit dataChanged(index(row), index(row), {role});
}

void SongListModel::rowsMoved() {
    emit currentRowChanged();
}

QList<int> SongListModel::rowsOf(const QString& path) const {
    QList<int> rows;
    const int n = rowCount();
    for (int row = 0; row < n; ++row)
        if (songAt(row).url.path == path) rows.append(row);
    return rows;
}

int SongListModel::firstRowOf(const QString& path) const {
    const QList<int> rows = rowsOf(path);
    return rows.isEmpty() ? -1 : rows.first();
}

QVariant SongListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Song& s = songAt(index.row());
    switch (role) {
    case TitleRole:
    case Qt::DisplayRole:
        return s.title;
    case ArtistRole:
        return s.artist;
    case AlbumArtistRole:
        return s.albumArtist;
    case AlbumRole:
        return s.album;
    case DurationRole:
        return s.duration;
    case TimeRole:
        return Theme::formatTime(s.duration);
    case NumberRole:
        return numberAt(index.row());
    case PathRole:
        return s.url.path;
    case CurrentRole:
        return !m_currentPath.isEmpty() && s.url.path == m_currentPath;
    case LikedRole:
        return m_likes.contains(s.url.path);
    case TaggedTitleRole:
        return s.taggedTitle.has_value();
    case SongRole:
        return QVariant::fromValue(s);
    default:
        return {};
    }
}

QHash<int, QByteArray> SongListModel::roleNames() const {
    return {{TitleRole, "title"},
            {ArtistRole, "artist"},
            {AlbumArtistRole, "albumArtist"},
            {AlbumRole, "album"},
            {DurationRole, "duration"},
            {TimeRole, "time"},
            {NumberRole, "number"},
            {PathRole, "path"},
            {CurrentRole, "current"},
            {LikedRole, "liked"},
            {TaggedTitleRole, "taggedTitle"},
            {SongRole, "song"}};
}

QList<Song> SongListModel::songs() const {
    QList<Song> out;
    const int n = rowCount();
    out.reserve(n);
    for (int row = 0; row < n; ++row)
        out.append(songAt(row));
    return out;
}

void SongListModel::play(int row) {
    if (!m_player || row < 0 || row >= rowCount()) return;
    m_player->play(songs(), row);
}

QVariant SongListModel::song(int row) const {
    if (row < 0 || row >= rowCount()) return {};
    return QVariant::fromValue(songAt(row));
}

QString SongListModel::titleAt(int row) const {
    if (row < 0 || row >= rowCount()) return {};
    return songAt(row).title;
}

void SongListModel::rename(int row, const QString& title) {
    LibraryStore* library = editedLibrary();
    if (!library || row < 0 || row >= rowCount()) return;
    // A copy: the store publishes new rows before it returns.
    const Song song = songAt(row);
    library->rename(song, title);
}
