#include "ArtistArt.h"

#include "library/LibraryStore.h"

QUrl ArtistArt::albumArtwork(LibraryStore* library, const QString& name, int) {
    if (!library) return {};
    const std::optional<Artist> artist = library->artist(name);
    if (!artist || artist->albums.isEmpty()) return {};
    const std::optional<FileUrl> url = artist->albums.first().artworkURL();
    return url ? url->toUrl() : QUrl();
}
