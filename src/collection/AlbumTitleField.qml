import QtQuick
import Velto.Shell
import Velto.Collection

// The album title's rename field: the song row's field in the heading's size, with 4 points above and
// below its text.
RenameField {
    font: Theme.heading
    topPadding: 4
    bottomPadding: 4
    Accessible.name: "Album title"
}
