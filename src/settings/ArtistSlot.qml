pragma ComponentBehavior: Bound
import QtQuick
import Velto.Collection
import Velto.Kit
import Velto.Shell

// An artist's square with its name, and the actions on it as round buttons over its top trailing corner
// while the pointer is on it; a right click (or the Menu key) offers the same actions as menu rows.
Item {
    id: slot
    property string name
    property list<HoverAction> actions

    implicitWidth: 112
    implicitHeight: column.implicitHeight
    Accessible.role: Accessible.Grouping
    Accessible.name: name

    HoverHandler { id: hover }

    Column {
        id: column
        spacing: 8
        Rectangle {
            objectName: "picture"
            width: 112
            height: 112
            clip: true
            color: slot.Theme.track
            ArtistPicture {
                anchors.fill: parent
                name: slot.name
                round: false
                Accessible.ignored: true
            }
            HoverActions {
                id: buttons
                objectName: "actions"
                anchors.top: parent.top
                anchors.right: parent.right
                anchors.margins: 6
                size: 24
                opacity: hover.hovered ? 1 : 0
                visible: opacity > 0
                Behavior on opacity {
                    NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
        }
        Text {
            width: 112
            text: slot.name
            font: slot.Theme.row
            color: slot.Theme.primary
            elide: Text.ElideRight
            maximumLineCount: 1
            Accessible.ignored: true
        }
    }

    RightClickMenu {
        page: ActionsMenu { id: menuRows }
    }
    // The one list feeds the buttons and the menu rows. Bindings pass it on: qmllint of Qt 6.4 refuses a
    // list property bound to another module's list property.
    Binding {
        target: buttons
        property: "actions"
        value: slot.actions
    }
    Binding {
        target: menuRows
        property: "actions"
        value: slot.actions
    }
}
