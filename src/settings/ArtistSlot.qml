pragma ComponentBehavior: Bound
import QtQuick
import Velto.Collection
import Velto.Kit
import Velto.Shell

// An artist's square with its name, and the actions on it over its top trailing corner while the pointer is
// on it: [{symbol, label, run}].
Item {
    id: slot
    property string name
    property var actions: []

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
            Row {
                objectName: "actions"
                anchors.top: parent.top
                anchors.right: parent.right
                anchors.margins: 6
                spacing: 4
                opacity: hover.hovered ? 1 : 0
                Behavior on opacity {
                    NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
                Repeater {
                    model: slot.actions
                    delegate: CircleButton {
                        required property var modelData
                        size: 24
                        filled: true
                        symbol: modelData.symbol
                        label: modelData.label
                        onClicked: modelData.run()
                    }
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
}
