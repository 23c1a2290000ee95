import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// The footer's Up Next button: opens the queue in a panel above it, and closes it again. A press on the
// button while the panel is open must not close it first and reopen it on the click; Escape closes it
// before the window's Escape could go back.
T.AbstractButton {
    id: button
    // The panel's content.
    property Component panel: null
    readonly property alias popup: popup

    implicitWidth: 44
    implicitHeight: 44
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: "Up next"
    onClicked: popup.opened ? popup.close() : popup.open()

    contentItem: Item {
        Symbol {
            anchors.centerIn: parent
            width: 24
            height: 24
            size: 24
            name: "list.bullet.rectangle.portrait"
            color: button.Theme.secondary
        }
    }
    HoverLift { lift: 1.08 }

    Popup {
        id: popup
        objectName: "upNextPopup"
        // Opens above the bar, kept inside the window.
        x: (button.width - width) / 2
        y: -height - 10
        width: 340
        height: 440
        margins: 8
        padding: 0
        focus: true
        // Pressing the button itself is left to its click.
        closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside | Popup.CloseOnPressOutsideParent
        background: Rectangle {
            color: button.Theme.panel
            border.color: button.Theme.line
            radius: 10
        }
        contentItem: Item {
            Loader {
                anchors.fill: parent
                sourceComponent: button.panel
            }
            KeyLayer { onDismissed: popup.close() }
        }
    }
}
