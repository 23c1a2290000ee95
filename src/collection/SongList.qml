pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Collection

// A table of songs: captions over a list of song rows with a keyboard cursor. A click or Return plays the
// whole list from the row. With a `drop` handler (picks, row; row -1 is after the last) the rows take
// dragged picks, opening a gap with the insertion line where they would land.
FocusScope {
    id: songList
    property SongListModel model
    // The list holds the section's keyboard focus.
    property bool active: false
    property int extraCount: 0
    property var drop: null
    // The list's actions per row (see SongRow): hover actions before the row's own, and menu rows.
    property var extra: null
    property var menu: null
    property alias cursor: cursorState.cursor
    readonly property alias view: listView
    // The row a dragged pick hovers over; -1 for none.
    property int dropTarget: -1
    property bool droppingAtEnd: false
    // The list wants the keyboard: the section sets its focus value to the list's.
    signal focusRequested

    function takeFocus() {
        // A rename field inside a row holds the list's focus: it lets go (and commits) first.
        const holder = Window.activeFocusItem
        if (holder && holder !== listView && ListKeys.isTextInput(holder)) holder.focus = false
        listView.forceActiveFocus()
        cursorState.focusTaken()
    }
    onActiveChanged: if (active) takeFocus()

    SongCursor {
        id: cursorState
        model: songList.model
        onFocusWanted: {
            songList.takeFocus()
            songList.focusRequested()
        }
        onCursorChanged: if (cursor >= 0 && cursor < listView.count) listView.positionViewAtIndex(cursor, ListView.Contain)
    }

    Row {
        id: captions
        x: 0
        width: parent.width
        height: 12
        spacing: 14
        leftPadding: 8
        rightPadding: 8
        Item { width: 22; height: 1 }
        Caps {
            width: captions.width - 16 - 22 - 200 - 220 - trailingCaption.width - 4 * 14
            text: "song"
            size: 10
            color: songList.Theme.muted
        }
        Caps { width: 200; text: "artist"; size: 10; color: songList.Theme.muted }
        Caps { width: 220; text: "album"; size: 10; color: songList.Theme.muted }
        Caps {
            id: trailingCaption
            width: SongRows.trailingWidth(songList.extraCount)
            horizontalAlignment: Text.AlignRight
            text: "time"
            size: 10
            color: songList.Theme.muted
        }
    }

    ListView {
        id: listView
        objectName: "songListView"
        anchors.top: captions.bottom
        anchors.topMargin: 6
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        focus: true
        model: songList.model
        reuseItems: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        Accessible.role: Accessible.List
        Accessible.name: "Songs"
        onActiveFocusChanged: if (activeFocus) songList.focusRequested()

        Keys.onPressed: (event) => {
            if (event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && (event.modifiers & Qt.ShiftModifier))) {
                const item = listView.itemAtIndex(cursorState.cursor)
                if (item) (item as SongRow).openMenu(0, item.height)
                event.accepted = item !== null
                return
            }
            event.accepted = cursorState.key(event.key, event.modifiers, event.text, event.isAutoRepeat,
                                       songList.Window.activeFocusItem)
        }

        delegate: SongRow {
            id: songRow
            x: 8
            width: listView.width - 16
            list: songList.model
            columns: true
            extras: songList.extraCount
            extraFor: songList.extra
            menuFor: songList.menu
            cursor: listView.activeFocus && cursorState.cursor === index
            gap: songList.dropTarget === index ? 26 : 0
            onPlay: cursorState.choose(index)
            Behavior on gap {
                NumberAnimation { duration: 280; easing.type: Easing.OutCubic }
            }
            InsertionLine {
                shown: songList.dropTarget === songRow.index
            }
            Loader {
                id: dropLoader
                anchors.fill: parent
                // No handler, no drop area.
                source: songList.drop !== null ? "RowDropArea.qml" : ""
                onLoaded: (item as RowDropArea).take = (picks) => songList.drop(picks, songRow.index)
            }
            Connections {
                target: dropLoader.item
                ignoreUnknownSignals: true
                function onEntered() { songList.dropTarget = songRow.index }
                function onExited() { if (songList.dropTarget === songRow.index) songList.dropTarget = -1 }
                function onDropped() { songList.dropTarget = -1 }
            }
        }

        // The end zone after the last row, where picks land at the end. Made from its own file: this
        // Qt's list views cannot make a bound inline footer.
        footer: Qt.createComponent("SongListEnd.qml")
        onFooterItemChanged: if (footerItem) (footerItem as SongListEnd).list = songList

    }
}
