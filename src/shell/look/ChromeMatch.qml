import QtQuick
import QtQuick.Window
import Velto.Shell

// A backdrop for a view that lies over the window backdrop: its gradient is centred where the window's is,
// so the two meet without a seam wherever the view is.
ChromeBackdrop {
    id: match
    readonly property size windowSize: Window.window ? Qt.size(Window.width, Window.height) : Qt.size(1280, 800)
    property point origin: Qt.point(0, 0)

    function place() {
        origin = match.mapToItem(null, 0, 0)
    }
    dark: match.Theme.dark
    centre: match.Theme.chromeMatchCentre(windowSize, Qt.rect(origin.x, origin.y, width, height))
    onXChanged: place()
    onYChanged: place()
    onWidthChanged: place()
    onHeightChanged: place()
    onWindowSizeChanged: place()
    Component.onCompleted: place()
}
