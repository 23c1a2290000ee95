pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls as C
import Velto.Shell
import Velto.Quickplay

// The start page: the pins, new and history half and the Smart DJ half, one in front and the other shrunk
// and faded below it; the library's status line at the foot. While the library has no songs it is the
// empty-library page instead. Every rule lives in the page controller; this file draws it.
FocusScope {
    id: view
    objectName: "quickplayView"

    readonly property bool empty: page.empty
    readonly property QuickplayModel content: QuickplayModel {
        stores: Stores
    }
    readonly property QuickplayPage page: QuickplayPage {
        model: view.content
        defaults: Stores.defaults
        width: area.width
        height: area.height
        reduceMotion: Motion.reduceMotion
    }

    Accessible.role: Accessible.Pane
    Accessible.name: "Quickplay"

    EmptyLibraryView {
        anchors.fill: parent
        visible: view.empty
    }

    // The seeding runs when the page shows and at each change of the number of artists.
    Connections {
        target: Stores.library
        enabled: !view.empty
        function onArtistsChanged() { view.page.seedSmartDJ() }
    }
    onEmptyChanged: if (!empty) page.seedSmartDJ()
    Component.onCompleted: {
        if (!empty) page.seedSmartDJ()
        forceActiveFocus()
    }

    focus: true
    Keys.onPressed: event => {
        event.accepted = !view.empty && view.page.key(event.key, event.modifiers)
    }

    Item {
        id: area
        objectName: "quickplayHalves"
        visible: !view.empty
        width: parent.width
        height: parent.height - (status.visible ? status.height + 6 : 0)
        clip: true

        // The faint page title, above the right end of a full Smart DJ row.
        Text {
            objectName: "quickplayTitle"
            x: (area.width - view.page.titleBox) / 2 + view.page.titleBox - width - 30 * view.page.scale
            y: view.page.titleY
            text: "quickplay"
            font.pixelSize: view.page.titleSize
            font.weight: Font.Light
            color: view.Theme.primary
            opacity: view.page.front === QuickplayHalf.Half.smartDJ ? 0.05 : 0
            Accessible.ignored: true
            Behavior on opacity {
                NumberAnimation { duration: view.page.swapMs; easing: view.page.swap }
            }
        }

        Depth {
            objectName: "collectionHalf"
            half: QuickplayHalf.Half.collection
            name: "pins, new and history"
            CollectionHalf {
                anchors.fill: parent
                page: view.page
                content: view.content
            }
        }
        Depth {
            objectName: "smartDJHalf"
            half: QuickplayHalf.Half.smartDJ
            name: "Smart DJ"
            SmartDJHalf {
                anchors.fill: parent
                page: view.page
                content: view.content
            }
        }
    }

    StatusLine {
        id: status
        x: 34
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 6
        visible: !view.empty && text !== ""
    }

    // A half, in front or pushed back: pushed back it takes no input, shrinks about its top centre and fades,
    // under a cover that brings it forward.
    component Depth: Item {
        id: depth
        required property int half
        required property string name
        default property alias content: holder.data
        readonly property bool far: view.page.front !== half
        readonly property bool hover: cover.hovered

        width: area.width
        height: view.page.halfHeight(half, view.page.scale)
        y: far ? view.page.backTop : view.page.top
        z: far ? 0 : 1
        transformOrigin: Item.Top
        scale: far ? 0.5 : 1
        opacity: far ? 0.55 : 1
        Behavior on y {
            NumberAnimation { duration: view.page.swapMs; easing: view.page.swap }
        }
        Behavior on scale {
            NumberAnimation { duration: view.page.swapMs; easing: view.page.swap }
        }
        Behavior on opacity {
            NumberAnimation { duration: view.page.swapMs; easing: view.page.swap }
        }

        // The hover's share of the far look, on its own curve: 0.5 → 0.52 and 0.32 → 0.55.
        Item {
            id: lean
            anchors.fill: parent
            transformOrigin: Item.Top
            scale: depth.far && depth.hover ? 0.52 / 0.5 : 1
            opacity: depth.far && !depth.hover ? 0.32 / 0.55 : 1
            Behavior on scale {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            Item {
                id: holder
                anchors.fill: parent
                enabled: !depth.far
                Accessible.ignored: depth.far
            }
            C.AbstractButton {
                id: cover
                objectName: "depthCover"
                anchors.fill: parent
                visible: depth.far
                hoverEnabled: true
                focusPolicy: Qt.NoFocus
                background: null
                contentItem: null
                Accessible.role: Accessible.Button
                Accessible.name: "Show " + depth.name
                Accessible.onPressAction: view.page.bringForwardHalf(depth.half)
                C.ToolTip.text: "Show " + depth.name
                C.ToolTip.visible: hovered
                C.ToolTip.delay: 700
                onClicked: view.page.bringForwardHalf(depth.half)
            }
        }
    }
}
