import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// Beside the player picture: the last sync or the preview run under way, with its buttons.
Column {
    id: panel
    required property PlayerSummaryPage page
    spacing: 6

    Column {
        id: state
        objectName: "syncState"
        spacing: 6
        width: parent.width

        // A run that finishes or stops shows its new state with the entrance motion.
        NumberAnimation {
            id: arrive
            target: state
            property: "opacity"
            from: 0
            to: 1
            duration: Motion.enterMs
            easing: Motion.enter
        }
        Connections {
            target: panel.page
            function onRunEnded() { arrive.restart() }
        }

        Caps {
            objectName: "syncHeading"
            text: panel.page.heading
            size: 13
            color: panel.Theme.primary
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        DigitsText {
            objectName: "syncBigLine"
            text: panel.page.bigLine
            font.family: "Inter"
            font.pixelSize: 22
            font.weight: Font.Light
            color: panel.Theme.primary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        ProgressBar {
            objectName: "syncProgress"
            visible: panel.page.copying
            width: 300
            height: 4
            value: panel.page.progress
            Accessible.name: "sync progress"
            background: Rectangle {
                implicitHeight: 4
                radius: 2
                color: panel.Theme.track
            }
            contentItem: Item {
                Rectangle {
                    width: parent.width * panel.page.progress
                    height: parent.height
                    radius: 2
                    color: panel.Theme.accentFrom
                }
            }
        }
        Row {
            objectName: "syncSong"
            visible: panel.page.showsSong
            width: 300
            topPadding: 4
            spacing: 10
            Accessible.role: Accessible.StaticText
            Accessible.name: panel.page.songTitle + ", " + panel.page.songArtist

            Artwork {
                width: 32
                height: 32
                url: panel.page.songFile
                kind: "song"
                anchors.verticalCenter: parent.verticalCenter
            }
            Column {
                spacing: 1
                width: 258
                anchors.verticalCenter: parent.verticalCenter
                Text {
                    width: parent.width
                    text: panel.page.songTitle
                    elide: Text.ElideRight
                    font: panel.Theme.row
                    color: panel.Theme.primary
                }
                Text {
                    width: parent.width
                    text: panel.page.songArtist
                    elide: Text.ElideRight
                    font: panel.Theme.detail
                    color: panel.Theme.muted
                }
            }
        }
        Text {
            objectName: "syncSummary"
            visible: panel.page.done
            width: panel.width
            wrapMode: Text.Wrap
            text: panel.page.doneSummary
            font: panel.Theme.meta
            color: panel.Theme.secondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    Row {
        spacing: 10
        topPadding: 10
        PillButton {
            objectName: "syncStop"
            visible: panel.page.copying
            title: "stop sync"
            color: panel.Theme.primary
            onClicked: panel.page.stopSync()
        }
        PillButton {
            objectName: "syncNow"
            visible: panel.page.canSync
            title: "sync now"
            color: panel.Theme.primary
            onClicked: panel.page.startSync()
        }
        PillButton {
            objectName: "syncSettings"
            title: "settings"
            color: panel.Theme.soft
            onClicked: panel.page.openSettings()
        }
    }

    Text {
        objectName: "syncNote"
        topPadding: 6
        text: "This is a preview. Nothing is copied yet."
        font: panel.Theme.detail
        color: panel.Theme.muted
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
}
