#include "ArtistListModel.h"

#include "core/Text.h"
#include "library/LibraryStore.h"

#include <QSet>

ArtistListModel::ArtistListModel(QObject* parent) : QAbstractListModel(parent) {}

void ArtistListModel::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    disconnect(m_connection);
    beginResetModel();
    m_library = library;
    m_artists = library ? library->artists() : QList<Artist>();
    endResetModel();
    if (library)
        m_connection =
            connect(library, &LibraryStore::artistsChanged, this, &ArtistListModel::artistsChanged);
    emit libraryChanged();
    emit countChanged();
}

void ArtistListModel::setAllRow(bool on) {
    if (m_allRow == on) return;
    if (on) {
        beginInsertRows({}, 0, 0);
        m_allRow = true;
        endInsertRows();
    } else {
        beginRemoveRows({}, 0, 0);
        m_allRow = false;
        endRemoveRows();
    }
    emit allRowChanged();
    emit countChanged();
}

// Both lists are in the library's order (lower-cased names in plain order, each name once), so one pass
// over the two in step finds every row that went, came or changed.
void ArtistListModel::artistsChanged() {
    if (!m_library) return;
    const QList<Artist>& now = m_library->artists();
    const LibraryChange& change = m_library->lastChange();
    const int before = int(m_artists.size());
    if (m_artists.isEmpty() || now.isEmpty()) {
        if (!m_artists.isEmpty() || !now.isEmpty()) {
            beginResetModel();
            m_artists = now;
            endResetModel();
        }
    } else {
        const QSet<QString> changed(change.changedArtists.cbegin(), change.changedArtists.cend());
        qsizetype i = 0; // into m_artists, which becomes `now` step by step
        qsizetype j = 0; // into now
        const int at = offset();
        while (j < now.size() || i < m_artists.size()) {
            if (j >= now.size()) {
                beginRemoveRows({}, int(i) + at, int(m_artists.size()) - 1 + at);
                m_artists.remove(i, m_artists.size() - i);
                endRemoveRows();
                break;
            }
            const QString newKey = Text::lower(now.at(j).name);
            if (i >= m_artists.size()) {
                beginInsertRows({}, int(i) + at, int(i) + at);
                m_artists.insert(i, now.at(j));
                endInsertRows();
                ++i, ++j;
                continue;
            }
            const int order = Text::plainCompare(Text::lower(m_artists.at(i).name), newKey);
            if (order == 0) {
                if (changed.contains(newKey) || !(m_artists.at(i).name == now.at(j).name)) {
                    m_artists[i] = now.at(j);
                    const QModelIndex index = createIndex(int(i) + at, 0);
                    emit dataChanged(index, index);
                } else {
                    // Same values: share the library's copy.
                    m_artists[i] = now.at(j);
                }
                ++i, ++j;
            } else if (order < 0) {
                beginRemoveRows({}, int(i) + at, int(i) + at);
                m_artists.removeAt(i);
                endRemoveRows();
            } else {
                beginInsertRows({}, int(i) + at, int(i) + at);
                m_artists.insert(i, now.at(j));
                endInsertRows();
                ++i, ++j;
            }
        }
    }
    if (int(m_artists.size()) != before) emit countChanged();
}

int ArtistListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_artists.size()) + offset();
}

QVariant ArtistListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (row < 0 || row >= rowCount()) return {};
    if (m_allRow && row == 0) {
        switch (role) {
        case NameRole:
            return allName;
        case KeyRole:
        case ArtworkRole:
            return QString();
        case AlbumCountRole:
        case SongCountRole:
            return 0;
        case IsAllRole:
            return true;
        default:
            return {};
        }
    }
    const Artist& artist = m_artists.at(row - offset());
    switch (role) {
    case NameRole:
        return artist.name;
    case KeyRole:
        return Text::lower(artist.name);
    case AlbumCountRole:
        return int(artist.albums.size());
    case SongCountRole:
        return artist.songCount();
    case ArtworkRole: {
        const std::optional<FileUrl> url = artist.artworkURL();
        return url ? url->path : QString();
    }
    case IsAllRole:
        return false;
    default:
        return {};
    }
}

QHash<int, QByteArray> ArtistListModel::roleNames() const {
    return {{NameRole, "name"},           {KeyRole, "key"},         {AlbumCountRole, "albumCount"},
            {SongCountRole, "songCount"}, {ArtworkRole, "artwork"}, {IsAllRole, "isAll"}};
}

int ArtistListModel::positionOf(const QList<Artist>& artists, const QString& name) {
    const QString key = Text::lower(name);
    // The list is in plain order of the lower-cased names: a binary search finds the row.
    const auto it =
        std::lower_bound(artists.cbegin(), artists.cend(), key, [](const Artist& a, const QString& k) {
            return Text::plainLess(Text::lower(a.name), k);
        });
    if (it == artists.cend() || Text::lower(it->name) != key) return -1;
    return int(it - artists.cbegin());
}

int ArtistListModel::rowOf(const QString& name) const {
    const int at = positionOf(m_artists, name);
    return at < 0 ? -1 : at + offset();
}

QString ArtistListModel::nameAt(int row) const {
    if (row < 0 || row >= rowCount()) return {};
    if (m_allRow && row == 0) return allName;
    return m_artists.at(row - offset()).name;
}
