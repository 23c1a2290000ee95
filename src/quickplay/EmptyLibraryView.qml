import QtQuick
import Velto.Shell
import Velto.Library
import Velto.Kit
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
        // The buttons, or the status line in their place while a scan or an import is under way.
        Item {
            width: Math.max(buttons.width, line.width)
            height: status.offersButtons ? buttons.height + 8 : (line.visible ? line.height + 8 : 0)
            Row {
                id: buttons
                objectName: "emptyButtons"
                y: 8
                spacing: 10
                visible: status.offersButtons
                PillButton {
                    objectName: "chooseFolder"
                    anchors.verticalCenter: parent.verticalCenter
                    title: "choose folder"
                    filled: true
                    color: view.Theme.primary
                    onClicked: view.library.chooseFolder()
                }
                PillButton {
                    objectName: "lookAgain"
                    anchors.verticalCenter: parent.verticalCenter
                    title: "look again"
                    color: view.Theme.soft
                    onClicked: view.library.scan()
                }
            }
            StatusLine {
                id: line
                objectName: "emptyStatus"
                y: 8
                library: view.library
                visible: !status.offersButtons && text !== ""
            }
        }
    }
}
