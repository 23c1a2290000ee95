import QtQuick
import QtQuick.Shapes
import QtQuick.Templates as T
import Velto.Shell

// A dashed square that adds something. Only the slot that adds shows the plus and its label; the others keep
// the row's places and are hidden from screen readers.
T.AbstractButton {
    id: slot
    property string label
    property bool adds: false
    readonly property bool live: adds && enabled

    implicitWidth: 112
    implicitHeight: column.implicitHeight
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: label
    Accessible.ignored: !adds

    Column {
        id: column
        spacing: 8
        Item {
            width: 112
            height: 112
            Rectangle {
                anchors.fill: parent
                color: slot.Theme.primary
                opacity: slot.hovered && slot.enabled ? 0.06 : 0
                Behavior on opacity {
                    NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
            // Drawn inside the square: the line's middle runs 0.75 in from each edge.
            Shape {
                objectName: "dashes"
                anchors.fill: parent
                opacity: slot.live ? 1 : 0.35
                ShapePath {
                    strokeWidth: 1.5
                    strokeColor: slot.Theme.border
                    fillColor: "transparent"
                    strokeStyle: ShapePath.DashLine
                    // Dashes and gaps of 4, counted in stroke widths.
                    dashPattern: [4 / 1.5, 4 / 1.5]
                    startX: 0.75
                    startY: 0.75
                    PathLine { x: 112 - 0.75; y: 0.75 }
                    PathLine { x: 112 - 0.75; y: 112 - 0.75 }
                    PathLine { x: 0.75; y: 112 - 0.75 }
                    PathLine { x: 0.75; y: 0.75 }
                }
            }
            Symbol {
                anchors.centerIn: parent
                visible: slot.live
                width: 22
                height: 22
                size: 22
                name: "plus"
                color: slot.hovered ? slot.Theme.primary : slot.Theme.soft
            }
        }
        Text {
            width: 112
            text: slot.live ? slot.label : " "
            font: slot.Theme.row
            color: slot.hovered ? slot.Theme.primary : slot.Theme.muted
            elide: Text.ElideRight
            Accessible.ignored: true
        }
    }
    PressStyle { pressScale: 0.92 }
}
