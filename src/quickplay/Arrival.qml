import QtQuick
import Velto.Shell
import Velto.Quickplay

// Put inside a title or tile of a Quickplay half. It is simply there when the page appears; each change of
// the half's `token` (the half brought to the front) hides it at once and, on the next turn of the event
// loop, slides it in from the right, `index` steps into the half's entrance.
EntranceEffect {
    id: arrival
    property int index: 0
    property int token: 0

    delayMs: QuickplayLook.arrivalDelayMs(index)
    durationMs: QuickplayLook.slideMs
    shift: Qt.point(Motion.reduceMotion ? 0 : QuickplayLook.slideShift, 0)
    // The hidden state is drawn first, so the reveal starts from it rather than from where it was.
    onTokenChanged: {
        hide()
        reveal.restart()
    }
    Component.onCompleted: show()

    Timer {
        id: reveal
        interval: 0
        onTriggered: arrival.play()
    }
}
