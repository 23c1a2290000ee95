import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// The player settings page: the sub-menu of the player pages, the four sections at the left and the chosen
// one's rows at the right, and while a sample player is connected how full it would be after syncing.
// Everything it shows and writes goes through `page`, made with the view, so every visit starts on "sync".
Item {
    id: view
    readonly property PlayerSettingsPage page: settings

    PlayerSettingsPage {
        id: settings
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.leftMargin: 34
        anchors.rightMargin: 40
        spacing: 0

        PlayerSubMenu {
            Layout.topMargin: 10
        }

        Item {
            id: columns
            Layout.topMargin: 34
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumHeight: 100

            SettingsSectionList {
                id: list
                objectName: "sectionList"
                width: 190
                sections: settings.sections
                selection: settings.section
                label: section => settings.label(section)
                hint: section => settings.hint(section)
                onChosen: section => settings.section = section
                StaggerIn { index: 0 }
            }

            Item {
                id: right
                x: list.width + 56
                width: Math.max(0, columns.width - x)
                height: columns.height
                StaggerIn { index: 1 }

                Flickable {
                    id: scroller
                    objectName: "sectionScroll"
                    anchors.fill: parent
                    contentWidth: width
                    contentHeight: shown.height + 20
                    clip: true
                    boundsBehavior: Flickable.StopAtBounds
                    ScrollBar.vertical: ScrollBar { policy: scroller.contentHeight > scroller.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff }

                    Column {
                        id: shown
                        width: Math.min(760, scroller.width)
                        Text {
                            objectName: "sectionHeading"
                            bottomPadding: 22
                            text: settings.label(settings.section)
                            font.family: view.Theme.pageTitle.family
                            font.pixelSize: view.Theme.pageTitle.pixelSize
                            font.weight: view.Theme.pageTitle.weight
                            font.letterSpacing: -1
                            color: view.Theme.primary
                            Accessible.role: Accessible.Heading
                            Accessible.name: text
                        }
                        // A new section replaces the rows at once.
                        Loader {
                            id: rowsLoader
                            objectName: "rows"
                            readonly property int section: settings.section
                            width: parent.width
                            onSectionChanged: show()
                            Component.onCompleted: show()
                            function show() {
                                const files = ["PlayerSyncRows.qml", "PlayerWhenRows.qml", "PlayerConversionRows.qml",
                                               "PlayerModelRows.qml"];
                                setSource(Qt.resolvedUrl(files[section]), { page: settings });
                            }
                        }
                    }
                }
            }
        }

        Item {
            Layout.fillWidth: true
            Layout.minimumHeight: 20
            Layout.preferredHeight: 20
        }

        StorageBar {
            objectName: "afterSyncing"
            visible: settings.showsBar
            Layout.fillWidth: true
            Layout.bottomMargin: 14
            title: "after syncing"
            capacity: settings.musicSpace
            musicBytes: settings.musicBytes
        }
    }
}
