import QtQuick
import Velto.Kit

// The round "plus" button: queues its songs or puts them in a playlist, from a menu under it.
CircleButton {
    id: button
    // Song values, or paths of songs in the collection.
    property var songs: []
    // The name offered for a new playlist made from the songs.
    property string newName
    symbol: "plus"
    label: "Add"
    onClicked: ButtonMenus.openAdd(button.songs, button.newName, button)
}
