import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell

// The field that edits a song's title in place: Return commits, Escape gives up, and losing the keyboard
// commits unless the window itself went to the background (switching windows is no answer).
TextField {
    id: field
    objectName: "renameField"
    signal commit
    signal cancel

    font: Theme.row
    color: Theme.primary
    padding: 0
    background: Rectangle {
        y: field.height + 3
        width: field.width
        height: 1
        color: field.Theme.accentText
    }
    Accessible.name: "Title"
    // Return commits here and never reaches the list, which would play the row.
    Keys.onReturnPressed: field.commit()
    Keys.onEnterPressed: field.commit()
    Keys.onEscapePressed: field.cancel()
    onActiveFocusChanged: {
        if (!activeFocus && focusReason !== Qt.ActiveWindowFocusReason) field.commit()
    }
    // The field takes the keyboard a moment after it shows.
    Timer {
        interval: 100
        running: true
        onTriggered: field.forceActiveFocus(Qt.OtherFocusReason)
    }
}
