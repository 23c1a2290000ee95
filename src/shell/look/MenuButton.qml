import QtQuick
import QtQuick.Templates as T
import Velto.Shell

// The lower-case text buttons of the header and the page menus.
T.AbstractButton {
    id: button
    property string title
    property real size: 12
    property bool selected: false
    readonly property color tint: selected || hovered ? button.Theme.primary : button.Theme.muted

    hoverEnabled: true
    implicitWidth: contentItem.implicitWidth
    implicitHeight: contentItem.implicitHeight
    Accessible.name: title
    Accessible.selected: selected
    contentItem: Caps {
        text: button.title
        size: button.size
        color: button.tint
        Behavior on color {
            ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
    PressStyle { pressScale: Motion.menuButtonScale }
}
