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
// with the rows and only the rows that differ change.
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
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    const Song& songAt(int row) const override { return m_rows.at(row); }
    const QList<Song>& rows() const { return m_rows; }
    double seconds() const;

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
    QList<Song> songsOf(const QStringList& paths) const;
    bool isAutomatic() const;

    void onAppended(const QUuid& id, qsizetype from, qsizetype count);
    void onRemoved(const QUuid& id, const QString& path);
    void onPlaced(const QUuid& id, const QStringList& paths, const QString& before);
    void onMoved(const QUuid& id);
    void onDeleted(const QUuid& id);

    QPointer<PlaylistStore> m_playlists;
    QPointer<LibraryStore> m_library;
    QUuid m_id;
    QList<Song> m_rows;
    QList<QMetaObject::Connection> m_connections;
    QMetaObject::Connection m_playerConnections[2];
};
