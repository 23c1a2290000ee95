import QtQuick
import Velto.Kit
import Velto.Shell

// The volume in words under the footer slider ("VOLUME 70", "MUTED"), a little larger while the control
// is in use.
DigitsText {
    id: label
    property real volume: 0
    property string volumeText
    property bool active: false
    property color restColor: Theme.secondary

    text: volumeText
    font: Qt.font({ family: "Inter", pixelSize: 10, weight: Font.DemiBold, capitalization: Font.AllUppercase })
    color: volume <= 0 ? Theme.accentText : (active ? Theme.primary : restColor)
    transformOrigin: Item.Left
    scale: active ? 1.2 : 1
    Accessible.ignored: true
    Behavior on scale {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }
}
