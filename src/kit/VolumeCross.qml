import QtQuick
import Velto.Kit

// The cross over a muted speaker: two diagonals that draw one after the other as `drawn` goes from 0 to
// 1, and wipe away in reverse.
Item {
    id: cross
    property real drawn: 0
    property color color
    property real lineWidth: 1.6
    readonly property crossStrokes strokes: VolumeRules.cross(drawn)
    readonly property real diagonal: Math.SQRT2 * width

    implicitWidth: 6.5
    implicitHeight: 6.5

    Rectangle {
        x: 0
        y: -height / 2
        width: cross.strokes.first * cross.diagonal
        height: cross.lineWidth
        radius: height / 2
        visible: cross.strokes.first > 0
        color: cross.color
        transformOrigin: Item.Left
        rotation: 45
    }
    Rectangle {
        x: cross.width
        y: -height / 2
        width: cross.strokes.second * cross.diagonal
        height: cross.lineWidth
        radius: height / 2
        visible: cross.strokes.second > 0
        color: cross.color
        transformOrigin: Item.Left
        rotation: 135
    }
}
