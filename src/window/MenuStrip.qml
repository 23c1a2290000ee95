pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell

// The menu bar in the window's top band: one button per menu of the command table, each opening its
// entries; every shortcut of the table works in the whole application while its command is enabled.
Row {
    id: strip
    required property CommandTable commands
    spacing: 14

    Repeater {
        model: strip.commands.menus
        delegate: AbstractButton {
            id: menuButton
            required property var modelData
            hoverEnabled: true
            anchors.verticalCenter: parent.verticalCenter
            onClicked: menu.popup(menuButton, 0, menuButton.height + 6)
            contentItem: Text {
                text: menuButton.modelData.title
                font: menuButton.Theme.meta
                color: menuButton.hovered || menu.visible ? menuButton.Theme.primary : menuButton.Theme.muted
            }

            Menu {
                id: menu
                // The menu lies in the window's overlay, outside the root view: it takes the window's scheme
                // from the strip.
                background: Rectangle {
                    implicitWidth: 220
                    color: strip.Theme.panel
                    border.color: strip.Theme.line
                    radius: 8
                    // An open menu gets keys before anything else; Escape closes it.
                    KeyLayer { onDismissed: menu.close() }
                }
                Repeater {
                    model: menuButton.modelData.items
                    delegate: MenuItem {
                        id: entry
                        required property var modelData
                        Theme.scheme: strip.Theme.dark ? Theme.Dark : Theme.Light
                        background: Rectangle {
                            color: entry.highlighted ? entry.Theme.line : "transparent"
                            radius: 4
                        }
                        text: entry.modelData.divider ? "" : entry.modelData.title
                        enabled: !entry.modelData.divider && entry.modelData.enabled
                        checkable: entry.modelData.checkable
                        checked: entry.modelData.checked
                        height: entry.modelData.divider ? 9 : implicitHeight
                        onTriggered: strip.commands.trigger(entry.modelData.id)
                        Accessible.name: entry.modelData.divider ? "" : entry.modelData.title
                        contentItem: EntryLabel {
                            entry: entry.modelData
                            Theme.scheme: strip.Theme.dark ? Theme.Dark : Theme.Light
                        }
                    }
                }
            }
        }
    }

    // One entry: its title, or a divider, with its shortcut at the right.
    component EntryLabel: Item {
        id: label
        required property var entry
        implicitWidth: title.implicitWidth + keys.implicitWidth + 40
        implicitHeight: 22
        Rectangle {
            visible: label.entry.divider
            anchors.centerIn: parent
            width: parent.width
            height: 1
            color: label.Theme.line
        }
        Text {
            id: title
            visible: !label.entry.divider
            text: label.entry.title
            font: label.Theme.row
            color: label.Theme.primary
            anchors.verticalCenter: parent.verticalCenter
            opacity: label.entry.enabled ? 1 : 0.4
        }
        Text {
            id: keys
            visible: !label.entry.divider
            text: label.entry.shortcutText
            font: label.Theme.meta
            color: label.Theme.secondary
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            opacity: 0.55
        }
    }

    // The shortcuts, for the whole application.
    Repeater {
        model: {
            let all = [];
            for (const m of strip.commands.menus)
                for (const item of m.items)
                    if (!item.divider) all.push(item);
            return all;
        }
        delegate: Item {
            id: command
            required property var modelData
            Shortcut {
                sequence: command.modelData.shortcut
                context: Qt.ApplicationShortcut
                enabled: command.modelData.enabled
                onActivated: strip.commands.trigger(command.modelData.id)
            }
        }
    }
}
