import QtQuick
import Velto.NowPlaying
import Velto.Shell

// The small floating window. It takes the size of its content, which the mini player view provides, and
// cannot be resized. It has no frame: the view's cover moves it and the view's close button closes it.
Window {
    id: mini
    objectName: "mini"
    title: "Mini Player"
    flags: Qt.Window | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint
    width: Math.max(content.childrenRect.width, 1)
    height: Math.max(content.childrenRect.height, 1)
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    visible: true
    color: "black"

    Item {
        id: content
        objectName: "miniContent"
        Theme.scheme: Theme.Dark

        MiniPlayerView {
            onMoveRequested: mini.startSystemMove()
            // Closed, not only hidden: with the main window closed too, the program ends as it should.
            onCloseRequested: mini.close()
        }
    }
}
