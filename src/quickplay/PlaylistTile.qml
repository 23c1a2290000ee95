import QtQuick
import Velto.Shell

// A playlist tile's cover: the mosaic of its first four albums, by the addresses the start page's model
// worked out for the playlist's songs. The picture is asked for by exactly these addresses, so a mosaic
// made for the playlist as it was (or one that arrives late for it) is never drawn: after a change the
// tile shows its placeholder until the new mosaic is ready.
Item {
    id: tile
    // PlaylistCover::urls of the playlist's songs, in order.
    property var urls: []
    readonly property bool showsPicture: cover.showsPicture

    PlaylistCover {
        id: cover
        anchors.fill: parent
        urls: tile.urls
    }
}
