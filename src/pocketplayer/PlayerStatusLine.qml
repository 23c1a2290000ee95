import QtQuick
import QtQuick.Templates as T
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// The picked player's connection as if it were plugged in: its model, size and colour, a battery, the
// cable and the computer it charges from. Nothing here is read from a device.
Row {
    id: line
    required property PlayerSummaryPage page
    spacing: 14

    component Word: Caps {
        size: 11
        color: Theme.muted
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
    component Bar: Word {
        text: "|"
        color: Theme.track
        Accessible.ignored: true
    }

    Word {
        objectName: "statusName"
        text: line.page.statusName
        color: line.Theme.primary
    }
    Bar {}
    Row {
        spacing: 7
        anchors.verticalCenter: parent.verticalCenter
        Symbol {
            name: "battery.75percent"
            size: 14
            color: line.Theme.muted
            anchors.verticalCenter: parent.verticalCenter
        }
        DigitsText {
            text: "82%"
            font.family: "Inter"
            font.pixelSize: 11
            font.weight: Font.DemiBold
            color: line.Theme.primary
            anchors.verticalCenter: parent.verticalCenter
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Word { text: "charging" }
    }
    Bar {}
    Row {
        spacing: 7
        anchors.verticalCenter: parent.verticalCenter
        Rectangle {
            width: 7
            height: 7
            radius: 3.5
            color: line.Theme.connected
            anchors.verticalCenter: parent.verticalCenter
        }
        Symbol {
            name: "cable.connector"
            size: line.Theme.detail.pixelSize
            color: line.Theme.muted
            anchors.verticalCenter: parent.verticalCenter
        }
        Word { text: "usb"; color: line.Theme.primary }
        Word { text: "home computer" }
    }
    Bar {}
    T.AbstractButton {
        id: rename
        objectName: "statusRename"
        anchors.verticalCenter: parent.verticalCenter
        hoverEnabled: true
        implicitWidth: contentItem.implicitWidth
        implicitHeight: contentItem.implicitHeight
        Accessible.role: Accessible.Button
        Accessible.name: "rename"
        onClicked: line.page.openSettings()
        contentItem: Word {
            text: "rename"
            color: rename.hovered ? line.Theme.primary : line.Theme.muted
        }
    }
}
