pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell

// One key combination: key caps, with "or" and "to" as plain words between them.
Row {
    id: keys
    // [{text, word}] as the about section splits them.
    property var pieces: []
    spacing: 5

    Repeater {
        model: keys.pieces
        delegate: Item {
            id: piece
            required property var modelData
            anchors.verticalCenter: parent ? parent.verticalCenter : undefined
            implicitWidth: modelData.word ? word.implicitWidth : Math.max(22, cap.implicitWidth + 12)
            implicitHeight: modelData.word ? word.implicitHeight : 20
            Text {
                id: word
                visible: piece.modelData.word
                text: piece.modelData.text
                font: piece.Theme.meta
                color: piece.Theme.muted
            }
            Rectangle {
                visible: !piece.modelData.word
                anchors.fill: parent
                radius: 3
                color: Qt.rgba(piece.Theme.primary.r, piece.Theme.primary.g, piece.Theme.primary.b, 0.05)
                border.width: 1
                border.color: piece.Theme.border
                Text {
                    id: cap
                    anchors.centerIn: parent
                    text: piece.modelData.text
                    font.family: "Inter"
                    font.pixelSize: 11
                    font.weight: Font.Medium
                    color: piece.Theme.primary
                }
            }
        }
    }
}
