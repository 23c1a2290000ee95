pragma ComponentBehavior: Bound
import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell
import Velto.Collection

// An artist's picture: the one the user chose, else the artwork of the artist's first album, else the
// artist placeholder; cropped keeping its top edge, cut to a circle when `round`. It fills the frame the
// caller gives it.
Item {
    id: artistPicture
    property string name
    property bool round: true
    readonly property string userPicture: ArtworkCache.artistSource(name, ArtworkCache.revision + revisions.pictures)
    readonly property url albumArtwork: ArtistArt.albumArtwork(Stores.library, name, revisions.library)

    Accessible.role: Accessible.Graphic
    Accessible.name: name

    QtObject {
        id: revisions
        // Counts the library's changes, so the lookup runs again when albums come or go.
        property int library: 0
        // Counts the user's picture changes: one set, replaced or removed shows at once.
        property int pictures: 0
        readonly property Connections watchLibrary: Connections {
            target: Stores.library
            function onAlbumsChanged() { revisions.library++ }
        }
        readonly property Connections watchPictures: Connections {
            target: Stores.pictures
            function onArtistsChanged() { revisions.pictures++ }
            function onPictureFileChanged() { revisions.pictures++ }
        }
    }

    Artwork {
        id: art
        anchors.fill: parent
        url: String(artistPicture.albumArtwork) !== "" ? artistPicture.albumArtwork : ""
        picture: artistPicture.userPicture
        kind: "artist"
        alignment: Qt.AlignTop
        layer.enabled: artistPicture.round
        layer.smooth: true
        layer.effect: OpacityMask {
            maskSource: Rectangle {
                width: art.width
                height: art.height
                radius: Math.min(width, height) / 2
            }
        }
    }
}
