import QtQuick
import Velto.Shell

// Put inside a block that rises into place when it comes on screen, `delay` seconds late.
EntranceEffect {
    property real delay: 0
    delayMs: delay * 1000
    shift: Qt.point(0, Motion.riseOffset(false, Motion.reduceMotion))
    Component.onCompleted: play()
}
