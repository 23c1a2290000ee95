import QtQuick
import Velto.Shell
import Velto.NowPlaying

// Where Mixview lies: always dark, fading in and out with the page's entrance motion. A change from one
// seed to another keeps the same view, which re-centres itself. Closed, the view goes, so that opening
// Mixview again starts a new one.
Item {
    id: slot
    property bool shown: false
    // Another view in Mixview's place; Mixview's own when none is given.
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
        sourceComponent: slot.view ? slot.view : mixview
    }
    Component {
        id: mixview
        MixviewView {
            objectName: "mixviewView"
            backButton: Component {
                BackButton { size: 26 }
            }
        }
    }
}
