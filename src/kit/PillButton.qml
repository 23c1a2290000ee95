import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// A capsule with a short command in capitals. Outlined ones fill while the pointer is on them; filled ones
// darken. Only the capsule takes clicks.
T.AbstractButton {
    id: button
    property string title
    property bool filled: false
    property color color: Theme.primary
    readonly property pillLook look: Controls.pillLook(filled, hovered, color, Theme.inverse)

    implicitWidth: contentItem.implicitWidth + 2 * 16
    implicitHeight: 30
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    containmentMask: CapsuleMask { width: button.width; height: button.height }
    Accessible.role: Accessible.Button
    Accessible.name: title

    background: Rectangle {
        radius: height / 2
        color: button.look.fill
        border.width: 1.5
        border.color: button.look.border
        Behavior on color {
            ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
    contentItem: Caps {
        text: button.title
        size: 11
        color: button.look.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        Behavior on color {
            ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
    PressStyle { pressScale: 0.92 }
}
