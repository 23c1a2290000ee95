#pragma once

#include "library/FileUrl.h"
#include "library/Song.h"

#include <QList>
#include <functional>
#include <optional>

// The cover of a playlist: the covers of its first four albums in song order.
namespace PlaylistCover {

// The library's artwork address of the album with an identity (its chosen cover, else its first song's
// file), or none when the library has no such album or it has no address.
using AlbumArtwork = std::function<std::optional<FileUrl>(const QString& albumID)>;

// At most four addresses, one per album, in the order the albums first appear among the songs. A song whose
// album the library does not know (or that has no address) stands for its album with its own file.
QList<FileUrl> urls(const QList<Song>& songs, const AlbumArtwork& albumArtwork);

} // namespace PlaylistCover
