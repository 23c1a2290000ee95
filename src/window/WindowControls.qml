pragma ComponentBehavior: Bound
import QtQuick

// Minimise, maximise or restore, and close, at the right end of the frameless window's top band.
Row {
    id: controls
    readonly property var window: controls.Window.window
    property color ink: "#8a8a90"
    property color hoverInk: "#ffffff"
    spacing: 2

    component ControlButton: Item {
        id: button
        required property string glyph
        property bool danger: false
        signal clicked
        width: 34
        height: 26
        Rectangle {
            anchors.fill: parent
            radius: 6
            color: button.danger ? "#e5484d" : "#30ffffff"
            visible: mouse.containsMouse
        }
        Text {
            anchors.centerIn: parent
            text: button.glyph
            color: mouse.containsMouse ? controls.hoverInk : controls.ink
            font.pixelSize: 14
        }
        MouseArea {
            id: mouse
            anchors.fill: parent
            hoverEnabled: true
            onClicked: button.clicked()
        }
    }

    ControlButton {
        glyph: "\u2013"
        onClicked: controls.window.showMinimized()
    }
    ControlButton {
        glyph: controls.Window.visibility === Window.Maximized ? "\u2750" : "\u25a1"
        onClicked: controls.Window.visibility === Window.Maximized ? controls.window.showNormal()
                                                                     : controls.window.showMaximized()
    }
    ControlButton {
        glyph: "\u2715"
        danger: true
        onClicked: controls.window.close()
    }
}
