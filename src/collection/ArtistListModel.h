#pragma once

#include "library/Artist.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include "library/LibraryStore.h"

// The library's artists as rows, in the library's order, for the artist column (which puts a row "All
// artists" first) and the artist wall (which does not). A scan changes only the rows of the artists it
// added, removed or changed: the lists are never copied to the view and scrolling keeps its place.
class ArtistListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    // Whether row 0 is "All artists".
    Q_PROPERTY(bool allRow READ allRow WRITE setAllRow NOTIFY allRowChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // The number of artists ("All artists" not counted), for the column header.
    Q_PROPERTY(int artistCount READ artistCount NOTIFY countChanged)

public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        // The lower-cased name; empty for "All artists".
        KeyRole,
        AlbumCountRole,
        SongCountRole,
        // The artwork of the artist's first album (empty without one).
        ArtworkRole,
        IsAllRole,
    };
    Q_ENUM(Role)

    static inline const QString allName = QStringLiteral("All artists");

    explicit ArtistListModel(QObject* parent = nullptr);

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    bool allRow() const { return m_allRow; }
    void setAllRow(bool on);
    int count() const { return rowCount(); }
    int artistCount() const { return int(m_artists.size()); }
    const QList<Artist>& artists() const { return m_artists; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The row of an artist by name, whatever its letter case; -1 when it has none.
    Q_INVOKABLE int rowOf(const QString& name) const;
    Q_INVOKABLE QString nameAt(int row) const;
    // The position of an artist in a list in the library's order, by name whatever its letter case; -1
    // when the list has none of that name.
    static int positionOf(const QList<Artist>& artists, const QString& name);

signals:
    void libraryChanged();
    void allRowChanged();
    void countChanged();

private:
    void artistsChanged();
    int offset() const { return m_allRow ? 1 : 0; }

    QPointer<LibraryStore> m_library;
    QMetaObject::Connection m_connection;
    bool m_allRow = false;
    QList<Artist> m_artists;
};
