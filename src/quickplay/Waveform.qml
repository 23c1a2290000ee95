pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell

// The playing row's mark: four bars that rise and fall in turn while the song plays and stand still while
// it is paused (and with reduce motion).
Item {
    id: wave
    property bool running: false
    property color color
    property real phase

    NumberAnimation on phase {
        from: 0
        to: 1
        duration: 900
        loops: Animation.Infinite
        running: wave.running && wave.visible && !Motion.reduceMotion
    }
    Row {
        anchors.fill: parent
        spacing: 2
        Repeater {
            model: 4
            Rectangle {
                required property int index
                anchors.verticalCenter: parent ? parent.verticalCenter : undefined
                width: (wave.width - 6) / 4
                height: wave.height * (0.3 + 0.7 * Math.abs(Math.sin((wave.phase + index * 0.27) * Math.PI)))
                radius: width / 2
                color: wave.color
            }
        }
    }
}
