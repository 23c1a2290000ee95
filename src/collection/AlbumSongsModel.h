#pragma once

#include "SongListModel.h"
#include "library/Album.h"

#include <QPointer>
#include <QtQml/qqmlregistration.h>

class LibraryStore;

// The songs of one album in album order, for its detail column: each row's number is its track number, a
// row starts a disc ("disc 2") only when the album has several disc numbers, and a row names its artist
// when it differs from the album's (letter case aside).
class AlbumSongsModel : public SongListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by AlbumDetail")
public:
    enum ExtraRole { DiscRole = SongRole + 100, SubtitleRole };

    explicit AlbumSongsModel(QObject* parent = nullptr) : SongListModel(parent) {}

    // Another album replaces the rows; the same album with the same songs only changes them.
    void setAlbum(const Album& album);
    void setLibrary(LibraryStore* library) { m_library = library; }
    const Album& album() const { return m_album; }

    // The heading above a song: "disc N" for a song of a several-disc album; empty otherwise.
    static QString discHeading(const Album& album, const Song& song);
    // The second line of a row: the song's artist when it is not the album's, compared lower-cased.
    static QString subtitle(const Album& album, const Song& song);

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_album.songs.size());
    }
    const Song& songAt(int row) const override { return m_album.songs.at(row); }
    qint64 numberAt(int row) const override { return m_album.songs.at(row).track; }
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

protected:
    LibraryStore* editedLibrary() const override { return m_library; }

private:
    Album m_album;
    bool m_severalDiscs = false;
    QPointer<LibraryStore> m_library;
};
