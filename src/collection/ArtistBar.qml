pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The compact bar that fades in along the top of the artist page as the hero scrolls away: a small round
// picture, the name (only when no name glides in), and the play, shuffle, Smart DJ and Mixview buttons.
// Until it has nearly arrived it takes no clicks, so they reach the page beneath.
Item {
    id: bar
    objectName: "artistBar"
    property ArtistPageModel model
    property real progress: 0
    property bool showsName: false
    readonly property string name: model ? model.shownName : ""
    // Whether it takes clicks at `progress`: the page asks HeroMotion.
    property bool takesClicks: false

    height: 56
    enabled: takesClicks
    Accessible.role: Accessible.Grouping
    Accessible.name: name
    Accessible.ignored: !takesClicks

    ChromeMatch {
        anchors.fill: parent
        opacity: bar.progress
    }
    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: bar.Theme.line
        opacity: bar.progress
    }

    Row {
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12
        ArtistPicture {
            anchors.verticalCenter: parent.verticalCenter
            width: 34
            height: 34
            name: bar.name
            scale: 0.6 + 0.4 * bar.progress
            opacity: bar.progress
            Rectangle {
                anchors.fill: parent
                radius: width / 2
                color: "transparent"
                border.width: 1
                border.color: bar.Theme.ring
            }
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: bar.name.toLowerCase()
            font.pixelSize: 26
            font.weight: Font.Light
            font.family: bar.Theme.display.family
            color: bar.Theme.primary
            opacity: bar.showsName ? bar.progress : 0
            maximumLineCount: 1
        }
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: -6 * (1 - bar.progress)
        opacity: bar.progress
        spacing: 4
        CircleButton {
            size: 26
            symbol: "play.fill"
            filled: true
            label: "Play All"
            onClicked: bar.model.playAll()
        }
        CircleButton {
            size: 26
            symbol: "shuffle"
            label: "Shuffle"
            onClicked: bar.model.shuffle()
        }
        CircleButton {
            size: 26
            symbol: "dot.radiowaves.left.and.right"
            label: "Smart DJ"
            onClicked: bar.model.smartDJ()
        }
        CircleButton {
            size: 26
            symbol: "circle.hexagongrid"
            label: "Mixview"
            onClicked: Stores.app.openMixview("artist", bar.name)
        }
    }
}
