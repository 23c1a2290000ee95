pragma ComponentBehavior: Bound
import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell

// Put inside a tile or button that lifts under the pointer: it grows by `lift` (not with reduce motion),
// brightens and is drawn above its neighbours. A view that lifts for more than its own pointer (a tile
// under the keyboard cursor) binds `hovered` and `amount` itself; one whose outline lies outside its
// bounds brightens an inner item (`layerTarget`), since a layer clips to the item it is on.
Item {
    id: effect
    property real lift: 1.04
    readonly property Item target: parent
    property Item layerTarget: target
    property bool hovered: hover.hovered
    property real amount: Motion.hoverBrightness
    property real brightness: hovered ? amount : 0

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
    // The software scene graph has no shader effects: a layer with one would draw nothing at all, so there
    // the view lifts without brightening.
    Binding {
        target: effect.layerTarget
        property: "layer.enabled"
        value: effect.brightness > 0 && effect.GraphicsInfo.api !== GraphicsInfo.Software
    }
    Binding {
        target: effect.layerTarget
        property: "layer.effect"
        value: brighten
    }
    Component {
        id: brighten
        BrightnessContrast { brightness: effect.brightness }
    }
}
