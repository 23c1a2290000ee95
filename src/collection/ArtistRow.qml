pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Collection

// One row of the artist column: the name, and under the pointer the artist's Smart DJ and pin actions, or
// at rest the pin mark of a pinned artist. "All artists" has no actions, menu or drag.
Item {
    id: row
    property string rowName
    property bool all: false
    property bool selected: false
    property bool cursor: false
    readonly property bool hovered: hover.hovered
    // Read again whenever the pins change.
    readonly property bool pinned: !all && Stores.app !== null && Stores.app.pins.length >= 0
                                   && Stores.app.isPinned("artist:" + rowName)
    signal clicked

    implicitHeight: 28

    Accessible.role: Accessible.Button
    Accessible.name: rowName
    Accessible.selectable: true
    Accessible.selected: selected
    Accessible.onPressAction: row.clicked()

    readonly property HoverAction smartDJAction: HoverAction {
        symbol: "dot.radiowaves.left.and.right"
        label: "Smart DJ"
        onRun: {
            Stores.player.smartDJ(row.rowName)
            Stores.app.go(Nav.Page.nowPlaying)
        }
    }
    readonly property HoverAction pinAction: HoverAction {
        symbol: row.pinned ? "pin.slash" : "pin"
        label: row.pinned ? "Unpin from Quickplay" : "Pin to Quickplay"
        onRun: Stores.app.togglePin("artist:" + row.rowName)
    }

    Rectangle {
        anchors.fill: parent
        anchors.leftMargin: -8
        anchors.rightMargin: -8
        color: row.Theme.primary
        opacity: row.cursor ? 0.1 : row.hovered ? 0.06 : 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }

    // Under the name and the actions, so the action buttons take their own clicks.
    PickDrag {
        pick: row.all ? undefined : Picks.artist(row.rowName)
    }
    RightClickMenu {
        page: row.all ? null : menu
        readonly property ArtistMenu menu: ArtistMenu { name: row.rowName }
    }

    Text {
        id: label
        anchors.left: parent.left
        anchors.right: trailing.left
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: row.rowName
        font: row.Theme.row
        color: row.selected ? row.Theme.accentText : row.hovered ? row.Theme.primary : row.Theme.soft
        elide: Text.ElideRight
        maximumLineCount: 1
        Behavior on color {
            ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }

    Item {
        id: trailing
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        width: actions.visible ? actions.width : pin.visible ? pin.width : 0
        height: 22
        Row {
            id: actions
            objectName: "artistRowActions"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 2
            visible: opacity > 0
            opacity: row.hovered && !row.all ? 1 : 0
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            Repeater {
                model: row.all ? [] : [row.smartDJAction, row.pinAction]
                delegate: RoundAction {
                    required property HoverAction modelData
                    hoverAction: modelData
                    size: 22
                    bare: true
                }
            }
        }
        Symbol {
            id: pin
            objectName: "pinnedMark"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: !actions.visible && row.pinned
            width: 11
            height: 11
            size: 9
            name: "pin.fill"
            color: row.Theme.faint
            Accessible.role: Accessible.Graphic
            Accessible.name: "Pinned"
        }
    }

    HoverHandler {
        id: hover
    }
    TapHandler {
        onTapped: row.clicked()
    }
}
