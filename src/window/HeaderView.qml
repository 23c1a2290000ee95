pragma ComponentBehavior: Bound
import QtQuick
import Velto.Kit
import Velto.Shell

// The strip across the top of every page but Now Playing: Back over the three page buttons on the left;
// settings, the user's first name and the accent avatar on the right. Its empty space moves the window and
// a double click maximises it, as the top band does.
Item {
    id: header
    readonly property AppModel app: Stores.app
    // It lies under the 30-px top band: the back button stands 38 px below the window's top.
    property real topPadding: 8

    implicitHeight: topPadding + Math.max(left.implicitHeight, right.implicitHeight)

    DragHandler {
        target: null
        grabPermissions: PointerHandler.CanTakeOverFromAnything
        onActiveChanged: if (active && header.Window.window) header.Window.window.startSystemMove()
    }
    TapHandler {
        onDoubleTapped: {
            const w = header.Window.window;
            if (!w) return;
            header.Window.visibility === Window.Maximized ? w.showNormal() : w.showMaximized();
        }
    }

    Column {
        id: left
        x: 34
        y: header.topPadding
        spacing: 10

        BackButton {
            objectName: "back"
            size: 26
        }
        Row {
            spacing: 12
            Repeater {
                model: [
                    { title: "quickplay", page: Nav.Page.quickplay },
                    { title: "collection", page: Nav.Page.collection },
                    { title: "my player", page: Nav.Page.playerSummary }
                ]
                delegate: MenuButton {
                    required property var modelData
                    objectName: "header " + modelData.title
                    anchors.verticalCenter: parent ? parent.verticalCenter : undefined
                    title: modelData.title
                    size: 13
                    selected: FrameRules.selected(modelData.title, header.app.page)
                    onClicked: header.app.go(modelData.page)
                }
            }
        }
    }

    Row {
        id: right
        anchors { right: parent.right; rightMargin: 28 }
        y: header.topPadding
        spacing: 18

        MenuButton {
            objectName: "header settings"
            anchors.verticalCenter: parent.verticalCenter
            title: "settings"
            size: 10
            selected: FrameRules.selected("settings", header.app.page)
            onClicked: header.app.go(Nav.Page.settings)
        }
        Caps {
            objectName: "firstName"
            anchors.verticalCenter: parent.verticalCenter
            text: FrameRules.firstName
            size: 13
            color: header.Theme.secondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Rectangle {
            objectName: "avatar"
            anchors.verticalCenter: parent.verticalCenter
            width: 40
            height: 40
            color: header.Theme.accentFrom
            Accessible.role: Accessible.Graphic
            Accessible.name: FrameRules.firstName
            Symbol {
                anchors.centerIn: parent
                width: 18
                height: 18
                size: 18
                name: "person"
                color: "white"
            }
        }
    }
}
