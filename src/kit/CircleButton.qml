import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// A symbol in a circle, outlined or filled, optionally showing an on/off state. The circle may be small;
// the button always takes clicks in a frame of at least 36 by 44.
T.AbstractButton {
    id: button
    property string symbol
    property real size: 36
    property bool filled: false
    // Undefined for a plain action; true or false for a button that switches something.
    property var isOn: undefined
    property string label
    readonly property string accessibleValue: Controls.accessibleValue(isOn)
    readonly property circleLook look: Controls.circleLook(filled, hovered, isOn, Theme.primary, Theme.inverse,
                                                           Theme.accentText)
    readonly property size hitSize: Controls.circleHitSize(size)

    implicitWidth: hitSize.width
    implicitHeight: hitSize.height
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
        Rectangle {
            anchors.centerIn: parent
            width: button.size
            height: button.size
            radius: width / 2
            color: button.look.disc
            Behavior on color {
                ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            CircleOutline {
                size: button.size
                ringColor: button.look.ring
                Behavior on ringColor {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
            Symbol {
                anchors.centerIn: parent
                width: button.size * 0.36
                height: width
                size: width
                name: button.symbol
                color: button.look.icon
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
        }
    }
    PressStyle { pressScale: 0.92 }
}
