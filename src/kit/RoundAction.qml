pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// The round button of one hover action: framed (a dark disc in a white ring, over artwork; its hint below)
// or bare (the symbol alone, in rows; its hint above). Only the circle takes clicks.
T.AbstractButton {
    id: button
    property HoverAction hoverAction
    property real size: 26
    property bool bare: false
    readonly property circleLook look: RoundActions.look(bare, hovered, Theme.scrim, Theme.soft)

    implicitWidth: size
    implicitHeight: size
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    containmentMask: QtObject {
        function contains(point: point): bool {
            const r = button.size / 2
            const dx = point.x - button.width / 2
            const dy = point.y - button.height / 2
            return dx * dx + dy * dy <= r * r
        }
    }
    Accessible.role: Accessible.Button
    Accessible.name: hoverAction ? hoverAction.label : ""
    HoverHint.text: hoverAction ? hoverAction.label : ""
    HoverHint.hovering: hovered
    HoverHint.edge: RoundActions.hintBelow(bare) ? HoverHint.Bottom : HoverHint.Top
    onClicked: if (hoverAction) hoverAction.run()

    contentItem: Item {
        Rectangle {
            anchors.centerIn: parent
            width: button.size
            height: button.size
            radius: width / 2
            color: button.look.disc
            border.width: RoundActions.ringWidth(button.bare)
            border.color: button.look.ring
            Behavior on color {
                ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            Symbol {
                anchors.centerIn: parent
                width: RoundActions.iconSize(button.bare, button.size)
                height: width
                size: width
                name: button.hoverAction ? button.hoverAction.symbol : ""
                color: button.look.icon
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
        }
    }
    PressStyle { pressScale: 0.92 }
}
