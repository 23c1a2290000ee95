#include "ChosenMusicModel.h"

#include "kit/LikesAndPlays.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/artwork/PlaylistCover.h"

#include <QSet>

ChosenMusicModel::ChosenMusicModel(QObject* parent) : QAbstractListModel(parent) {}

void ChosenMusicModel::attach(const Stores& stores) {
    m_stores = stores;
    if (stores.picks) connect(stores.picks, &PlayerMusic::picksChanged, this, &ChosenMusicModel::sync);
    const auto reread = [this] {
        if (!m_rows.isEmpty()) emit dataChanged(index(0), index(int(m_rows.size()) - 1));
    };
    if (stores.library) connect(stores.library, &LibraryStore::songsChanged, this, reread);
    if (stores.playlists) connect(stores.playlists, &PlaylistStore::playlistsChanged, this, reread);
    sync();
}

void ChosenMusicModel::sync() {
    const QList<PlayerPick> picks = m_stores.picks ? m_stores.picks->picks() : QList<PlayerPick>();
    const int before = count();
    QSet<QString> wanted;
    for (const PlayerPick& pick : picks)
        wanted.insert(pick.id());
    // Rows whose pick is gone leave first, from the end so the indexes ahead stay right.
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        if (wanted.contains(m_rows[i].id())) continue;
        beginRemoveRows({}, i, i);
        m_rows.removeAt(i);
        endRemoveRows();
    }
    // Then the picks walk the rows in order: a row out of place leaves and comes back where it belongs.
    for (int i = 0; i < picks.size(); ++i) {
        const QString id = picks[i].id();
        if (i < m_rows.size() && m_rows[i].id() == id) {
            m_rows[i] = picks[i]; // the same pick, maybe with a new name
            continue;
        }
        for (int j = i + 1; j < m_rows.size(); ++j) {
            if (m_rows[j].id() != id) continue;
            beginRemoveRows({}, j, j);
            m_rows.removeAt(j);
            endRemoveRows();
            break;
        }
        beginInsertRows({}, i, i);
        m_rows.insert(i, picks[i]);
        endInsertRows();
    }
    if (m_rows.size() > picks.size()) {
        beginRemoveRows({}, int(picks.size()), int(m_rows.size()) - 1);
        m_rows.resize(picks.size());
        endRemoveRows();
    }
    if (before != count()) emit countChanged();
}

QList<Song> ChosenMusicModel::songsOf(const PlayerPick& pick) const {
    if (!m_stores.library || !m_stores.playlists) return {};
    const LikesAndPlays counts = m_stores.player ? likesAndPlays(*m_stores.player) : LikesAndPlays();
    return pick.songs(*m_stores.library, *m_stores.playlists, counts);
}

int ChosenMusicModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ChosenMusicModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) return {};
    const PlayerPick& pick = m_rows[index.row()];
    switch (role) {
    case IdRole:
        return pick.id();
    case KindRole:
        return pick.kindText();
    case KeyRole:
        return pick.key;
    case NameRole:
        return pick.name;
    case ByRole:
        return pick.by ? QStringLiteral("/ ") + *pick.by : QString();
    case CountRole:
        return countText(songsOf(pick).size());
    case PictureRole: {
        const QList<Song> songs = songsOf(pick);
        return songs.isEmpty() ? QString() : songs.first().path();
    }
    case CoverRole: {
        if (pick.kind != PlayerPick::Kind::playlist || !m_stores.library) return QVariantList();
        const LibraryStore& library = *m_stores.library;
        QVariantList out;
        for (const FileUrl& url : PlaylistCover::urls(songsOf(pick), [&library](const QString& id) {
                 const std::optional<Album> album = library.album(id);
                 return album ? album->artworkURL() : std::nullopt;
             }))
            out.append(url.path);
        return out;
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> ChosenMusicModel::roleNames() const {
    return {{IdRole, "pickId"}, {KindRole, "kind"},       {KeyRole, "key"},         {NameRole, "name"},
            {ByRole, "by"},     {CountRole, "countText"}, {PictureRole, "picture"}, {CoverRole, "cover"}};
}

QString ChosenMusicModel::caption() const {
    return QStringLiteral("chosen \u00B7 ") + QString::number(count());
}

QString ChosenMusicModel::countText(qsizetype songs) {
    if (songs <= 0) return QStringLiteral("gone");
    if (songs == 1) return QStringLiteral("1 song");
    return QString::number(songs) + QStringLiteral(" songs");
}

void ChosenMusicModel::remove(int row) {
    if (!m_stores.picks || row < 0 || row >= m_rows.size()) return;
    m_stores.picks->remove(m_rows[row]);
}

void ChosenMusicModel::clear() {
    if (m_stores.picks) m_stores.picks->clear();
}
