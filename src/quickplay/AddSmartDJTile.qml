import QtQuick
import QtQuick.Templates as T
import Velto.Shell
import Velto.Quickplay

// The tile that adds a Smart DJ artist: it opens a menu of the library's other artists under itself, when
// clicked or when the page's keyboard asks.
T.AbstractButton {
    id: tile
    required property QuickplayPage page
    property bool cursor: false
    readonly property bool lit: hovered || cursor

    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    enabled: choicesCount > 0
    property int choicesCount: 0
    Accessible.role: Accessible.Button
    Accessible.name: "Add an artist to Smart DJ"
    onClicked: page.addingSmartDJ = true
    // The page's `addingSmartDJ` asks for the menu (a click or the keyboard); opening it sets the request
    // back.
    Connections {
        target: tile.page
        function onAddingSmartDJChanged() {
            if (tile.page.addingSmartDJ) tile.page.openAddMenu(tile)
        }
    }
    // The choices change with the library and the Smart DJ list.
    function recount() { choicesCount = page.addChoices().length }
    Component.onCompleted: recount()
    Connections {
        target: tile.page.model
        function onRebuilt() { tile.recount() }
    }

    background: Rectangle {
        color: Qt.alpha(tile.Theme.primary, tile.lit ? 0.12 : 0.07)
        border.width: tile.cursor ? 2 : 1
        border.color: tile.cursor ? tile.Theme.primary
                                  : Qt.alpha(tile.Theme.primary, tile.hovered ? 0.35 : 0.15)
        Behavior on color {
            ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }
    contentItem: Item {
        Column {
            x: 10
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            DJMark {
                width: 40
                height: 40
                kind: DJMark.SmartDJ
                color: tile.Theme.primary
                Accessible.ignored: true
            }
            Item { width: 1; height: 12 }
            Text {
                text: "smart dj mix"
                font: tile.Theme.tileName
                color: tile.Theme.primary
                Accessible.ignored: true
            }
            Caps {
                text: "add an artist"
                size: 10
                color: tile.Theme.soft
                Accessible.ignored: true
            }
        }
    }
}
