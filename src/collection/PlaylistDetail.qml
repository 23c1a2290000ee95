pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The shown playlist: cover, caption, name (or the rename field), what an automatic playlist holds, the
// facts line, the buttons, then its songs or a note on how to fill it. An own playlist's songs take drops
// anywhere, have a remove action, and move up and down from their menu.
FocusScope {
    id: detail
    property PlaylistPage page
    readonly property bool own: page !== null && page.shownOwn
    readonly property alias songList: songList

    Row {
        id: header
        y: 2
        width: parent.width
        height: 132
        spacing: 18

        PlaylistCover {
            width: 132
            height: 132
            urls: detail.page ? detail.page.cover : []
        }
        Item {
            width: header.width - 132 - 18
            height: 132
            Column {
                width: parent.width
                Caps {
                    text: detail.page ? detail.page.caption : ""
                    size: 10
                    color: detail.Theme.secondary
                }
                Item {
                    width: parent.width
                    height: detail.page && detail.page.renaming ? renameLoader.height + 3 : nameText.height + 3
                    Text {
                        id: nameText
                        objectName: "playlistName"
                        y: 3
                        visible: !(detail.page && detail.page.renaming)
                        width: parent.width
                        text: detail.page ? detail.page.shownName.toLowerCase() : ""
                        font: detail.Theme.heading
                        color: detail.Theme.primary
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                        HoverHint.text: detail.page ? detail.page.renameHint : ""
                        HoverHint.hovering: nameHover.hovered
                        HoverHandler { id: nameHover }
                        TapHandler {
                            onDoubleTapped: if (detail.own) detail.page.startRenaming(detail.page.shownID)
                        }
                    }
                    Loader {
                        id: renameLoader
                        y: 3
                        width: Math.min(420, parent.width)
                        active: detail.page !== null && detail.page.renaming
                        // Loaded by its file: a loader cannot make a component bound to this file's scope.
                        source: "PlaylistNameField.qml"
                        onLoaded: {
                            const field = renameLoader.item as PlaylistNameField
                            field.font = detail.Theme.heading
                            field.submit.connect(detail.page.commitRename)
                            field.page = detail.page
                        }
                    }
                }
                Text {
                    visible: text !== ""
                    topPadding: 6
                    width: parent.width
                    text: detail.page ? detail.page.about : ""
                    font: detail.Theme.row
                    color: detail.Theme.soft
                    wrapMode: Text.Wrap
                }
            }
            Text {
                objectName: "playlistFacts"
                anchors.bottom: parent.bottom
                text: detail.page ? detail.page.facts : ""
                font: detail.Theme.detail
                color: detail.Theme.secondary
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
    }

    Row {
        id: buttons
        anchors.top: header.bottom
        anchors.topMargin: 10
        x: -4
        spacing: 4
        Row {
            spacing: 4
            enabled: detail.page !== null && detail.page.hasSongs
            opacity: enabled ? 1 : 0.35
            CircleButton {
                objectName: "playlistPlay"
                symbol: "play.fill"
                size: 30
                filled: true
                label: "Play"
                onClicked: detail.page.play()
            }
            CircleButton {
                symbol: "shuffle"
                size: 30
                label: "Shuffle"
                onClicked: detail.page.shuffle()
            }
            Item { width: 4; height: 1 }
            // The add button, with the songs gathered only when it is pressed.
            CircleButton {
                id: addButton
                symbol: "plus"
                size: 30
                label: "Add"
                onClicked: ButtonMenus.openAdd(detail.page.songPaths(), detail.page.shownName, addButton)
            }
        }
        MoreButton {
            size: 30
            page: PlaylistMoreMenu { page: detail.page }
        }
    }

    SongList {
        id: songList
        objectName: "playlistSongs"
        visible: detail.page !== null && detail.page.hasSongs
        anchors.top: buttons.bottom
        anchors.topMargin: 8
        anchors.bottom: parent.bottom
        x: -8
        width: parent.width + 16
        model: detail.page ? detail.page.songs : null
        active: visible && detail.page.focusColumn === CollectionColumn.Focus.songs
        extraCount: detail.own ? 1 : 0
        extra: detail.own ? (row) => [{ symbol: "minus", label: "Remove from Playlist",
                                        run: () => detail.page.removeSong(row) }] : null
        menu: detail.own ? (row) => detail.page.moveActions(row).map((a) => ({ symbol: a.symbol, label: a.label,
                                        run: () => detail.page.moveSong(row, a.offset) })) : null
        drop: detail.own ? (picks, row) => detail.page.place(picks, row) : null
        onFocusRequested: detail.page.focusColumn = CollectionColumn.Focus.songs
    }

    // The note of an empty playlist; all of it takes drops for an own playlist.
    Item {
        visible: detail.page !== null && !detail.page.hasSongs
        anchors.top: buttons.bottom
        anchors.topMargin: 8 + 14
        width: parent.width
        height: Math.max(160, note.implicitHeight)
        Column {
            id: note
            width: parent.width
            spacing: 6
            Text {
                text: "Nothing in here yet."
                font: detail.Theme.row
                color: detail.Theme.soft
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Text {
                width: Math.min(360, parent.width)
                text: detail.page ? detail.page.emptyNote : ""
                font: detail.Theme.detail
                color: detail.Theme.secondary
                wrapMode: Text.Wrap
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
        DropArea {
            anchors.fill: parent
            enabled: detail.own
            keys: [Picks.mimeType()]
            onDropped: (drop) => {
                const taken = detail.page.place(SongRows.picksOf(drop.getDataAsString(Picks.mimeType())), -1)
                drop.accepted = taken
                if (taken) drop.acceptProposedAction()
            }
        }
    }
}
