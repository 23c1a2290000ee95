import QtQuick
import Velto.Shell
import Velto.PocketPlayer

// How much of the player's music space the music takes: the title and the music's size, what stays free
// (or by how much the music overflows), the bar in the accent gradient and a legend.
Column {
    id: bar

    property string title: ""
    // Byte counts; QML numbers hold them exactly up to 2⁵³ bytes.
    property double capacity: 0
    property double musicBytes: 0

    readonly property StorageReading reading: StorageReading {
        capacity: bar.capacity
        musicBytes: bar.musicBytes
    }

    spacing: 8

    Item {
        width: bar.width
        height: Math.max(leftRuns.height, rightRuns.height)

        Row {
            id: leftRuns
            objectName: "storageMusic"
            anchors.verticalCenter: parent.verticalCenter
            Accessible.role: Accessible.StaticText
            Accessible.name: titleRun.text.toUpperCase() + "  " + bar.reading.musicText
            Caps {
                id: titleRun
                anchors.baseline: musicRun.baseline
                text: bar.title
                size: 11
                color: bar.Theme.primary
            }
            Text {
                id: musicRun
                text: "  " + bar.reading.musicText
                font: Theme.detail
                color: bar.Theme.soft
            }
        }

        Row {
            id: rightRuns
            objectName: "storageFree"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            Accessible.role: Accessible.StaticText
            Accessible.name: "FREE  " + bar.reading.freeText
            Caps {
                anchors.baseline: freeRun.baseline
                text: "FREE"
                size: 11
                color: bar.Theme.primary
            }
            Text {
                id: freeRun
                objectName: "storageFreeFigure"
                text: "  " + bar.reading.freeText
                font: Theme.detail
                color: bar.reading.overflow ? bar.Theme.accentText : bar.Theme.soft
            }
        }
    }

    Rectangle {
        objectName: "storageTrack"
        width: bar.width
        height: 14
        color: bar.Theme.line
        Accessible.role: Accessible.ProgressBar
        Accessible.name: bar.title
        Rectangle {
            objectName: "storageFill"
            width: parent.width * bar.reading.fraction
            height: parent.height
            gradient: AccentGradient {}
        }
    }

    Row {
        spacing: 6
        Rectangle {
            objectName: "storageSquare"
            anchors.verticalCenter: parent.verticalCenter
            width: 8
            height: 8
            color: bar.Theme.accentFrom
        }
        Text {
            objectName: "storageLegend"
            text: "music " + bar.reading.musicText
            font: Theme.detail
            color: bar.Theme.soft
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }
}
