import QtQuick
import Velto.Shell
import Velto.Library
import Velto.Quickplay

// What Quickplay and the collection page show while the library has no songs: where VELTO looks for music,
// and, while nothing is going on, a way to choose another folder or to look again; while a scan or an
// import runs, the status line stands in the buttons' place.
Item {
    id: view
    property LibraryStore library: Stores.library

    LibraryStatus {
        id: status
        library: view.library
    }

    Column {
        x: 34
        y: 60
        width: Math.max(0, view.width - 34)
        spacing: 14

        Text {
            objectName: "emptyTitle"
            text: status.title
            font: view.Theme.display
            color: view.Theme.primary
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        Text {
            objectName: "emptyExplanation"
            width: Math.min(560, parent.width)
            text: status.explanation
            font: view.Theme.row
            color: view.Theme.secondary
            wrapMode: Text.Wrap
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        StatusLine {
            objectName: "emptyStatus"
            library: view.library
            visible: !status.offersButtons && text !== ""
        }
    }
}
