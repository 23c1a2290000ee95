pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.NowPlaying

// The Mixview page: the map of the open seed over a nearly opaque dark backdrop with a faint watermark and
// a small header. The controller decides the map, the motion and what clicks and keys do; this draws it.
Item {
    id: view
    // The window's back button; the page leaves the place empty without one.
    property Component backButton: null
    readonly property MixviewController controller: mixController

    Accessible.role: Accessible.Pane
    Accessible.name: "Mixview"

    MixviewController {
        id: mixController
        app: Stores.app
        library: Stores.library
        player: Stores.player
        pictures: Stores.pictures
        relations: Stores.relations
        width: map.width
        height: map.height
        reduceMotion: Motion.reduceMotion
    }

    // A click anywhere off the tiles asks to close.
    Rectangle {
        objectName: "mixBackdrop"
        anchors.fill: parent
        color: Qt.rgba(14 / 255, 14 / 255, 14 / 255, 0.95)
        Accessible.ignored: true
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onClicked: mixController.requestClose()
        }
    }

    Text {
        objectName: "mixWatermark"
        anchors { right: parent.right; rightMargin: 24 }
        y: 40
        text: "mixview"
        font.pixelSize: 110
        font.weight: Font.Light
        color: Qt.rgba(1, 1, 1, 0.05)
        Accessible.ignored: true
    }

    Item {
        id: map
        objectName: "mixMap"
        anchors.fill: parent
        Repeater {
            id: tiles
            model: mixController.tiles
            delegate: MixTile {
                controller: mixController
            }
        }
    }

    Row {
        objectName: "mixHeader"
        x: 34
        y: 38
        spacing: 12
        Loader {
            anchors.verticalCenter: parent.verticalCenter
            sourceComponent: view.backButton
        }
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 1
            height: 16
            color: view.Theme.track
        }
        MenuButton {
            objectName: "exitMixview"
            anchors.verticalCenter: parent.verticalCenter
            title: "exit mixview"
            size: 13
            // A click must not leave it holding the keyboard: Space stays play and pause.
            focusPolicy: Qt.NoFocus
            onClicked: mixController.requestClose()
        }
    }

    // The page's keys, asked after the focused control and before the window's own Space and Escape.
    KeyLayer {
        kind: KeyLayer.Page
        active: Stores.app.mixviewOpen
        onPressed: event => {
            if (mixController.menuKey(event.key, event.modifiers)) {
                const id = mixController.menuTile();
                const item = tiles.itemAt(mixController.rowOf(id));
                if (item) mixController.openKeyMenu(id, item);
                event.accepted = true;
                return;
            }
            event.accepted = mixController.key(event.key, event.modifiers);
        }
    }

    Component.onCompleted: mixController.appear()
}
