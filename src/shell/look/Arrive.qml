import QtQuick
import Velto.Shell

// Put inside a view that exists before it is to be seen: it arrives (after `delay` seconds) each time
// `shown` turns true and vanishes at once when it turns false.
EntranceEffect {
    id: effect
    property bool shown: false
    property real delay: 0
    delayMs: delay * 1000
    shift: Qt.point(Motion.arriveOffset(false, Motion.reduceMotion), 0)
    onShownChanged: shown ? play() : hide()
    Component.onCompleted: if (shown) show()
}
