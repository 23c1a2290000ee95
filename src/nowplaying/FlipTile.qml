import QtQuick
import Velto.Shell
import Velto.NowPlaying

// One tile of the cover wall: it fades in once, then turns over like a card whenever it is given another
// picture. Its decisions are its state's; it draws the shown picture, the angle and the fade.
Item {
    id: tile
    required property string itemId
    required property url url
    required property string pictureOf
    required property bool axisX
    required property real introDelay
    required property int span
    property bool flips: true

    FlipTileState {
        id: card
        flips: tile.flips
        introDelay: tile.introDelay
    }
    // A flip changes the row's roles one by one: the item is handed over once all of them are in, so a new
    // id never goes out with the address of the item before it.
    function handOver() {
        card.setItem(tile.itemId, tile.url, tile.pictureOf)
    }
    Timer {
        id: handing
        interval: 0
        onTriggered: tile.handOver()
    }
    onItemIdChanged: handing.restart()
    onUrlChanged: handing.restart()
    onPictureOfChanged: handing.restart()
    Component.onCompleted: tile.handOver()

    Artwork {
        id: art
        anchors.fill: parent
        kind: "album"
        alignment: Qt.AlignTop
        url: String(card.shownUrl) !== "" ? card.shownUrl : undefined
        picture: card.shownPictureOf !== "" ? ArtworkCache.artistSource(card.shownPictureOf, ArtworkCache.revision) : ""
        opacity: 0
        transform: Rotation {
            id: turn
            origin.x: art.width / 2
            origin.y: art.height / 2
            axis { x: tile.axisX ? 1 : 0; y: tile.axisX ? 0 : 1; z: 0 }
            angle: card.angle
            Behavior on angle {
                enabled: card.angleMs > 0
                NumberAnimation { duration: card.angleMs; easing: card.angleEasing }
            }
        }
        states: State {
            when: card.faded
            PropertyChanges { art.opacity: 1 }
        }
        transitions: Transition {
            SequentialAnimation {
                PauseAnimation { duration: card.fadeDelayMs }
                NumberAnimation { property: "opacity"; duration: card.fadeMs; easing.type: Easing.OutQuad }
            }
        }
    }
}
