import QtQuick

// A soft shadow under a layer, as its `layer.effect`: the layer's coverage blurred by a Gaussian of
// `radius` points, in `color`, moved by `dx`, `dy`, with the layer drawn over it. The blur is two passes of
// shaders built with the program, so nothing is compiled when the effect is first made.
Item {
    id: shadow
    // The layer, given by the item whose effect this is.
    property var source
    property color color: "black"
    property real radius: 8
    property real dx: 0
    property real dy: 0

    // Room around the layer for the shadow to spread into.
    readonly property real pad: Math.ceil(shadow.radius + Math.max(Math.abs(shadow.dx), Math.abs(shadow.dy)) + 1)
    readonly property size inner: Qt.size(shadow.width, shadow.height)
    readonly property size outer: Qt.size(shadow.width + 2 * shadow.pad, shadow.height + 2 * shadow.pad)
    // The kernel's reach and width in points, the width as Qt's own Gaussian blur has it for a radius.
    readonly property real reach: shadow.radius
    readonly property real deviation: (shadow.radius + 1) / 3.3333

    // First pass: the coverage blurred across, into a texture of its own.
    ShaderEffect {
        id: across
        x: -shadow.pad
        y: -shadow.pad
        width: shadow.outer.width
        height: shadow.outer.height
        visible: false
        readonly property var source: shadow.source
        readonly property size inner: shadow.inner
        readonly property size outer: shadow.outer
        readonly property real pad: shadow.pad
        readonly property real reach: shadow.reach
        readonly property real deviation: shadow.deviation
        fragmentShader: Qt.resolvedUrl("SoftShadowAcross.frag.qsb")
    }
    ShaderEffectSource {
        id: blurredAcross
        sourceItem: across
        hideSource: true
        visible: false
        smooth: true
    }

    // Second pass: blurred down, coloured and moved, with the layer over it.
    ShaderEffect {
        x: -shadow.pad
        y: -shadow.pad
        width: shadow.outer.width
        height: shadow.outer.height
        readonly property var source: shadow.source
        readonly property var across: blurredAcross
        readonly property size inner: shadow.inner
        readonly property size outer: shadow.outer
        readonly property real pad: shadow.pad
        readonly property real reach: shadow.reach
        readonly property real deviation: shadow.deviation
        readonly property color shade: shadow.color
        readonly property point offset: Qt.point(shadow.dx, shadow.dy)
        fragmentShader: Qt.resolvedUrl("SoftShadowDown.frag.qsb")
    }
}
