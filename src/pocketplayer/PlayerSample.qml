import QtQuick
import QtQuick.Layouts
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// The picked player on the summary page: its name and size with the status line, its picture beside the
// sync panel, the sync plan, and how full a sync would make it.
ColumnLayout {
    id: sample
    required property PlayerSummaryPage page
    spacing: 0

    // The name and size, then the status line.
    Column {
        objectName: "playerTitleBlock"
        Layout.topMargin: 26
        Layout.fillWidth: true
        spacing: 12

        StaggerIn { index: 0 }

        Item {
            id: titleRow
            width: parent.width
            height: nameText.visible ? nameText.height : capacityText.height

            Text {
                id: nameText
                objectName: "playerName"
                visible: sample.page.name !== ""
                text: sample.page.name
                // One line, shrinking to 0.6 of its size before it is cut.
                width: Math.min(implicitWidth, titleRow.width - capacityText.implicitWidth - 14)
                font.family: "Inter"
                font.pixelSize: 58
                font.weight: Font.DemiBold
                font.letterSpacing: -1
                font.capitalization: Font.AllUppercase
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: Math.round(58 * 0.6)
                elide: Text.ElideRight
                maximumLineCount: 1
                color: titleRow.Theme.primary
                Accessible.role: Accessible.Heading
                Accessible.name: sample.page.name
            }
            Text {
                id: capacityText
                objectName: "playerCapacity"
                x: nameText.visible ? nameText.width + 14 : 0
                anchors.baseline: nameText.visible ? nameText.baseline : undefined
                text: sample.page.capacityText
                font.family: "Inter"
                font.pixelSize: 40
                font.weight: Font.Light
                color: titleRow.Theme.muted
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }

        PlayerStatusLine {
            page: sample.page
        }
    }

    // The picture with the sync panel, and the plan.
    Row {
        Layout.topMargin: 30
        Layout.fillWidth: true
        spacing: 72

        Row {
            id: pictureAndPanel
            spacing: 44
            height: pictureSlot.height

            StaggerIn { index: 1 }

            // Two pictures take turns: a new model's scales up from 0.96 as it fades in, while the old
            // one fades out.
            Item {
                id: pictureSlot
                objectName: "playerPicture"
                readonly property string model: sample.page.model
                property IvraDevice shown: first
                width: shown.implicitWidth
                height: shown.implicitHeight

                onModelChanged: {
                    const next = shown === first ? second : first
                    next.model = model
                    leaving.target = shown
                    shown = next
                    leaving.restart()
                    arriving.restart()
                }

                IvraDevice {
                    id: first
                    objectName: "summaryDevice"
                    anchors.bottom: parent.bottom
                    finish: sample.page.finish
                    art: Stores.library ? Stores.library.latestArt : ""
                    pointsPerMm: 3.6
                    visible: opacity > 0
                    Component.onCompleted: model = sample.page.model
                }
                IvraDevice {
                    id: second
                    objectName: "summaryDevice"
                    anchors.bottom: parent.bottom
                    finish: sample.page.finish
                    art: Stores.library ? Stores.library.latestArt : ""
                    pointsPerMm: 3.6
                    opacity: 0
                    visible: opacity > 0
                }
                ParallelAnimation {
                    id: arriving
                    NumberAnimation { target: pictureSlot.shown; property: "opacity"; from: 0; to: 1; duration: Motion.enterMs; easing: Motion.enter }
                    NumberAnimation { target: pictureSlot.shown; property: "scale"; from: 0.96; to: 1; duration: Motion.enterMs; easing: Motion.enter }
                }
                ParallelAnimation {
                    id: leaving
                    property Item target
                    NumberAnimation { target: leaving.target; property: "opacity"; to: 0; duration: Motion.enterMs; easing: Motion.enter }
                    NumberAnimation { target: leaving.target; property: "scale"; to: 0.96; duration: Motion.enterMs; easing: Motion.enter }
                }
            }

            SyncStatusPanel {
                width: 320
                y: pictureAndPanel.height - height - 6
                page: sample.page
            }
        }

        SyncPlanList {
            objectName: "playerPlanList"
            width: Math.max(260, Math.min(560, sample.width - pictureAndPanel.width - 72))
            list: sample.page.planList
            onOpenSettings: sample.page.openSettings()

            StaggerIn { index: 2 }
        }
    }

    Item {
        Layout.fillHeight: true
        Layout.minimumHeight: 20
    }

    StorageBar {
        objectName: "playerStorage"
        Layout.fillWidth: true
        Layout.bottomMargin: 14
        title: "total space used"
        capacity: sample.page.capacityBytes
        musicBytes: sample.page.planBytes
    }
}
