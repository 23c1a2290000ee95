import QtQuick
import Velto.Shell

// The small floating window. It sizes itself to its content, which the mini player view provides.
Window {
    id: mini
    objectName: "mini"
    title: "Mini Player"
    flags: Qt.Window | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint
    width: Math.max(content.childrenRect.width, 1)
    height: Math.max(content.childrenRect.height, 1)
    visible: true
    color: "black"

    Item {
        id: content
        objectName: "miniContent"
        Theme.scheme: Theme.Dark
    }
}
