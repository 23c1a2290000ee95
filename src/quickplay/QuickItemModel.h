#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// What one tile of the start page draws, flattened from its item.
struct QuickRow {
    QString id;      // the tile's identity ("album:…", "artist:…", "playlist:…", "dj:…")
    QString kind;    // "album", "artist" or "playlist"
    QString key;     // the album identity, the artist's name or the playlist's UUID text
    QString title;   // the album's title, the artist's or the playlist's name
    QString artist;  // an album's artist; empty otherwise
    QString artwork; // the artwork address (a picture or song file path); empty for none
    int albumCount = 0;
    int songCount = 0;
    QStringList coverUrls; // a playlist's mosaic addresses

    friend bool operator==(const QuickRow&, const QuickRow&) = default;
};

// One column of the start page. A new list is applied row by row, matched by identity: rows that stay are
// moved and updated in place, never removed and inserted again, so their tiles (and the hover on them)
// live on through a rebuild.
class QuickItemModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the start page's model")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        KindRole,
        KeyRole,
        TitleRole,
        ArtistRole,
        ArtworkRole,
        AlbumCountRole,
        SongCountRole,
        CoverUrlsRole,
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_rows.size()); }
    const QList<QuickRow>& rows() const { return m_rows; }
    QStringList ids() const;

    void setRows(const QList<QuickRow>& next);

signals:
    void countChanged();

private:
    QList<QuickRow> m_rows;
};
