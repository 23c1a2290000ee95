#pragma once

#include "SongListModel.h"

#include <QHash>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include "library/LibraryStore.h"

// The artist page's most played songs: at most five of the artist's songs played at least once, most
// plays first. The rows follow the play counts; a row plays the shown list, not the artist's catalogue.
class ArtistMostPlayed : public SongListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    Q_PROPERTY(QString artist READ artist WRITE setArtist NOTIFY artistChanged)

public:
    static constexpr int limit = 5;

    explicit ArtistMostPlayed(QObject* parent = nullptr);

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    QString artist() const { return m_artist; }
    void setArtist(const QString& name);

    // The songs with at least one play, by plays (most first), then title in plain order (capitals before
    // small letters), each tie kept in the artist's order; the first `limit`.
    static QList<Song> choose(const QList<Song>& songs, const QHash<QString, int>& playCounts);

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_songs.size());
    }
    const Song& songAt(int row) const override { return m_songs.at(row); }
    qint64 numberAt(int row) const override { return row + 1; }
    // "Album · 3 plays".
    Q_INVOKABLE QString subtitleAt(int row) const;

signals:
    void libraryChanged();
    void artistChanged();

private:
    void refresh();

    QPointer<LibraryStore> m_library;
    QString m_artist;
    QList<Song> m_songs;
    QMetaObject::Connection m_libraryConnection, m_playsConnection;
};
