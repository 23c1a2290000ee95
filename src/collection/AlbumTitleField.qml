import QtQuick
import Velto.Shell
import Velto.Collection

// The album title's rename field: the song row's field in the heading's size, with 4 points above and
// below its text and the accent line along its own bottom edge.
RenameField {
    id: field
    font: Theme.heading
    topPadding: 4
    bottomPadding: 4
    background: Rectangle {
        y: field.height - 1
        width: field.width
        height: 1
        color: field.Theme.accentText
    }
    Accessible.name: "Album title"
}
