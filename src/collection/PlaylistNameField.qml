import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Collection

// The one name field of the playlists page, in the list (naming) or the detail header (renaming): it
// edits the page's draft, takes the keyboard when it shows, Return submits and Escape gives up.
TextField {
    id: field
    objectName: "playlistNameField"
    property PlaylistPage page
    signal submit

    text: page ? page.draft : ""
    placeholderText: "Playlist name"
    placeholderTextColor: Theme.faint
    color: Theme.primary
    topPadding: 4
    bottomPadding: 4
    leftPadding: 0
    rightPadding: 0
    background: Item {
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: field.Theme.accentText
        }
    }
    Accessible.name: "Playlist name"
    onTextEdited: if (page) page.draft = text
    Keys.onReturnPressed: field.submit()
    Keys.onEnterPressed: field.submit()
    Keys.onEscapePressed: if (page) page.cancelNaming()
    Component.onCompleted: forceActiveFocus()
    Connections {
        target: field.page
        function onNameFieldWanted() { field.forceActiveFocus() }
    }
}
