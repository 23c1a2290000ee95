import QtQuick
import Velto.Shell

// Put inside an item that appears after the ones before it: when it comes on screen it fades in and, with
// full motion, slides in from the right, `index` steps after its first sibling.
EntranceEffect {
    property int index: 0
    delayMs: Motion.staggerDelayMs(index)
    shift: Qt.point(Motion.staggerOffset(false, Motion.reduceMotion), 0)
    Component.onCompleted: play()
}
