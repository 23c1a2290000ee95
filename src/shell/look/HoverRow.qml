import QtQuick
import Velto.Shell

// Put inside a list row: a faint fill behind it, reaching past both ends, while the pointer is over it.
Item {
    id: effect
    readonly property bool hovered: hover.hovered
    anchors.fill: parent
    z: -1
    HoverHandler { id: hover }
    Rectangle {
        anchors.fill: parent
        anchors.leftMargin: -Motion.rowInset
        anchors.rightMargin: -Motion.rowInset
        color: effect.Theme.primary
        opacity: effect.hovered ? Motion.rowHoverOpacity : 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
}
