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
    }
}
