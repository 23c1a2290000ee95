pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Collection

// The albums section: every album in the grid under the stored sort's headings, and the shown album's
// songs at the right. The section is made anew on every visit, so the choice starts over; the sort is
// kept in the settings. It gives the grid the keyboard when it appears; Right at a row's end moves it into
// the song list, Left there moves it back.
FocusScope {
    id: section
    objectName: "albumWall"
    // The section's focus value: which of its columns holds the keyboard (-1: none yet).
    property int focusColumn: -1
    readonly property AlbumWallPage page: page
    readonly property alias grid: grid
    readonly property alias songs: songs

    AlbumWallPage {
        id: page
        library: Stores.library
        defaults: Stores.defaults
        grid.player: Stores.player
        grid.app: Stores.app
    }

    // Set once, just after the section appears; the grid then takes the keyboard.
    Timer {
        interval: 0
        running: true
        onTriggered: section.focusColumn = CollectionColumn.Focus.albums
    }

    Item {
        id: left
        width: section.width - (songs.visible ? 380 + 36 : 0)
        height: section.height
        StaggerIn { index: 0 }

        ColumnHeader {
            id: header
            width: parent.width
            count: page.count
            noun: "album"
            sort: page.sortLabel
            sortable: true
            onSortClicked: page.nextSort()
        }
        AlbumGrid {
            id: grid
            objectName: "albumGrid"
            anchors.top: header.bottom
            anchors.topMargin: 12
            anchors.bottom: parent.bottom
            width: parent.width
            model: page.grid
            minWidth: 150
            spacing: 24
            showArtistLink: true
            quietSelection: false
            active: section.focusColumn === CollectionColumn.Focus.albums
            onFocusRequested: section.focusColumn = CollectionColumn.Focus.albums
        }
        Connections {
            target: page.grid
            function onRightPressed() { section.focusColumn = CollectionColumn.Focus.songs }
        }
    }

    AlbumSongs {
        id: songs
        objectName: "albumSongs"
        visible: page.shown !== ""
        x: section.width - 380
        width: 380
        height: section.height
        albumId: page.shown
        showArtist: true
        active: section.focusColumn === CollectionColumn.Focus.songs
        onFocusRequested: section.focusColumn = CollectionColumn.Focus.songs
        onLeftPressed: section.focusColumn = CollectionColumn.Focus.albums
        StaggerIn { index: 1 }
    }
}
