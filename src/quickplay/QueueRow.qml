import QtQuick
import Velto.Kit
import Velto.Playback
import Velto.Shell

// One entry of the Up Next panel: the playing mark, the title over the artist, and, under the pointer on
// any row but the playing one, the bare minus that takes the entry out of the queue. A click jumps to it.
Item {
    id: row
    property Player player: Stores.player
    property string title
    property string artist
    property bool playing: false
    property bool played: false
    signal play()
    signal remove()

    readonly property bool hovered: hover.hovered
    readonly property color tint: playing ? Theme.accentText : Theme.primary

    implicitHeight: texts.implicitHeight + 14
    opacity: played && !hovered ? 0.45 : 1
    Behavior on opacity {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }
    Accessible.role: Accessible.Button
    Accessible.name: artist === "" ? title : title + ", " + artist
    Accessible.description: playing ? "Playing" : played ? "Played" : ""
    Accessible.onPressAction: row.play()

    Rectangle {
        anchors.fill: parent
        color: Theme.primary
        opacity: row.playing ? 0.08 : row.hovered ? 0.05 : 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
    Waveform {
        id: wave
        objectName: "waveform"
        anchors.left: parent.left
        anchors.leftMargin: 18
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 11
        visible: row.playing
        running: row.playing && row.player !== null && row.player.isPlaying
        color: row.tint
    }
    Column {
        id: texts
        anchors.left: wave.right
        anchors.leftMargin: 10
        anchors.right: minus.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 1
        Text {
            width: parent.width
            text: row.title
            font: Theme.row
            color: row.tint
            elide: Text.ElideRight
            maximumLineCount: 1
            Accessible.ignored: true
        }
        Caps {
            width: parent.width
            size: 9
            text: row.artist
            color: row.playing ? Theme.accentText : Theme.secondary
            elide: Text.ElideRight
            maximumLineCount: 1
            Accessible.ignored: true
        }
    }
    HoverHandler {
        id: hover
        onHoveredChanged: if (hovered && !row.playing) minus.made = true
    }
    TapHandler {
        onTapped: row.play()
    }
    // Made when first wanted: a long queue has many rows.
    Loader {
        id: minus
        objectName: "removeButton"
        anchors.right: parent.right
        anchors.rightMargin: 18
        anchors.verticalCenter: parent.verticalCenter
        width: 22
        height: 22
        active: made
        opacity: row.hovered && !row.playing ? 1 : 0
        visible: opacity > 0
        property bool made: false
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        sourceComponent: RoundAction {
            size: 22
            bare: true
        }
        Binding {
            target: minus.item
            property: "hoverAction"
            value: removeAction
            when: minus.item !== null
        }
        HoverAction {
            id: removeAction
            symbol: "minus"
            label: "Remove from Up Next"
            onRun: row.remove()
        }
    }
}
