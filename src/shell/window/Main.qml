import QtQuick

Window {
    id: window
    objectName: "main"
    title: "VELTO"
    width: 1280
    height: 800
    minimumWidth: 1040
    minimumHeight: 700
    visible: true
    // The top band is the title bar: it moves the window and holds the window controls.
    flags: Qt.Window | Qt.FramelessWindowHint
    color: "#141416"

    Shortcut {
        sequence: "Ctrl+Q"
        context: Qt.ApplicationShortcut
        onActivated: Qt.quit()
    }

    Item {
        id: root
        objectName: "root"
        anchors.fill: parent

        TitleBand {
            id: titleBand
            window: window
            anchors { left: parent.left; right: parent.right; top: parent.top }
        }
    }

    ResizeEdges { window: window }
}
