#include "AlbumSongsModel.h"

#include "library/LibraryStore.h"

QString AlbumSongsModel::discHeading(const Album& album, const Song& song) {
    if (!album.hasSeveralDiscs()) return {};
    return QStringLiteral("disc ") + QString::number(song.disc);
}

QString AlbumSongsModel::subtitle(const Album& album, const Song& song) {
    return song.artist.toLower() == album.artist.toLower() ? QString() : song.artist;
}

void AlbumSongsModel::setAlbum(const Album& album) {
    const bool samePaths = [&] {
        if (album.id() != m_album.id() || album.songs.size() != m_album.songs.size()) return false;
        for (qsizetype i = 0; i < album.songs.size(); ++i)
            if (album.songs[i].url != m_album.songs[i].url) return false;
        return true;
    }();
    if (samePaths) {
        const bool changed = !(album == m_album);
        m_album = album;
        m_severalDiscs = album.hasSeveralDiscs();
        if (changed && !m_album.songs.isEmpty())
            emit dataChanged(index(0), index(int(m_album.songs.size()) - 1));
        return;
    }
    beginResetModel();
    m_album = album;
    m_severalDiscs = album.hasSeveralDiscs();
    endResetModel();
    rowsMoved();
}

QVariant AlbumSongsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Song& s = m_album.songs.at(index.row());
    if (role == DiscRole)
        return m_severalDiscs ? QStringLiteral("disc ") + QString::number(s.disc) : QString();
    if (role == SubtitleRole) return subtitle(m_album, s);
    return SongListModel::data(index, role);
}

QHash<int, QByteArray> AlbumSongsModel::roleNames() const {
    QHash<int, QByteArray> names = SongListModel::roleNames();
    names.insert(DiscRole, "disc");
    names.insert(SubtitleRole, "songSubtitle");
    return names;
}
