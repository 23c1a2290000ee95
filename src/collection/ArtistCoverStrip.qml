pragma ComponentBehavior: Bound
import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell
import Velto.Collection

// The hero without a picture of the artist: the artist's newest covers side by side at the trailing edge,
// over a blurred, saturated copy of the newest, the leftmost fading in from the left. The blur is made once
// for the cover and kept; only the covers' slow zoom moves.
Item {
    id: strip
    property ArtistPageModel model
    property bool drift: false
    readonly property var albums: model ? model.stripAlbums(width, height, revision) : []
    // Asks for the strip again when the artist's albums change.
    property int revision: 0
    readonly property string backdropArt: albums.length > 0 ? albums[albums.length - 1].artwork : ""
    clip: true

    Connections {
        target: strip.model
        function onChanged() { strip.revision++ }
    }

    Item {
        id: backdropSource
        width: strip.width
        height: strip.height
        visible: false
        Artwork {
            anchors.fill: parent
            url: strip.backdropArt
            kind: "album"
        }
    }
    FastBlur {
        id: blurred
        anchors.fill: backdropSource
        source: backdropSource
        radius: 46
        cached: true
        visible: false
    }
    HueSaturation {
        anchors.fill: backdropSource
        source: blurred
        saturation: 0.3
        cached: true
        scale: 1.5
        opacity: 0.85
    }

    Row {
        id: covers
        objectName: "coverStrip"
        anchors.right: parent.right
        height: strip.height
        transformOrigin: Item.Right
        layer.enabled: true
        layer.effect: OpacityMask {
            maskSource: Rectangle {
                width: covers.width
                height: covers.height
                gradient: Gradient {
                    orientation: Gradient.Horizontal
                    GradientStop { position: 0; color: "transparent" }
                    GradientStop { position: Math.min(0.6 / Math.max(1, strip.albums.length), 0.5); color: "black" }
                    GradientStop { position: 1; color: "black" }
                }
            }
        }
        Repeater {
            model: strip.albums
            delegate: Artwork {
                required property var modelData
                width: strip.height
                height: strip.height
                url: modelData.artwork
                kind: "album"
            }
        }
        SequentialAnimation on scale {
            running: strip.drift
            loops: Animation.Infinite
            NumberAnimation { to: 1.06; duration: 30000; easing.type: Easing.InOutQuad }
            NumberAnimation { to: 1; duration: 30000; easing.type: Easing.InOutQuad }
        }
    }
}
