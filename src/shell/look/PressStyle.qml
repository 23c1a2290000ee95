import QtQuick
import Velto.Shell

// Put inside a button: while pressed it shrinks to `pressScale` (not with reduce motion) and dims, both
// on the press spring.
Item {
    id: effect
    property real pressScale: 0.92
    // The button it is put in: anything with a `pressed` property.
    readonly property var target: parent
    readonly property bool pressed: target && target.pressed === true
    property real scaleNow: Motion.pressScale(pressed, pressScale, Motion.reduceMotion)
    property real opacityNow: pressed ? Motion.pressOpacity : 1

    visible: false
    Behavior on scaleNow {
        NumberAnimation { duration: Motion.pressMs; easing: Motion.press }
    }
    Behavior on opacityNow {
        NumberAnimation { duration: Motion.pressMs; easing: Motion.press }
    }
    Binding {
        target: effect.target
        property: "scale"
        value: effect.scaleNow
    }
    Binding {
        target: effect.target
        property: "opacity"
        value: effect.opacityNow
    }
}
