import QtQuick
import Velto.Kit
import Velto.Shell

// The status line of a settings row: a dot, green while the state is good or active, and a short text.
Item {
    id: status
    property string text
    property bool on: false

    implicitWidth: label.x + label.width
    implicitHeight: label.height
    Accessible.role: Accessible.StaticText
    Accessible.name: text

    Rectangle {
        objectName: "dot"
        width: 6
        height: 6
        radius: 3
        // The text's first baseline lies 1 px above the dot's bottom edge.
        y: label.baselineOffset + 1 - height
        color: status.on ? status.Theme.connected : status.Theme.faint
        Behavior on color {
            ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
    BalancedText {
        id: label
        x: 6 + 7
        text: status.text
        size: 12
        maxWidth: 420
        color: status.on ? status.Theme.soft : status.Theme.secondary
        Accessible.ignored: true
        Behavior on color {
            ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
}
