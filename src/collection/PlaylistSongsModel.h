#pragma once

#include "SongListModel.h"

#include <QPointer>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

class LibraryStore;
class PlaylistStore;

// The songs of one playlist as rows, in playlist order: a stored playlist's paths that the library knows
// (a path listed twice gives two rows), or an automatic playlist's songs as worked out now. The store says
// what each edit did, and the rows follow it with inserts, removals and moves, so an edit of a long
// playlist never rebuilds the list. A change of the collection, the likes or the play counts is compared
// with the rows and only the rows that differ change. The rows are numbers of the songs they show, so a
// row leaving the middle of 100,000 shifts small numbers rather than whole songs, and the total length is
// kept as rows come and go rather than summed again.
class PlaylistSongsModel : public SongListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the playlists page")
    // Total length in seconds of the rows' songs.
    Q_PROPERTY(double seconds READ seconds NOTIFY countChanged)

public:
    explicit PlaylistSongsModel(QObject* parent = nullptr);

    void setStores(PlaylistStore* playlists, LibraryStore* library);
    // The playlist shown; a null id (or one the store does not know) shows no rows.
    void setPlaylist(const QUuid& id);
    QUuid playlistID() const { return m_id; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_order.size());
    }
    const Song& songAt(int row) const override { return m_slots.at(m_order.at(row)); }
    double seconds() const { return double(m_micros) / 1e6; }
    // The first rows, up to the first song of the fourth album among them: all a cover mosaic looks at.
    QList<Song> coverSongs() const;
    // A removal of the song at `row` is coming (the row's remove action): when the store then takes out
    // that song's only entry, the row leaves without a look at every other row.
    void expectRemoval(int row) { m_expectedRemoval = row; }

    // The songs as the store resolves them now (what the rows must always equal).
    QList<Song> resolved() const;

protected:
    LibraryStore* editedLibrary() const override;

private:
    void reload();
    // Brings the rows to `fresh` with the fewest row signals: an equal start and end are kept (rows
    // whose song changed get dataChanged), the middle is removed and inserted.
    void applyResolved(const QList<Song>& fresh);
    void removeRowsWhere(const std::function<bool(const Song&)>& leaves);
    // The row edits below keep the slots, the order and the total length together.
    void clearRows();
    void takeRows(QList<Song> songs);
    void insertRows(qsizetype at, const QList<Song>& songs);
    void eraseRows(qsizetype first, qsizetype count);
    void setRow(qsizetype row, const Song& song);
    static qint64 microsOf(const Song& s);
    QList<Song> songsOf(const QStringList& paths) const;
    bool isAutomatic() const;

    void onAppended(const QUuid& id, qsizetype from, qsizetype count);
    void onRemoved(const QUuid& id, const QString& path, qsizetype entries);
    void onPlaced(const QUuid& id, const QStringList& paths, const QString& before);
    void onMoved(const QUuid& id);
    void onDeleted(const QUuid& id);

    QPointer<PlaylistStore> m_playlists;
    QPointer<LibraryStore> m_library;
    QUuid m_id;
    // The songs rows have shown since the last reload; a removed row's song stays until too many have gone.
    QList<Song> m_slots;
    // Row i shows m_slots[m_order[i]].
    QList<qint32> m_order;
    // The rows' total length, in whole microseconds so that edits add and take away exactly.
    qint64 m_micros = 0;
    int m_expectedRemoval = -1;
    QList<QMetaObject::Connection> m_connections;
    QMetaObject::Connection m_playerConnections[2];
};
