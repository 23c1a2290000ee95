pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The playlists section: the list of playlists on the left, the shown playlist on the right, and the
// confirmation before a delete. The page's state and rules live in PlaylistPage.
FocusScope {
    id: browser
    objectName: "playlistBrowser"
    readonly property PlaylistPage page: page
    // The section's focus value, for the collection page.
    readonly property int focusColumn: page.focusColumn

    PlaylistPage {
        id: page
        stores: Stores
        onFocusColumnChanged: browser.giveFocus()
        // A name field that goes hands the keyboard back to the column the page names, also when that
        // column had it already (the field had taken it).
        onEditingChanged: if (page.listFocusable) refocus.restart()
        // The confirmation opens and closes with the page's state. A binding of its `visible` would be cut
        // by the dialog's own closing (Escape, a click outside), and the next delete would show nothing.
        onDeletingChanged: page.deleting ? confirm.open() : confirm.close()
    }

    function giveFocus() {
        if (page.focusColumn === CollectionColumn.Focus.playlists && page.listFocusable) listView.forceActiveFocus()
        else if (page.focusColumn === CollectionColumn.Focus.songs) detail.songList.takeFocus()
    }

    // After the page has settled where the keyboard goes.
    Timer {
        id: refocus
        interval: 0
        onTriggered: browser.giveFocus()
    }

    // Once on screen: the list takes the keyboard, and a waiting New Playlist command starts naming.
    Timer {
        interval: 0
        running: true
        onTriggered: page.appeared()
    }

    Item {
        id: listColumn
        width: 240
        height: parent.height
        StaggerIn { index: 0 }

        ColumnHeader {
            id: header
            count: page.list.ownCount
            noun: "playlist"
            sort: "newest first"
        }

        Item {
            id: newArea
            anchors.top: header.bottom
            anchors.topMargin: 12
            width: parent.width
            height: 32
            // Loaded by its file: a loader cannot make a component bound to this file's scope.
            Loader {
                id: namingLoader
                width: parent.width
                active: page.naming
                source: "PlaylistNameField.qml"
                onLoaded: {
                    const field = namingLoader.item as PlaylistNameField
                    field.font = browser.Theme.row
                    field.submit.connect(page.createFromDraft)
                    field.page = page
                }
            }
            Item {
                id: newRow
                objectName: "newPlaylistRow"
                visible: !page.naming
                width: parent.width
                height: 28
                readonly property color ink: page.droppingOnNew ? browser.Theme.accentText : browser.Theme.soft
                Accessible.role: Accessible.Button
                Accessible.name: newText.text
                Accessible.onPressAction: page.startNaming()
                HoverHint.text: "New Playlist (Ctrl+Shift+N), or drop music here to make one of it"
                HoverHint.hovering: newHover.hovered
                Rectangle {
                    anchors.fill: parent
                    anchors.leftMargin: -8
                    anchors.rightMargin: -8
                    color: browser.Theme.accentFrom
                    opacity: page.droppingOnNew ? 0.16 : 0
                    border.width: page.droppingOnNew ? 2 : 0
                    border.color: browser.Theme.accentFrom
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
                        text: page.droppingOnNew ? "New playlist of these" : "New playlist"
                        font: browser.Theme.row
                        color: newRow.ink
                    }
                }
                TapHandler { onTapped: page.startNaming() }
                DropArea {
                    anchors.fill: parent
                    keys: [Picks.mimeType()]
                    onEntered: page.droppingOnNew = true
                    onExited: page.droppingOnNew = false
                    onDropped: (drop) => {
                        page.droppingOnNew = false
                        const taken = page.makePlaylist(SongRows.picksOf(drop.getDataAsString(Picks.mimeType())))
                        drop.accepted = taken
                        if (taken) drop.acceptProposedAction()
                    }
                }
            }
        }

        ListView {
            id: listView
            objectName: "playlistList"
            anchors.top: newArea.bottom
            anchors.bottom: parent.bottom
            x: -8
            width: parent.width + 16
            leftMargin: 8
            rightMargin: 8
            clip: true
            focus: true
            activeFocusOnTab: page.listFocusable
            model: page.list
            boundsBehavior: Flickable.StopAtBounds
            Accessible.role: Accessible.List
            Accessible.name: "Playlists"
            onActiveFocusChanged: if (activeFocus) page.focusColumn = CollectionColumn.Focus.playlists
            Keys.onPressed: (event) => {
                event.accepted = page.listKey(event.key, event.modifiers, event.text, event.isAutoRepeat,
                                              browser.Window.activeFocusItem)
            }

            delegate: PlaylistRow {
                page: browser.page
                listHasFocus: listView.activeFocus
            }
        }
    }

    PlaylistDetail {
        id: detail
        x: listColumn.width + 36
        width: parent.width - x
        height: parent.height
        page: browser.page
        StaggerIn { index: 1 }
    }

    Dialog {
        id: confirm
        objectName: "deletePlaylistDialog"
        x: (browser.width - width) / 2
        y: (browser.height - height) / 3
        modal: true
        focus: true
        // DialogButtonBox.DestructiveRole and RejectRole: this Qt's type data for the linter lacks the names.
        readonly property int destructiveRole: 2
        readonly property int rejectRole: 1
        title: page.deleteTitle
        Label {
            objectName: "deletePlaylistMessage"
            text: "The songs stay in your collection."
        }
        footer: DialogButtonBox {
            Button {
                objectName: "deletePlaylistButton"
                text: "Delete Playlist"
                DialogButtonBox.buttonRole: confirm.destructiveRole
                onClicked: page.confirmDelete()
            }
            Button {
                objectName: "cancelDeleteButton"
                text: "Cancel"
                DialogButtonBox.buttonRole: confirm.rejectRole
            }
        }
        onClosed: page.dismissDelete()
    }
}
