import QtQuick
import Velto.Shell

// The main window's backdrop: the radial gradient, the plum wash (only visible in the dark), the accent
// tab at the top-left corner and, along the bottom, the light band the window puts in `lightBand`.
Item {
    id: background
    property bool plum: false
    property Component lightBand

    ChromeBackdrop {
        anchors.fill: parent
        dark: background.Theme.dark
    }
    ChromeBackdrop {
        anchors.fill: parent
        dark: background.Theme.dark
        washed: true
        opacity: background.plum ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
        }
    }
    Rectangle {
        objectName: "accentTab"
        x: 0
        y: 44
        width: 9
        height: 52
        gradient: AccentDownGradient {}
    }
    Loader {
        anchors.fill: parent
        sourceComponent: background.lightBand
    }
}
