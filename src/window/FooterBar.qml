import QtQuick
import Velto.Kit
import Velto.Shell

// The bar along the bottom of every page but Now Playing: the pocket player and Up Next on the left, the
// playing song in the middle, repeat, shuffle, the transport and the volume on the right. The two outer
// groups share the width the strip leaves equally, so the strip stays in the middle of the bar.
Item {
    id: footer
    // The Up Next panel's content; without one the bar offers no Up Next button.
    property Component queuePanel: null
    readonly property real groupWidth: FrameRules.outerGroupWidth(width, strip.implicitWidth)
    readonly property alias model: footerModel
    readonly property alias strip: strip

    implicitHeight: 104

    FooterModel {
        id: footerModel
        defaults: Stores.defaults
        player: Stores.player
    }

    Item {
        id: content
        anchors { fill: parent; leftMargin: 28; rightMargin: 28; bottomMargin: 14 }

        Item {
            id: leftGroup
            objectName: "leftGroup"
            width: footer.groupWidth
            height: parent.height
            Row {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8
                PocketPlayerButton {
                    objectName: "pocketPlayer"
                    anchors.verticalCenter: parent.verticalCenter
                    model: footerModel
                }
                UpNextButton {
                    objectName: "upNext"
                    anchors.verticalCenter: parent.verticalCenter
                    visible: footer.queuePanel !== null
                    panel: footer.queuePanel
                }
            }
        }

        NowPlayingStrip {
            id: strip
            objectName: "nowPlayingStrip"
            x: footer.groupWidth + 24
            anchors.verticalCenter: parent.verticalCenter
            width: implicitWidth
        }

        Item {
            id: rightGroup
            objectName: "rightGroup"
            x: parent.width - width
            width: footer.groupWidth
            height: parent.height
            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                CircleButton {
                    objectName: "repeat"
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "repeat"
                    size: 26
                    isOn: Stores.player.repeatAll
                    label: "Repeat"
                    onClicked: Stores.player.repeatAll = !Stores.player.repeatAll
                }
                CircleButton {
                    objectName: "shuffle"
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "shuffle"
                    size: 26
                    isOn: Stores.player.shuffle
                    label: "Shuffle"
                    onClicked: Stores.player.shuffle = !Stores.player.shuffle
                }
                TransportControls {
                    anchors.verticalCenter: parent.verticalCenter
                    sizeScale: 1
                }
                VolumeControl {
                    anchors.verticalCenter: parent.verticalCenter
                }
            }
        }
    }
}
