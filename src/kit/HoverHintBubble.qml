import QtQuick
import Velto.Kit
import Velto.Shell

// A control's hint, drawn in the window's menu layer: one line of caps in a dark capsule, fading in while
// it slides 4 px away from its control. It takes no input and is not read by screen readers.
Item {
    id: bubble
    required property HoverHint hint
    property bool shown: false
    property bool dark: true
    // Where it enters from and leaves to: 4 px closer to the control, not at all with reduce motion.
    readonly property real away: Motion.reduceMotion ? 0 : (hint.edge === HoverHint.Top ? 4 : -4)

    implicitWidth: label.implicitWidth + 2 * 9
    implicitHeight: 22
    enabled: false
    opacity: shown ? 1 : 0
    visible: opacity > 0
    Theme.scheme: dark ? Theme.Dark : Theme.Light
    Accessible.ignored: true

    Behavior on opacity {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }
    transform: Translate {
        y: bubble.shown ? 0 : bubble.away
        Behavior on y {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: Qt.rgba(30 / 255, 30 / 255, 30 / 255, 1)
        border.width: 1
        border.color: bubble.Theme.track
    }
    Caps {
        id: label
        anchors.centerIn: parent
        text: bubble.hint.text
        size: 10
        color: "white"
        wrapMode: Text.NoWrap
        elide: Text.ElideNone
        Accessible.ignored: true
    }
}
