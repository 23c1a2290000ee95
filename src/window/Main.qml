import QtQuick
import Velto.Kit
import Velto.Shell

Window {
    id: window
    objectName: "main"
    title: "VELTO"
    width: 1280
    height: 800
    minimumWidth: 1040
    minimumHeight: 700
    visible: true
    // The top band is the title bar: it moves the window and holds the menus and window controls.
    flags: Qt.Window | Qt.FramelessWindowHint
    color: "black"

    RootView {
        id: rootView
        objectName: "root"
        anchors.fill: parent
    }

    // The window's menus, over all of its content, in the window's scheme.
    MenuLayer {
        objectName: "menuLayer"
        anchors.fill: parent
        dark: Stores.root.dark
    }

    ResizeEdges { window: window }
}
