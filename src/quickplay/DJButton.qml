import QtQuick
import QtQuick.Controls as C
import QtQuick.Templates as T
import Velto.Shell
import Velto.Quickplay

// A round button of a lit Smart DJ tile: a white emblem, on a faint white disc while hovered; only the
// circle takes clicks.
T.AbstractButton {
    id: button
    property string label
    property real size: 28
    property int mark: DJMark.SmartDJ

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
    Accessible.name: label
    C.ToolTip.text: label
    C.ToolTip.visible: hovered
    C.ToolTip.delay: 700

    contentItem: Item {
        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: "white"
            opacity: button.hovered ? 0.22 : 0
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        DJMark {
            anchors.fill: parent
            kind: button.mark
            color: "white"
            Accessible.ignored: true
        }
    }
    PressStyle { pressScale: 0.92 }
}
