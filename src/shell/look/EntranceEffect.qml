import QtQuick
import Velto.Shell

// What the entrance effects share: the parent item's opacity follows `progress`, and a translation of
// (1 − progress) × `shift` is added to its transforms. `progress` runs from 0 to 1 with the enter curve.
Item {
    id: effect
    property real delayMs: 0
    // How long the entrance runs; the enter animation's own length unless a view times its own.
    property int durationMs: Motion.enterMs
    property point shift: Qt.point(0, 0)
    property real progress: 0
    // The item it moves; its own transforms are kept and the offset is added to them.
    readonly property var target: parent

    function play() {
        run.stop()
        progress = 0
        run.start()
    }
    function hide() {
        run.stop()
        progress = 0
    }
    function show() {
        run.stop()
        progress = 1
    }

    visible: false
    Translate {
        id: offset
        x: (1 - effect.progress) * effect.shift.x
        y: (1 - effect.progress) * effect.shift.y
    }
    Binding {
        target: effect.target
        property: "opacity"
        value: effect.progress
    }
    SequentialAnimation {
        id: run
        PauseAnimation { duration: Math.max(0, effect.delayMs) }
        NumberAnimation {
            target: effect
            property: "progress"
            to: 1
            duration: effect.durationMs
            easing: Motion.enter
        }
    }
    Component.onCompleted: if (target) target.transform.push(offset)
}
