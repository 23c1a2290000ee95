#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct Song;
struct Album;
struct Artist;

// What one publication of the collection changed, so that views holding rows of it can update those rows
// instead of starting over. Songs are named by path, albums by identity, artists by lower-cased name; a
// value that is in both lists but differs in any field is "changed".
struct LibraryChange {
    QStringList addedSongs, removedSongs, changedSongs;
    QStringList addedAlbums, removedAlbums, changedAlbums;
    QStringList addedArtists, removedArtists, changedArtists;
    // The collection went from some songs to none (a new music folder, an emptied one).
    bool emptied = false;

    bool songsTouched() const {
        return !addedSongs.isEmpty() || !removedSongs.isEmpty() || !changedSongs.isEmpty();
    }

    static LibraryChange between(const QList<Song>& oldSongs, const QList<Song>& newSongs,
                                 const QList<Album>& oldAlbums, const QList<Album>& newAlbums,
                                 const QList<Artist>& oldArtists, const QList<Artist>& newArtists);
};
