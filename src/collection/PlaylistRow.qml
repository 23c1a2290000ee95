import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Collection

// One playlist in the playlists list: its cover, name and song count. A click shows it; picks dropped on
// a playlist of the user's join it, on "liked songs" are liked; the row that took a drop pulses.
Item {
    id: row
    required property int index
    required property string playlistID
    required property string name
    required property bool own
    required property bool acceptsDrops
    required property bool firstAutomatic
    required property int songCount
    required property string countText
    required property var cover
    required property var pick
    property PlaylistPage page
    property bool listHasFocus: false
    readonly property bool selected: page !== null && page.shownID === playlistID
    readonly property bool landed: page !== null && page.landed === playlistID
    readonly property bool targeted: page !== null && page.dropTarget === playlistID

    // The column's width: the list's margins let the highlights reach 8 px past both sides.
    width: ListView.view ? ListView.view.width - ListView.view.leftMargin - ListView.view.rightMargin : 0
    height: (firstAutomatic ? caption.height + caption.y + 4 : 0) + 42

    // "automatic", above the first automatic playlist: 18 px below the own rows, 8 px without any.
    Caps {
        id: caption
        visible: row.firstAutomatic
        y: row.page && row.page.list.ownCount > 0 ? 18 : 8
        height: row.firstAutomatic ? implicitHeight : 0
        text: "automatic"
        size: 10
        color: row.Theme.faint
    }

    Item {
        id: body
        y: row.height - 42
        width: row.width
        height: 42
        transform: Scale {
            origin.x: 0
            origin.y: 21
            xScale: row.landed ? 1.04 : 1
            yScale: xScale
            Behavior on xScale {
                SpringAnimation { spring: 6; damping: 0.55 }
            }
        }

        Accessible.role: Accessible.Button
        Accessible.name: row.name
        Accessible.description: row.countText
        Accessible.selectable: true
        Accessible.selected: row.selected
        Accessible.onPressAction: row.page.show(row.playlistID)

        // The landing fill, the drop highlight and the selection, reaching past both ends.
        Rectangle {
            anchors.fill: parent
            anchors.leftMargin: -8
            anchors.rightMargin: -8
            gradient: AccentGradient {}
            opacity: row.landed ? 0.4 : 0
            Behavior on opacity {
                NumberAnimation { duration: row.landed ? 220 : 450; easing.type: Easing.OutCubic }
            }
        }
        Rectangle {
            anchors.fill: parent
            anchors.leftMargin: -8
            anchors.rightMargin: -8
            color: row.Theme.accentFrom
            opacity: row.targeted ? 0.16 : 0
            border.width: row.targeted ? 2 : 0
            border.color: row.Theme.accentFrom
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Rectangle {
            anchors.fill: parent
            anchors.leftMargin: -8
            anchors.rightMargin: -8
            color: row.Theme.primary
            opacity: row.selected && row.listHasFocus ? 0.1 : 0
        }
        HoverRow {}

        Row {
            anchors.fill: parent
            spacing: 10
            PlaylistCover {
                anchors.verticalCenter: parent.verticalCenter
                width: 32
                height: 32
                urls: row.cover
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - 32 - 20 - countLabel.width
                text: row.name
                font: row.Theme.row
                color: row.selected ? row.Theme.accentText : row.Theme.soft
                elide: Text.ElideRight
                maximumLineCount: 1
            }
            Text {
                id: countLabel
                anchors.verticalCenter: parent.verticalCenter
                text: row.songCount
                font: row.Theme.detail
                color: row.Theme.faint
            }
        }

        TapHandler {
            acceptedButtons: Qt.LeftButton
            acceptedModifiers: Qt.NoModifier
            onTapped: row.page.select(row.playlistID)
        }
        PickDrag {
            pick: row.pick
        }
        RightClickMenu {
            page: PlaylistRowMenu {
                page: row.page
                playlistID: row.playlistID
            }
        }
        DropArea {
            anchors.fill: parent
            keys: [Picks.mimeType()]
            onEntered: (drag) => {
                if (row.acceptsDrops) row.page.dragOver(row.playlistID, true)
                else drag.accepted = false
            }
            onExited: row.page.dragOver(row.playlistID, false)
            onDropped: (drop) => {
                row.page.dragOver(row.playlistID, false)
                const taken = row.acceptsDrops
                    && row.page.dropOn(SongRows.picksOf(drop.getDataAsString(Picks.mimeType())), row.playlistID)
                drop.accepted = taken
                if (taken) drop.acceptProposedAction()
            }
        }
    }
}
