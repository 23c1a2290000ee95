import QtQuick
import Velto.Collection

// The space after a song list's last row: with a drop handler, 48 points (74 while a pick hovers there)
// that take picks to land after the last song; without one, nothing.
Item {
    id: end
    property SongList list
    readonly property bool taking: list !== null && list.drop !== null

    x: 8
    width: list ? list.width - 16 : 0
    height: !taking ? 0 : list.droppingAtEnd ? 74 : 48
    Behavior on height {
        NumberAnimation { duration: 280; easing.type: Easing.OutCubic }
    }
    InsertionLine {
        shown: end.taking && end.list.droppingAtEnd
    }
    Loader {
        id: endLoader
        anchors.fill: parent
        source: end.taking ? "RowDropArea.qml" : ""
        onLoaded: (item as RowDropArea).take = (picks) => end.list.drop(picks, -1)
    }
    Connections {
        target: endLoader.item
        ignoreUnknownSignals: true
        function onEntered() { end.list.droppingAtEnd = true }
        function onExited() { end.list.droppingAtEnd = false }
        function onDropped() { end.list.droppingAtEnd = false }
    }
}
