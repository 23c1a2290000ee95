#pragma once

#include "library/Song.h"

#include <QList>
#include <QSet>
#include <QString>
#include <functional>

class LibraryStore;
class PlayerMusic;
class PlaylistStore;
struct LikesAndPlays;

// What a sync would put on the pocket player: which songs go on (and which of those are converted to AAC
// on the way), which don't fit, and which the player can't play. A value worked out whole from the songs,
// the player's music space and the sync settings; nothing here touches a device.
struct SyncPlan {
    QList<Song> going;       // in album order
    QSet<FileUrl> converted; // the songs of `going` that are converted to AAC
    QList<Song> left;        // would go on but don't fit, in album order
    QList<Song> unplayable;  // the player can't play them and converting is off, in album order
    qint64 bytes = 0;        // of `going` on the player, converted songs at their estimate
    qint64 leftBytes = 0;    // of `left`, the same way

    // How often a song was played; asked only when the player fills most-played first.
    using Plays = std::function<qint64(const Song&)>;

    // The songs the "sync.music" setting sends to the player: "all" is the library in its own order,
    // "choose" the songs of the user's picks; any other text (also "none") sends nothing. The picks may
    // name automatic playlists, whose songs come from the likes and play counts.
    static QList<Song> songs(const QString& music, const LibraryStore& library,
                             const PlaylistStore& playlists, const PlayerMusic& picks,
                             const LikesAndPlays& likesAndPlays);

    // `whenFull` "skip" fills most-played first and passes over what doesn't fit; every other text stops at
    // the first song that doesn't fit. `quality` is the AAC bit rate in kbit/s.
    static SyncPlan make(const QList<Song>& songs, qint64 capacity, const QString& whenFull, bool convert,
                         qint64 quality, const Plays& plays);

    // The lower-case extensions the player plays as they are.
    static const QSet<QString>& playable();
    static bool isPlayable(const Song& song);
    // The song's size on the player: its own bytes when the player plays it, else its AAC estimate.
    static qint64 size(const Song& song, qint64 quality);
    // duration × quality × 125 bytes, kept within [0, 2⁶³−1]: the quality comes from a file the user can
    // edit, and a negative or huge value must neither make room on the player nor overflow.
    static qint64 estimate(double duration, qint64 quality);

    bool isEmpty() const { return going.isEmpty() && left.isEmpty() && unplayable.isEmpty(); }

    friend bool operator==(const SyncPlan&, const SyncPlan&) = default;
};
