import QtQuick
import Velto.Shell

// A playlist's cover: a mosaic of its first four albums' covers, the first album's cover alone when there
// are fewer (or one of the four has none), the playlist placeholder when there is nothing to show.
Item {
    id: root

    // The addresses PlaylistCover::urls gives for the playlist's songs, in order.
    property var urls: []
    readonly property alias showsPicture: art.showsPicture

    Artwork {
        id: art
        anchors.fill: parent
        kind: "playlist"
        picture: root.urls && root.urls.length > 0 ? ArtworkCache.mosaicSource(root.urls, ArtworkCache.revision) : ""
    }
}
