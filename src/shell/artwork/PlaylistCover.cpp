#include "PlaylistCover.h"

#include <QSet>

namespace PlaylistCover {

QList<FileUrl> urls(const QList<Song>& songs, const AlbumArtwork& albumArtwork) {
    QList<FileUrl> result;
    QSet<QString> seen;
    for (const Song& song : songs) {
        const QString id = song.albumID();
        if (seen.contains(id)) continue;
        seen.insert(id);
        std::optional<FileUrl> address = albumArtwork ? albumArtwork(id) : std::nullopt;
        result << (address && !address->isEmpty() ? *address : song.url);
        if (result.size() == 4) break;
    }
    return result;
}

} // namespace PlaylistCover
