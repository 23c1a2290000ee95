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

        ListView {
            id: listView
            objectName: "playlistList"
            anchors.top: header.bottom
            anchors.topMargin: 12
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
            // Every key goes through the page's rules (a name field at the top passes on the keys it leaves).
            keyNavigationEnabled: false
            Accessible.role: Accessible.List
            Accessible.name: "Playlists"
            onActiveFocusChanged: if (activeFocus) page.focusColumn = CollectionColumn.Focus.playlists
            Keys.onPressed: (event) => {
                event.accepted = page.listKey(event.key, event.modifiers, event.text, event.isAutoRepeat,
                                              browser.Window.activeFocusItem)
            }

            // "New playlist" (or the name field) tops the list and scrolls with it. Made from its own file:
            // this Qt's list views cannot make a bound inline header.
            header: Qt.createComponent("PlaylistNewRow.qml")
            onHeaderItemChanged: {
                const top = listView.headerItem as PlaylistNewRow
                if (!top) return
                top.page = browser.page
                top.width = Qt.binding(() => listView.width - listView.leftMargin - listView.rightMargin)
            }

            delegate: PlaylistRow {
                page: browser.page
                // The name field at the top is inside the list: while it has the keyboard, the list does not.
                listHasFocus: listView.activeFocus && browser.page.listFocusable
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
