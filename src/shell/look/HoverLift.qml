pragma ComponentBehavior: Bound
import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell

// Put inside a tile or button that lifts under the pointer: it grows by `lift` (not with reduce motion),
// brightens and is drawn above its neighbours.
Item {
    id: effect
    property real lift: 1.04
    readonly property Item target: parent
    readonly property bool hovered: hover.hovered
    property real brightness: hovered ? Motion.hoverBrightness : 0

    anchors.fill: parent
    HoverHandler { id: hover }
    Behavior on brightness {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }
    Binding {
        target: effect.target
        property: "scale"
        value: effect.liftNow
    }
    property real liftNow: Motion.hoverScale(hovered, lift, Motion.reduceMotion)
    Behavior on liftNow {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }
    Binding {
        target: effect.target
        property: "z"
        value: effect.hovered ? 1 : 0
    }
    Binding {
        target: effect.target
        property: "layer.enabled"
        value: effect.brightness > 0
    }
    Binding {
        target: effect.target
        property: "layer.effect"
        value: brighten
    }
    Component {
        id: brighten
        BrightnessContrast { brightness: effect.brightness }
    }
}
