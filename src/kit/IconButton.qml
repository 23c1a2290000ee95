import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// A bare symbol for tight rows of tools, in a 30 by 44 frame that takes clicks as a whole.
T.AbstractButton {
    id: button
    property string symbol
    property var isOn: undefined
    property string label
    readonly property string accessibleValue: Controls.accessibleValue(isOn)
    readonly property color tint: Controls.iconColor(hovered, isOn, Theme.primary, Theme.accentText)

    implicitWidth: 30
    implicitHeight: 44
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: label
    Accessible.description: accessibleValue
    Accessible.checkable: isOn !== undefined
    Accessible.checked: isOn === true
    HoverHint.text: Controls.hintText(label, isOn)
    HoverHint.hovering: hovered

    contentItem: Item {
        Symbol {
            anchors.centerIn: parent
            width: 13
            height: 13
            size: 13
            name: button.symbol
            color: button.tint
            Behavior on color {
                ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
    }
    PressStyle { pressScale: 0.92 }
}
