import QtQuick
import Velto.Shell
import Velto.Kit

// Where dropped picks will land: a ring and a bar in the accent, centred in the 26-point gap above a row.
Item {
    id: line
    property bool shown: false
    x: -8
    y: 9
    width: parent ? parent.width + 16 : 0
    height: 8
    opacity: shown ? 1 : 0
    enabled: false
    Behavior on opacity {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }
    Rectangle {
        id: ring
        width: 8
        height: 8
        radius: 4
        color: "transparent"
        border.width: 2
        border.color: line.Theme.accentFrom
    }
    Rectangle {
        anchors.left: ring.right
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        height: 2
        gradient: AccentGradient {}
    }
}
