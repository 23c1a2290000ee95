import QtQuick
import QtQuick.Controls.Basic
import Velto.Kit
import Velto.Shell
import Velto.Settings

// The settings page: the six sections at the left, the chosen one's rows at the right under its name. Its
// view state lives in `page`, made with the view, so every visit starts on music with an empty key field.
Item {
    id: view
    readonly property SettingsController page: controller

    SettingsController {
        id: controller
        defaults: Stores.defaults
    }

    Caps {
        x: 34
        y: 10
        text: "settings"
        size: 11
        color: view.Theme.primary
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Item {
        id: columns
        x: 34
        y: 10 + 14 + 34
        width: Math.max(0, view.width - 34 - 40)
        height: Math.max(0, view.height - y)

        SettingsSectionList {
            id: list
            objectName: "sectionList"
            width: 190
            sections: controller.sections
            selection: controller.section
            label: section => controller.label(section)
            hint: section => controller.hint(section)
            onChosen: section => controller.section = section
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
                contentHeight: shown.height + 30
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                ScrollBar.vertical: ScrollBar { policy: ScrollBar.AlwaysOn }

                // The shown section, keyed by its index: a change fades the old one out and the new one in.
                Item {
                    id: shown
                    width: Math.min(760, scroller.width)
                    height: childrenRect.height
                    SectionPane {
                        section: 0
                        page: controller
                        width: shown.width
                        rows: Qt.resolvedUrl("MusicRows.qml")
                    }
                    SectionPane {
                        section: 1
                        page: controller
                        width: shown.width
                        rows: Qt.resolvedUrl("PlaybackRows.qml")
                    }
                    SectionPane {
                        section: 2
                        page: controller
                        width: shown.width
                        rows: Qt.resolvedUrl("ThemeRows.qml")
                    }
                    SectionPane {
                        section: 3
                        page: controller
                        width: shown.width
                        rows: Qt.resolvedUrl("QuickplayRows.qml")
                    }
                    SectionPane {
                        section: 4
                        page: controller
                        width: shown.width
                        rows: Qt.resolvedUrl("PictureRows.qml")
                    }
                    SectionPane {
                        section: 5
                        page: controller
                        width: shown.width
                        rows: Qt.resolvedUrl("AboutRows.qml")
                    }
                }
            }
        }
    }

    // One section: its heading and its rows, shown while it is the chosen one and fading out after. The rows
    // exist only while the section is on screen.
    component SectionPane: Item {
        id: pane
        required property int section
        required property SettingsController page
        // The rows' file; they are made with the page's state.
        required property url rows
        readonly property bool current: section === page.section

        objectName: "section" + section
        height: column.height
        opacity: current ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        onVisibleChanged: load()
        Component.onCompleted: load()

        function load() {
            if (visible && rowsLoader.status === Loader.Null)
                rowsLoader.setSource(rows, { page: page });
            else if (!visible)
                rowsLoader.source = "";
        }

        Column {
            id: column
            width: pane.width
            Text {
                objectName: "sectionHeading"
                bottomPadding: 22
                text: pane.page.label(pane.section)
                font.family: pane.Theme.pageTitle.family
                font.pixelSize: pane.Theme.pageTitle.pixelSize
                font.weight: pane.Theme.pageTitle.weight
                font.letterSpacing: -1
                color: pane.Theme.primary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Loader {
                id: rowsLoader
                objectName: "rows"
                width: parent.width
            }
        }
    }
}
