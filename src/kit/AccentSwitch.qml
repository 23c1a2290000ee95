import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// An on/off switch whose track takes the accent when on. The visible title belongs to the settings row
// around it; `label` names it for screen readers. A click flips `isOn`; callers follow `toggled`.
T.AbstractButton {
    id: control
    property string label
    property alias isOn: control.checked

    checkable: true
    implicitWidth: 46
    implicitHeight: 26
    focusPolicy: Qt.NoFocus
    containmentMask: CapsuleMask { width: control.width; height: control.height }
    Accessible.role: Accessible.CheckBox
    Accessible.name: label
    Accessible.description: isOn ? "On" : "Off"
    Accessible.checkable: true
    Accessible.checked: isOn

    background: Item {
        // The off track and the accent track cross-fade, so the colour changes with the knob's slide.
        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: control.Theme.track
        }
        Rectangle {
            objectName: "accentTrack"
            anchors.fill: parent
            radius: height / 2
            opacity: control.isOn ? 1 : 0
            gradient: AccentGradient {}
            Behavior on opacity {
                NumberAnimation { duration: 150; easing.type: Easing.OutQuad }
            }
        }
        Rectangle {
            objectName: "knob"
            x: control.isOn ? control.width - width - 3 : 3
            y: 3
            width: 20
            height: 20
            radius: 10
            color: "white"
            Behavior on x {
                NumberAnimation { duration: 150; easing.type: Easing.OutQuad }
            }
        }
    }
}
