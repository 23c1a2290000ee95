import QtQuick
import Velto.Kit
import Velto.Shell
import Velto.PocketPlayer

// What the current sync plan would do, album by album: what goes on, what doesn't fit and what the player
// can't play. It draws what `list` has worked out and changes nothing.
Column {
    id: planList

    required property SyncPlanListModel list
    // Opens the player settings page (from the empty plan's button).
    signal openSettings

    spacing: 8

    Text {
        objectName: "planTitle"
        text: "sync plan"
        font.family: Theme.pageTitle.family
        font.pixelSize: Theme.pageTitle.pixelSize
        font.weight: Theme.pageTitle.weight
        font.letterSpacing: -1
        color: planList.Theme.primary
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    Repeater {
        model: planList.list.sections

        Column {
            id: section
            required property var modelData
            objectName: "planSection"
            width: parent ? parent.width : 0
            spacing: 6
            topPadding: 14

            Caps {
                objectName: "planHeading"
                text: section.modelData.heading
                size: 11
                color: section.modelData.accentHeading ? section.Theme.accentText : section.Theme.secondary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }

            Text {
                objectName: "planNote"
                visible: text !== ""
                width: section.width
                wrapMode: Text.Wrap
                text: section.modelData.note
                font: Theme.meta
                color: section.Theme.muted
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }

            Repeater {
                model: section.modelData.rows

                Item {
                    id: albumRow
                    required property var modelData
                    objectName: "planAlbum"
                    width: parent ? parent.width : 0
                    height: 32
                    Accessible.role: Accessible.ListItem
                    Accessible.name: modelData.accessibleName

                    Artwork {
                        id: cover
                        width: 32
                        height: 32
                        url: albumRow.modelData.artwork
                        kind: "album"
                    }
                    Text {
                        id: albumName
                        anchors.left: cover.right
                        anchors.leftMargin: 12
                        anchors.verticalCenter: parent.verticalCenter
                        width: Math.min(implicitWidth, Math.max(0, count.x - 8 - x - byline.implicitWidth - 12))
                        text: albumRow.modelData.album
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        font: Theme.row
                        color: albumRow.Theme.primary
                    }
                    Text {
                        id: byline
                        anchors.left: albumName.right
                        anchors.leftMargin: 12
                        anchors.verticalCenter: parent.verticalCenter
                        width: Math.min(implicitWidth, Math.max(0, count.x - 8 - x))
                        text: albumRow.modelData.byline
                        elide: Text.ElideRight
                        maximumLineCount: 1
                        font: Theme.row
                        color: albumRow.Theme.muted
                    }
                    Text {
                        id: count
                        anchors.right: parent.right
                        anchors.verticalCenter: parent.verticalCenter
                        text: albumRow.modelData.count
                        font: Theme.detail
                        color: albumRow.Theme.faint
                    }
                }
            }

            Text {
                objectName: "planMore"
                visible: text !== ""
                text: section.modelData.more
                font: Theme.meta
                color: section.Theme.muted
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
    }

    // An empty plan: why nothing goes on, and the way to the settings that decide it.
    BalancedText {
        objectName: "planEmptyText"
        visible: planList.list.empty
        text: planList.list.emptyText
        size: 13
        maxWidth: 400
        color: planList.Theme.secondary
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Item {
        visible: planList.list.empty
        width: settingsPill.width
        height: settingsPill.height + 8
        PillButton {
            id: settingsPill
            objectName: "planSettings"
            y: 8
            title: "sync settings"
            color: planList.Theme.soft
            onClicked: planList.openSettings()
        }
    }
}
