import QtQuick
import QtQuick.Templates as T
import Velto.Shell
import Velto.Kit

// A colour swatch of the player settings page: the finish's gradient in a 22-px circle inside a 28-px one
// that takes the click and is ringed while it is the chosen colour. No hover effect of its own.
T.AbstractButton {
    id: swatch
    property var finish
    property bool selected: false

    implicitWidth: 28
    implicitHeight: 28
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    containmentMask: CapsuleMask { width: swatch.width; height: swatch.height }
    HoverHint.text: finish ? finish.name : ""
    HoverHint.hovering: hovered
    Accessible.role: Accessible.Button
    Accessible.name: finish ? finish.name : ""
    Accessible.selected: selected
    Accessible.checkable: true
    Accessible.checked: selected

    contentItem: Item {
        Rectangle {
            objectName: "swatchColour"
            x: 3
            y: 3
            width: 22
            height: 22
            radius: 11
            gradient: Gradient {
                GradientStop { position: 0; color: swatch.finish ? swatch.finish.top : "transparent" }
                GradientStop { position: 1; color: swatch.finish ? swatch.finish.bottom : "transparent" }
            }
            border.width: 1
            border.color: swatch.Theme.ring
        }
        Rectangle {
            objectName: "swatchRing"
            anchors.fill: parent
            radius: width / 2
            color: "transparent"
            border.width: 1.5
            border.color: swatch.selected ? swatch.Theme.primary : "transparent"
        }
    }
}
