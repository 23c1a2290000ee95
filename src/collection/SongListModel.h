#pragma once

#include "library/Song.h"
#include "playback/Player.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QSet>
#include <QtQml/qqmlregistration.h>

class LibraryStore;

// The rows of a song list for the views, by index: a row is never copied into QML as part of a list, and a
// list may hold one path twice (a playlist), so rows are told apart by their place. The current and liked
// roles follow the player; a change of either touches only the rows concerned.
class SongListModel : public QAbstractListModel {
    Q_OBJECT
    QML_NAMED_ELEMENT(SongListModel)
    QML_UNCREATABLE("a base of the song lists")
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY playerChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // Whether the player plays (true) or is paused: the current row's mark depends on it.
    Q_PROPERTY(bool playing READ playing NOTIFY playingChanged)
    // The first row of the song the player is on; -1 when it is not in the list or nothing is current.
    Q_PROPERTY(int currentRow READ currentRow NOTIFY currentRowChanged)

public:
    enum Role {
        TitleRole = Qt::UserRole + 1,
        ArtistRole,
        AlbumArtistRole,
        AlbumRole,
        DurationRole,
        TimeRole,
        NumberRole,
        PathRole,
        CurrentRole,
        LikedRole,
        TaggedTitleRole,
        SongRole,
    };
    Q_ENUM(Role)

    explicit SongListModel(QObject* parent = nullptr);

    virtual const Song& songAt(int row) const = 0;
    // The number a row shows at its start (a track number); 0 for none.
    virtual qint64 numberAt(int row) const;
    int count() const { return rowCount(); }

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    bool playing() const;
    int currentRow() const;

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Every row's song, in order: what the player gets when the list plays.
    QList<Song> songs() const;
    // Plays the whole list from `row` (no Smart DJ).
    Q_INVOKABLE void play(int row);
    Q_INVOKABLE QVariant song(int row) const;
    Q_INVOKABLE QString titleAt(int row) const;
    Q_INVOKABLE int firstRowOf(const QString& path) const;
    // The user's own title for the row's song (empty: the file's title again).
    Q_INVOKABLE void rename(int row, const QString& title);

signals:
    void playerChanged();
    void countChanged();
    void playingChanged();
    void currentRowChanged();

protected:
    // Where the rows' songs are edited; none for a list that cannot rename.
    virtual LibraryStore* editedLibrary() const { return nullptr; }
    // The rows holding `path`; by default a pass over every row.
    virtual QList<int> rowsOf(const QString& path) const;
    // After rows changed wholesale (a new order, rows in or out): the current row may have moved.
    void rowsMoved();

private:
    void followCurrent();
    void followLikes();
    void touch(const QString& path, int role);

    QPointer<Player> m_player;
    QString m_currentPath;
    QSet<QString> m_likes;
    QMetaObject::Connection m_connections[5];
};
