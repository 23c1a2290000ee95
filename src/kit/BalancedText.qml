import QtQuick
import Velto.Kit

// A paragraph wrapped at the narrowest width that does not add a line, so that a short help text does not
// leave a long first line over a short last one.
Text {
    property real size: 12
    property real maxWidth: 420

    width: Controls.balancedWidth(text, size, maxWidth)
    font.family: "Inter"
    font.pixelSize: size
    wrapMode: Text.Wrap
    horizontalAlignment: Text.AlignLeft
}
