import QtQuick
import Velto.Kit
import Velto.Shell

// One row of a settings page: the title, its help and an optional status on the left, the control at the
// trailing end, a hairline along the top.
Item {
    id: row
    property string title
    property string help
    // { text, on }, or null for no status line (and no gap for one).
    property var status: null
    // The trailing control.
    default property alias trailing: slot.data

    implicitWidth: column.implicitWidth + 24 + slot.implicitWidth
    implicitHeight: Math.max(column.implicitHeight, slot.implicitHeight) + 2 * 16

    Rectangle {
        width: row.width
        height: 1
        color: row.Theme.line
    }
    Column {
        id: column
        anchors.verticalCenter: parent.verticalCenter
        spacing: 4
        Text {
            text: row.title
            font: row.Theme.setting
            color: row.Theme.primary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        BalancedText {
            text: row.help
            size: 12
            maxWidth: 420
            color: row.Theme.secondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Item {
            objectName: "statusLine"
            visible: row.status !== null && row.status !== undefined
            width: line.implicitWidth
            height: visible ? line.implicitHeight + 4 : 0
            SettingsStatus {
                id: line
                y: 4
                text: row.status ? row.status.text : ""
                on: row.status ? row.status.on : false
            }
        }
    }
    Item {
        id: slot
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        implicitWidth: childrenRect.width
        implicitHeight: childrenRect.height
        width: implicitWidth
        height: implicitHeight
    }
}
