import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Playback
import Velto.Shell

// The footer's volume: a speaker that mutes and unmutes, and a thin slider with the volume in words under
// it. The wheel over it changes the volume and never scrolls what lies beneath.
Item {
    id: control
    property Player player: Stores.player
    property real sliderWidth: 84
    property color labelColor: Theme.secondary
    readonly property real volume: player ? player.volume : 0
    property bool dragging: false
    readonly property bool active: hover.hovered || dragging
    readonly property alias speaker: speaker
    readonly property alias cross: cross

    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight
    Accessible.role: Accessible.Slider
    Accessible.name: "Volume"
    Accessible.description: String(VolumeRules.accessiblePercent(volume))
    Accessible.onIncreaseAction: player.volume = VolumeRules.stepped(volume, 1)
    Accessible.onDecreaseAction: player.volume = VolumeRules.stepped(volume, -1)

    HoverHandler { id: hover }

    Row {
        id: row
        leftPadding: 8
        spacing: 8

        T.AbstractButton {
            id: speaker
            objectName: "speaker"
            width: 22
            height: 44
            hoverEnabled: true
            focusPolicy: Qt.NoFocus
            readonly property color tint: control.volume <= 0 ? Theme.accentText
                                                               : (hovered ? Theme.primary : Theme.soft)
            Accessible.role: Accessible.Button
            Accessible.name: VolumeRules.speakerHint(control.volume)
            HoverHint.text: VolumeRules.speakerHint(control.volume)
            HoverHint.hovering: hovered
            onClicked: control.player.toggleMute()

            Item {
                anchors.fill: parent
                Item {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 18
                    height: 14
                    transformOrigin: Item.Left
                    scale: speaker.hovered && !Motion.reduceMotion ? 1.12 : 1
                    Behavior on scale {
                        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                    }
                    Symbol {
                        objectName: "speakerSymbol"
                        width: 14
                        height: 14
                        size: 14
                        name: VolumeRules.speakerSymbol(control.volume)
                        color: speaker.tint
                    }
                    VolumeCross {
                        id: cross
                        objectName: "cross"
                        anchors.right: parent.right
                        anchors.rightMargin: 1
                        anchors.verticalCenter: parent.verticalCenter
                        color: speaker.tint
                        drawn: control.volume <= 0 ? 1 : 0
                        Behavior on drawn {
                            enabled: !Motion.reduceMotion
                            NumberAnimation { duration: 300; easing.type: Easing.OutQuad }
                        }
                    }
                }
            }
        }

        Item {
            id: slider
            objectName: "slider"
            width: control.sliderWidth
            height: 44
            readonly property real w: Math.max(width, 1)

            Rectangle {
                id: track
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width
                height: control.active ? 3 : 2
                color: control.Theme.primary
                opacity: control.active ? 0.3 : 0.2
            }
            Rectangle {
                objectName: "level"
                anchors.verticalCenter: parent.verticalCenter
                width: slider.w * control.volume
                height: track.height
                gradient: AccentGradient {}
            }
            Rectangle {
                objectName: "knob"
                anchors.verticalCenter: parent.verticalCenter
                x: slider.w * control.volume - 1
                width: 2
                height: control.dragging ? 10 : 7
                color: control.Theme.primary
                opacity: control.active ? 1 : 0
                Behavior on opacity {
                    NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
            VolumeLabel {
                objectName: "volumeLabel"
                y: slider.height / 2 + 14 - height / 2
                volume: control.volume
                volumeText: control.player ? control.player.volumeText : ""
                active: control.active
                restColor: control.labelColor
            }
            MouseArea {
                anchors.fill: parent
                preventStealing: true
                onPressed: mouse => {
                    control.dragging = true;
                    control.player.volume = VolumeRules.sliderVolume(mouse.x, slider.w);
                }
                onPositionChanged: mouse => {
                    if (pressed)
                        control.player.volume = VolumeRules.sliderVolume(mouse.x, slider.w);
                }
                onReleased: control.dragging = false
                onCanceled: control.dragging = false
            }
        }

    }

    // Over the whole control, taking only the wheel: it is accepted so the page beneath does not scroll.
    WheelCatcher {
        anchors.fill: parent
        onTurned: wheel => control.player.volume = VolumeRules.afterWheel(control.volume, wheel.pixelDelta,
                                                                          wheel.angleDelta, wheel.inverted)
    }
}
