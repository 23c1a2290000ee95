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
                    Repeater {
                        model: controller.sections
                        delegate: Loader {
                            id: slot
                            required property int modelData
                            readonly property bool current: modelData === controller.section
                            objectName: "section" + modelData
                            width: shown.width
                            opacity: current ? 1 : 0
                            visible: opacity > 0
                            active: current || opacity > 0
                            Behavior on opacity {
                                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                            }
                            sourceComponent: Column {
                                width: slot.width
                                Text {
                                    objectName: "sectionHeading"
                                    bottomPadding: 22
                                    text: controller.label(slot.modelData)
                                    font.family: view.Theme.pageTitle.family
                                    font.pixelSize: view.Theme.pageTitle.pixelSize
                                    font.weight: view.Theme.pageTitle.weight
                                    font.letterSpacing: -1
                                    color: view.Theme.primary
                                    Accessible.role: Accessible.Heading
                                    Accessible.name: text
                                }
                                Loader {
                                    width: parent.width
                                    // The other sections are being built; until then they show their heading.
                                    sourceComponent: slot.modelData === 0 ? musicRows : null

                                    Component {
                                        id: musicRows
                                        MusicRows { page: controller }
                                    }
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
