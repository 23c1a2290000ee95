#pragma once

#include "library/Song.h"
#include "playback/Player.h"

#include <QAbstractListModel>
#include <QList>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The player's queue as list rows, one per position (a song queued twice is two rows), for the Up Next
// panel. It follows the player's detailed queue signals row by row, so a long queue is never reset for an
// insertion or a removal, and moves the playing and played marks with `dataChanged` of the rows concerned.
class QueueModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY playerChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    enum Role { TitleRole = Qt::UserRole + 1, ArtistRole, PlayingRole, PlayedRole, PathRole };

    explicit QueueModel(QObject* parent = nullptr);

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    int count() const { return m_count; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void playerChanged();
    void countChanged();

private:
    void reset();
    void inserted(int at, int count);
    void removed(int at);
    void replaced();
    void reordered();
    void indexChanged();
    void isPlayingChanged();
    void queueChanged();
    void marksChanged(int from, int to, const QList<int>& roles);

    QPointer<Player> m_player;
    QList<QMetaObject::Connection> m_connections;
    // The rows as the views know them. The songs are read from the player's queue: a copy would share its
    // list and make every later change of the queue copy all of it.
    int m_count = 0;
    int m_index = 0;
};
