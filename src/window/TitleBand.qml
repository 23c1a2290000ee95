import QtQuick

// The top band of the frameless main window: it moves the window when dragged, maximises or restores it on
// a double click, and holds the menus at its left and the window controls at its right.
Item {
    id: band
    // The window the band lies in (a plain window in tests, the main window in the program).
    readonly property var window: band.Window.window
    default property alias menus: menuRow.data
    height: 30

    DragHandler {
        target: null
        grabPermissions: PointerHandler.CanTakeOverFromAnything
        onActiveChanged: if (active) band.window.startSystemMove()
    }
    TapHandler {
        onDoubleTapped: band.Window.visibility === Window.Maximized ? band.window.showNormal()
                                                                    : band.window.showMaximized()
    }
    Row {
        id: menuRow
        anchors { left: parent.left; leftMargin: 10; verticalCenter: parent.verticalCenter }
    }
    WindowControls {
        anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
    }
}
