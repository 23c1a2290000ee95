import QtQuick
import Velto.Shell
import Velto.Library
import Velto.Quickplay

// The library's one-line status: the import of dropped files, else the scan and how far it got. With
// nothing to say it is empty and takes no space.
Item {
    id: line
    property LibraryStore library: Stores.library
    readonly property string text: status.text

    implicitWidth: caption.implicitWidth
    implicitHeight: text !== "" ? caption.implicitHeight : 0
    visible: text !== ""

    LibraryStatus {
        id: status
        library: line.library
    }

    Caps {
        id: caption
        objectName: "statusCaption"
        width: line.width > 0 ? line.width : implicitWidth
        text: line.text
        size: 11
        color: line.Theme.secondary
        elide: Text.ElideRight
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
}
