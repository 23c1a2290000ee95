import QtQuick
import Velto.Kit

// A ring drawn wholly inside its parent's bounds: 2 px wide on circles over 30 px across, else 1.5. It only
// draws; the caller sizes the view and decides what takes clicks.
Rectangle {
    property real size: 36
    property color ringColor
    anchors.fill: parent
    radius: width / 2
    color: "transparent"
    border.width: Controls.ringWidth(size)
    border.color: ringColor
}
