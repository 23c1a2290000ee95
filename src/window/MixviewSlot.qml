import QtQuick
import Velto.Shell

// Where Mixview lies: always dark, fading in and out with the page's entrance motion. A change from one
// seed to another keeps the same view, which re-centres itself.
Item {
    id: slot
    property bool shown: false
    property Component view: null

    Theme.scheme: Theme.Dark
    opacity: shown ? 1 : 0
    visible: opacity > 0
    Behavior on opacity {
        NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
    }
    Loader {
        anchors.fill: parent
        active: slot.visible
        sourceComponent: slot.view
    }
}
