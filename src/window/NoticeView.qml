import QtQuick
import Velto.Shell

// The banner at the foot of the page area: each notice the player posts, for 2.4 seconds, in capitals on
// one line. It rises from the bottom edge and fades; a new notice comes in afresh even with the same text.
// It catches no clicks: the page beneath keeps them.
Item {
    id: view
    // How wide the banner may grow (the page area's width, less a margin).
    property real maximumWidth: 600
    readonly property alias banner: banner

    implicitWidth: capsule.width
    implicitHeight: capsule.height
    enabled: false

    NoticeBanner {
        id: banner
        player: Stores.player
        onAnnounced: banner.announce(capsule)
        onNoticeIdChanged: if (shown) arrival.restart()
    }

    Rectangle {
        id: capsule
        objectName: "noticeBanner"
        anchors.horizontalCenter: parent.horizontalCenter
        width: Math.min(label.implicitWidth + 32, view.maximumWidth)
        height: 30
        radius: height / 2
        color: Qt.rgba(30 / 255, 30 / 255, 30 / 255, 1)
        border.width: 1
        border.color: view.Theme.track
        visible: opacity > 0
        opacity: 0
        Accessible.role: Accessible.AlertMessage
        Accessible.name: banner.text
        transform: Translate { id: shift }

        Caps {
            id: label
            objectName: "noticeText"
            anchors.centerIn: parent
            width: Math.min(implicitWidth, capsule.width - 32)
            text: banner.text
            size: 11
            color: "white"
            elide: Text.ElideRight
            maximumLineCount: 1
        }

        states: State {
            name: "shown"
            when: banner.shown
            PropertyChanges { capsule.opacity: 1 }
        }
        transitions: Transition {
            from: "shown"
            to: ""
            ParallelAnimation {
                NumberAnimation { target: capsule; property: "opacity"; duration: Motion.enterMs; easing: Motion.enter }
                NumberAnimation {
                    target: shift; property: "y"; from: 0; to: Motion.reduceMotion ? 0 : 40
                    duration: Motion.enterMs; easing: Motion.enter
                }
            }
        }
    }

    // Each notice arrives from the bottom edge, also one that replaces another on screen.
    ParallelAnimation {
        id: arrival
        NumberAnimation { target: capsule; property: "opacity"; from: 0; to: 1; duration: Motion.enterMs; easing: Motion.enter }
        NumberAnimation {
            target: shift; property: "y"; from: Motion.reduceMotion ? 0 : 40; to: 0
            duration: Motion.enterMs; easing: Motion.enter
        }
    }
}
