import QtQuick
import Velto.Shell
import Velto.Collection

// The songs section: every song of the library in the stored sort, under a header whose sort button steps
// through the sorts. It takes the keyboard when it appears.
FocusScope {
    id: section
    property AllSongsModel songs: SongLists.all
    // The section's focus value: which of its columns holds the keyboard (-1: none yet).
    property int focusColumn: -1
    readonly property alias list: songList

    // Set once, just after the section appears; the list then takes the keyboard.
    Timer {
        interval: 0
        running: true
        onTriggered: section.focusColumn = CollectionColumn.Focus.songs
    }

    ColumnHeader {
        id: header
        count: section.songs ? section.songs.total : 0
        noun: "song"
        sort: section.songs ? section.songs.sortLabel : ""
        sortable: true
        onSortClicked: section.songs.nextSort()
    }

    SongList {
        id: songList
        objectName: "allSongs"
        anchors.top: header.bottom
        anchors.topMargin: 12
        anchors.bottom: parent.bottom
        x: -8
        width: parent.width + 16
        model: section.songs
        active: section.focusColumn === CollectionColumn.Focus.songs
        onFocusRequested: section.focusColumn = CollectionColumn.Focus.songs
    }
}
