pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Kit
import Velto.Shell

// The menu bar in the window's top band: one button per menu of the command table, each opening the
// program's own menu under it; every shortcut of the table works in the whole application while its
// command is enabled.
Row {
    id: strip
    required property CommandTable commands
    spacing: 14

    CommandMenus {
        id: menus
        commands: strip.commands
    }

    Repeater {
        model: strip.commands.menus
        delegate: AbstractButton {
            id: menuButton
            required property var modelData
            objectName: "menu " + modelData.title
            hoverEnabled: true
            anchors.verticalCenter: menuButton.parent ? menuButton.parent.verticalCenter : undefined
            Accessible.role: Accessible.ButtonMenu
            Accessible.name: modelData.title
            onClicked: menus.open(modelData.title, menuButton)
            contentItem: Text {
                text: menuButton.modelData.title
                font: menuButton.Theme.meta
                color: menuButton.hovered || menus.openMenu === menuButton.modelData.title ? menuButton.Theme.primary
                                                                                           : menuButton.Theme.muted
            }
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
