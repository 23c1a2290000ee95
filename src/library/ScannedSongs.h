#pragma once

#include "Song.h"

#include <QHash>
#include <QList>

// The raw list a collection was derived from (the songs as scanned: album artists not resolved, second
// copies present, no edits), kept as what tells it apart from the derived songs rather than as a copy of
// every song: at 100,000 songs that copy was thirty megabytes held for the whole run. Each raw song is a
// derived song or a second copy with the edits taken off again (their tagged texts give them back), its
// album artist as scanned where the derivation resolved another, and, whole, any song that cannot be told
// that way (a cache that already held tagged texts). Reading it back gives exactly the list given.
struct ScannedSongs {
    // Raw position to song: >= 0 an index into the derived songs, < 0 the complement of an index into the
    // second copies.
    QList<qint32> order;
    QHash<QString, QString> albumArtists; // by path: the album artist as scanned, where it differs
    QHash<QString, Song> whole;           // by path

    // `songs`, `duplicates` and `indexByPath` (path to index into `songs`) are what `raw` derived to.
    static ScannedSongs of(const QList<Song>& raw, const QList<Song>& songs, const QList<Song>& duplicates,
                           const QHash<QString, qsizetype>& indexByPath);

    // The raw list, from the derived songs and second copies it was made with (titles and album names may
    // have been edited since: the edits come off all the same).
    QList<Song> songs(const QList<Song>& songs, const QList<Song>& duplicates) const;
    // One derived song as scanned, with the album artist the derivation resolved: what the edits are laid
    // over.
    Song resolved(const Song& derived) const;

    qsizetype size() const { return order.size(); }
    bool isEmpty() const { return order.isEmpty(); }
};
