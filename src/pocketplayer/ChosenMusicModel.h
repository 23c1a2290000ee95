#pragma once

#include "library/PlayerPick.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class LibraryStore;
class Player;
class PlayerMusic;
class PlaylistStore;

// The hand-picked music of the player settings page, one row per pick in pick order. The picks store only
// says that its list changed, so the rows are matched to it by pick id and changed one by one: a row that
// stays keeps its place and its delegate. The counts and pictures are worked out from the library when a
// row is read, so a library change only re-reads the rows.
class ChosenMusicModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The player settings page owns its list.")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // "chosen · 3", the caption over the rows.
    Q_PROPERTY(QString caption READ caption NOTIFY countChanged)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        KindRole,
        KeyRole,
        NameRole,
        ByRole,      // "/ Artist", or empty when the pick names nobody
        CountRole,   // "1 song", "12 songs" or "gone"
        PictureRole, // the artwork address of the first song, empty when there is none
        CoverRole,   // a playlist's cover addresses
    };

    struct Stores {
        LibraryStore* library = nullptr;
        PlaylistStore* playlists = nullptr;
        PlayerMusic* picks = nullptr;
        Player* player = nullptr; // likes and play counts of the automatic playlists
    };

    explicit ChosenMusicModel(QObject* parent = nullptr);
    void attach(const Stores& stores);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_rows.size()); }
    QString caption() const;
    // "1 song", "N songs", "gone".
    static QString countText(qsizetype songs);

    // Takes the row's pick off the player (every equal pick), silently.
    Q_INVOKABLE void remove(int row);
    Q_INVOKABLE void clear();

signals:
    void countChanged();

private:
    void sync();
    QList<Song> songsOf(const PlayerPick& pick) const;

    Stores m_stores;
    QList<PlayerPick> m_rows;
};
