pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls as C
import QtQuick.Layouts
import Velto.Kit
import Velto.Playback
import Velto.Quickplay
import Velto.Shell

// Up Next: the queue under a header naming the mix (or "now playing") with its length and time left, the
// playing row marked and the played ones dimmed, and "save as playlist". It fills what its host gives it.
Item {
    id: panel
    property Player player: Stores.player

    readonly property QueueModel queue: QueueModel { player: panel.player }
    readonly property string smartDJArtist: player ? player.smartDJArtist : ""
    readonly property string summary: QueueText.summary(queue.count, player ? player.timeLeft : 0)

    function save() {
        QueueText.save(panel.player)
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.dark ? "#0d0d0d" : "#ffffff"
        opacity: 0.92
    }
    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: Qt.alpha(Theme.primary, 0.08)
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 18
            Layout.rightMargin: 18
            Layout.topMargin: 16
            Layout.bottomMargin: 12
            spacing: 12
            Item {
                Layout.preferredWidth: 34
                Layout.preferredHeight: 34
                CircleOutline {
                    size: 34
                    ringColor: Theme.primary
                }
                Symbol {
                    objectName: "queueSymbol"
                    anchors.centerIn: parent
                    width: 13
                    height: 13
                    size: 13
                    name: QueueText.symbol(panel.smartDJArtist)
                    color: Theme.primary
                }
            }
            Column {
                Layout.fillWidth: true
                spacing: 1
                Text {
                    objectName: "queueTitle"
                    width: parent.width
                    text: QueueText.title(panel.smartDJArtist).toLowerCase()
                    font: Theme.heading
                    color: Theme.primary
                    fontSizeMode: Text.HorizontalFit
                    minimumPixelSize: Math.max(1, Math.floor(Theme.heading.pixelSize * 0.6))
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }
                Caps {
                    objectName: "queueSummary"
                    width: parent.width
                    size: 10
                    text: panel.summary
                    color: Theme.secondary
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
            }
        }
        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            color: Theme.line
        }

        Text {
            objectName: "queueEmpty"
            visible: panel.queue.count === 0
            Layout.fillWidth: true
            padding: 18
            text: QueueText.emptyText
            font: Theme.row
            color: Theme.secondary
            wrapMode: Text.WordWrap
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Item {
            visible: panel.queue.count === 0
            Layout.fillHeight: true
        }

        ListView {
            id: list
            objectName: "queueList"
            visible: panel.queue.count > 0
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            topMargin: 6
            bottomMargin: 6
            model: panel.queue
            boundsBehavior: Flickable.StopAtBounds
            C.ScrollBar.vertical: C.ScrollBar { policy: C.ScrollBar.AsNeeded }
            Accessible.role: Accessible.List
            Accessible.name: "Up Next"

            property bool centred: false
            property int shownIndex: -1

            delegate: QueueRow {
                required property int index
                required title
                required artist
                required playing
                required played
                width: ListView.view.width
                player: panel.player
                onPlay: panel.player.jump(index)
                onRemove: panel.player.remove(index)
            }
            removeDisplaced: Transition {
                NumberAnimation { property: "y"; duration: Motion.hoverMs; easing: Motion.hover }
            }

            // The playing row is centred at once when the list first shows; a later change of the index glides
            // there; changes of the queue that keep the index scroll nothing.
            function centre(animated: bool) {
                glide.stop()
                const from = contentY
                positionViewAtIndex(panel.player.index, ListView.Center)
                if (!animated || Motion.reduceMotion) return
                const to = contentY
                contentY = from
                glide.to = to
                glide.start()
            }
            NumberAnimation {
                id: glide
                target: list
                property: "contentY"
                duration: Motion.enterMs
                easing: Motion.enter
            }
            onVisibleChanged: firstCentring.restart()
            onCountChanged: firstCentring.restart()
            onHeightChanged: firstCentring.restart()
            Component.onCompleted: firstCentring.restart()
            // After the events of this turn, once the list has its size and rows.
            Timer {
                id: firstCentring
                interval: 0
                onTriggered: list.firstCentre()
            }
            Timer {
                id: glideLater
                interval: 0
                onTriggered: list.centre(true)
            }
            function firstCentre() {
                if (centred || !visible || count === 0 || height <= 0 || !panel.player) return
                centred = true
                shownIndex = panel.player.index
                centre(false)
            }
            Connections {
                target: panel.player
                function onIndexChanged() {
                    if (!list.centred || panel.player.index === list.shownIndex) return
                    list.shownIndex = panel.player.index
                    glideLater.restart()
                }
            }
        }
        Rectangle {
            visible: panel.queue.count > 0
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            color: Theme.line
        }
        PillButton {
            objectName: "saveQueue"
            visible: panel.queue.count > 0
            Layout.leftMargin: 18
            Layout.rightMargin: 18
            Layout.topMargin: 12
            Layout.bottomMargin: 12
            title: "save as playlist"
            color: Theme.soft
            onClicked: panel.save()
        }
    }
}
