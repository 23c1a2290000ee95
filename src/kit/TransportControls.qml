import QtQuick
import Velto.Kit
import Velto.Playback
import Velto.Shell

// Previous, play/pause and next, scaled as a group. The buttons are always enabled: the player decides
// what each does with the queue it has.
Row {
    id: transport
    // The size factor of the group (1 gives circles of 26, 36 and 26).
    property real sizeScale: 1
    property Player player: Stores.player
    readonly property bool playing: player ? player.isPlaying : false

    CircleButton {
        objectName: "previous"
        anchors.verticalCenter: parent.verticalCenter
        symbol: "backward.fill"
        size: 26 * transport.sizeScale
        label: "Previous"
        onClicked: transport.player.previous()
    }
    CircleButton {
        objectName: "playPause"
        anchors.verticalCenter: parent.verticalCenter
        symbol: Controls.playSymbol(transport.playing)
        size: 36 * transport.sizeScale
        label: Controls.playLabel(transport.playing)
        onClicked: transport.player.toggle()
    }
    CircleButton {
        objectName: "next"
        anchors.verticalCenter: parent.verticalCenter
        symbol: "forward.fill"
        size: 26 * transport.sizeScale
        label: "Next"
        onClicked: transport.player.next(false)
    }
}
