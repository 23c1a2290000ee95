import QtQuick
import Velto.Shell

// A picture made grey and washed in two colours: the colour of each point comes from a gradient running
// from `base` (darkened) at the bottom left to `glow` at the top right, its brightness from the picture,
// and `glow` lights the top right corner. The source is drawn once into a texture and then only through
// this one effect, so the three steps cost a single pass.
ShaderEffect {
    id: wall
    required property Item source
    property color base
    property color glow
    property real glowRadius: width * 0.6

    // The sampled picture: the source drawn into a texture, and no longer drawn where it stands.
    readonly property ShaderEffectSource picture: sampled
    readonly property color washFrom: ColorMath.mixed(wall.base, "black", 0.35)
    readonly property color washTo: ColorMath.mixed(wall.glow, "black", 0.10)
    readonly property real washOpacity: 0.9
    readonly property color light: wall.glow
    readonly property real lightOpacity: 0.35
    readonly property real lightRadius: wall.glowRadius
    readonly property size size: Qt.size(wall.width, wall.height)

    objectName: "tinted"
    blending: true
    fragmentShader: Qt.resolvedUrl("TintedWall.frag.qsb")

    ShaderEffectSource {
        id: sampled
        sourceItem: wall.source
        hideSource: true
        smooth: true
        visible: false
    }
}
