#pragma once

#include "library/Song.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QUrl>
#include <QUuid>
#include <QtQml/qqmlregistration.h>
#include <optional>

class LibraryStore;
class Player;
class PlaylistSongsModel;
class PlaylistStore;

// The playlists page's list: the user's playlists in store order (newest first), then the three automatic
// ones. The store says what each edit did, so a new, deleted or renamed playlist is one row in or out or
// changed, and songs joining or leaving one playlist change that row's count and cover only. Counts and
// covers are worked out when a row is first drawn and kept until that playlist changes.
class PlaylistListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the playlists page")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int ownCount READ ownCount NOTIFY countChanged)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        OwnRole,
        AcceptsRole,
        FirstAutomaticRole,
        SongCountRole,
        CountTextRole,
        CoverRole,
        PickRole,
    };

    explicit PlaylistListModel(QObject* parent = nullptr);

    void setStores(PlaylistStore* playlists, LibraryStore* library, Player* player);
    // The detail's rows: the shown playlist's count and cover are read from them.
    void setShownSongs(const PlaylistSongsModel* songs);

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return rowCount(); }
    int ownCount() const;
    QUuid idAt(int row) const { return row >= 0 && row < m_rows.size() ? m_rows.at(row).id : QUuid(); }
    int rowOf(const QUuid& id) const;
    Q_INVOKABLE QString nameAt(int row) const;
    int songCountAt(int row) const;

    // "1 song", else the count and " songs".
    static QString countText(qsizetype n);

signals:
    void countChanged();

private:
    struct Row {
        QUuid id;
        QString name;
        bool own = false;
        mutable std::optional<int> songCount;
        mutable std::optional<QList<QUrl>> cover;
    };
    Row rowFor(const QUuid& id) const;
    // Works out a row's count and cover together, from one resolution of its songs.
    void ensureSongs(const Row& row) const;
    void reload();
    void forget(int row, const QList<int>& roles);
    void forgetAutomatic();
    void onCreated(const QUuid& id);
    void onDeleted(const QUuid& id);
    void onRenamed(const QUuid& id);
    void onPaths(const QUuid& id);
    QList<Song> songsOf(const QUuid& id) const;

    QPointer<PlaylistStore> m_playlists;
    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QList<Row> m_rows;
    QList<QMetaObject::Connection> m_connections;
    QPointer<const PlaylistSongsModel> m_shown;
    QMetaObject::Connection m_shownConnection;
};
