import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell

// A picture made grey and washed in two colours: the colour of each point comes from a gradient running
// from `base` (darkened) at the bottom left to `glow` at the top right, its brightness from the picture,
// and `glow` lights the top right corner. The source item is drawn only through this.
Item {
    id: wall
    required property Item source
    property color base
    property color glow
    property real glowRadius: width * 0.6

    Desaturate {
        id: grey
        anchors.fill: parent
        source: wall.source
        desaturation: 1
        visible: false
    }
    LinearGradient {
        id: wash
        anchors.fill: parent
        start: Qt.point(0, height)
        end: Qt.point(width, 0)
        visible: false
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.alpha(ColorMath.mixed(wall.base, "black", 0.35), 0.9) }
            GradientStop { position: 1; color: Qt.alpha(ColorMath.mixed(wall.glow, "black", 0.10), 0.9) }
        }
    }
    Blend {
        id: washed
        anchors.fill: parent
        source: grey
        foregroundSource: wash
        mode: "color"
        visible: false
    }
    RadialGradient {
        id: light
        anchors.fill: parent
        horizontalOffset: width / 2
        verticalOffset: -height / 2
        horizontalRadius: wall.glowRadius
        verticalRadius: wall.glowRadius
        visible: false
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.alpha(wall.glow, 0.35) }
            GradientStop { position: 1; color: "transparent" }
        }
    }
    Blend {
        objectName: "tinted"
        anchors.fill: parent
        source: washed
        foregroundSource: light
        mode: "screen"
    }
}
