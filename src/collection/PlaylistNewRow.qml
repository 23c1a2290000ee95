import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The top of the playlists list, scrolling with it: the "New playlist" row, or the name field while a new
// playlist is being named. Picks dropped on the row make a playlist of them. The list makes it from this
// file as its header (this Qt's list views cannot make a header bound to another file's scope) and sets
// `page` and the column's width once it is there.
Item {
    id: top
    property PlaylistPage page
    readonly property bool naming: page !== null && page.naming
    readonly property bool dropping: page !== null && page.droppingOnNew

    // The row and 4 px of space below it.
    height: 32

    Loader {
        id: namingLoader
        width: parent.width
        active: top.naming
        source: "PlaylistNameField.qml"
        onLoaded: {
            const field = namingLoader.item as PlaylistNameField
            field.font = top.Theme.row
            field.submit.connect(top.page.createFromDraft)
            field.page = top.page
        }
    }

    Item {
        id: newRow
        objectName: "newPlaylistRow"
        visible: top.page !== null && !top.naming
        width: parent.width
        height: 28
        readonly property color ink: top.dropping ? top.Theme.accentText : top.Theme.soft
        Accessible.role: Accessible.Button
        Accessible.name: newText.text
        Accessible.onPressAction: top.page.startNaming()
        HoverHint.text: "New Playlist (Ctrl+Shift+N), or drop music here to make one of it"
        HoverHint.hovering: newHover.hovered
        Rectangle {
            anchors.fill: parent
            anchors.leftMargin: -8
            anchors.rightMargin: -8
            color: top.Theme.accentFrom
            opacity: top.dropping ? 0.16 : 0
            border.width: top.dropping ? 2 : 0
            border.color: top.Theme.accentFrom
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        HoverRow { id: newHover }
        Row {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8
            Symbol {
                anchors.verticalCenter: parent.verticalCenter
                width: 12
                height: 12
                size: 10
                name: "plus"
                color: newRow.ink
            }
            Text {
                id: newText
                objectName: "newPlaylistText"
                text: top.dropping ? "New playlist of these" : "New playlist"
                font: top.Theme.row
                color: newRow.ink
            }
        }
        TapHandler { onTapped: top.page.startNaming() }
        DropArea {
            anchors.fill: parent
            keys: [Picks.mimeType()]
            onEntered: top.page.droppingOnNew = true
            onExited: top.page.droppingOnNew = false
            onDropped: (drop) => {
                top.page.droppingOnNew = false
                const taken = top.page.makePlaylist(SongRows.picksOf(drop.getDataAsString(Picks.mimeType())))
                drop.accepted = taken
                if (taken) drop.acceptProposedAction()
            }
        }
    }
}
