import QtQuick
import Velto.Kit
import Velto.Playback
import Velto.Shell

// The Now Playing volume: the volume in words over a short bar. Dragging sideways moves the volume from
// where it was (140 px span the whole range), a click mutes or unmutes, the wheel steps it.
Item {
    id: readout
    property Player player: Stores.player
    property color color: Theme.secondary
    readonly property real volume: player ? player.volume : 0
    // The volume when the current drag began; NaN while no drag is under way.
    property real dragFrom: NaN
    readonly property bool dragging: !isNaN(dragFrom)
    readonly property bool active: area.containsMouse || dragging
    readonly property color tint: volume <= 0 ? Theme.accentText : (active ? Theme.primary : color)

    implicitWidth: Math.max(label.implicitWidth, 56)
    implicitHeight: column.implicitHeight + 8
    Accessible.role: Accessible.Slider
    Accessible.name: "Volume"
    Accessible.description: VolumeRules.readoutAccessibleValue(volume)
    Accessible.onIncreaseAction: player.volume = VolumeRules.stepped(volume, 1)
    Accessible.onDecreaseAction: player.volume = VolumeRules.stepped(volume, -1)
    // Its named action ("Mute" or "Unmute") is what a click does.
    Accessible.onPressAction: player.toggleMute()
    HoverHint.text: "Scroll or drag to set · click to mute"
    HoverHint.hovering: area.containsMouse && !dragging

    Column {
        id: column
        y: 4
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 3
        DigitsText {
            id: label
            objectName: "volumeText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: readout.player ? readout.player.volumeText : ""
            font: Qt.font({ family: "Inter", pixelSize: 10, weight: Font.DemiBold,
                            capitalization: Font.AllUppercase })
            color: readout.tint
            Accessible.ignored: true
        }
        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 56
            height: 2
            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                width: 56
                height: readout.active ? 2 : 1.5
                color: readout.Theme.primary
                opacity: readout.active ? 0.3 : 0.18
            }
            Rectangle {
                objectName: "level"
                anchors.verticalCenter: parent.verticalCenter
                width: 56 * readout.volume
                height: readout.active ? 2 : 1.5
                gradient: AccentGradient {}
            }
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        preventStealing: true
        property point pressedAt
        onPressed: mouse => pressedAt = Qt.point(mouse.x, mouse.y)
        onPositionChanged: mouse => {
            if (!pressed)
                return;
            const dx = mouse.x - pressedAt.x;
            if (!readout.dragging && !VolumeRules.readoutDragging(dx, mouse.y - pressedAt.y))
                return;
            if (!readout.dragging)
                readout.dragFrom = readout.volume;
            readout.player.volume = VolumeRules.readoutVolume(readout.dragFrom, dx);
        }
        onReleased: {
            if (readout.dragging)
                readout.dragFrom = NaN;
            else
                readout.player.toggleMute();
        }
        onCanceled: readout.dragFrom = NaN
        onWheel: wheel => {
            readout.player.volume = VolumeRules.afterWheel(readout.volume, wheel.pixelDelta, wheel.angleDelta,
                                                           wheel.inverted);
            wheel.accepted = true;
        }
    }
}
