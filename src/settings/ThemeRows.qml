pragma ComponentBehavior: Bound
import QtQuick
import Velto.Kit
import Velto.Shell
import Velto.Settings

// The theme section: light or dark, and the accent colour with what it follows.
Column {
    id: rows
    required property SettingsController page
    // The chosen pocket player, from the window's root.
    readonly property playerLook player: Stores.root.chosenPlayer

    width: parent ? parent.width : 0

    Setting {
        id: appearance
        key: "appearance"
    }
    Setting {
        id: accent
        key: "accent"
    }

    SettingsRow {
        width: rows.width
        title: "Appearance"
        help: "Every screen but Now Playing, which stays dark."
        Segmented {
            objectName: "appearance"
            options: ThemeSettings.appearanceOptions()
            selection: appearance.value
            onChosen: value => appearance.value = value
        }
    }

    // The accent block, divided from the row above like a row.
    Column {
        objectName: "accentBlock"
        width: rows.width
        Rectangle {
            width: parent.width
            height: 1
            color: rows.Theme.line
        }
        Text {
            topPadding: 16
            text: "Accent"
            font: rows.Theme.setting
            color: rows.Theme.primary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Row {
            topPadding: 14
            spacing: 14
            Repeater {
                model: AccentStore.choices()
                delegate: AccentChip {
                    required property string modelData
                    objectName: "chip-" + modelData
                    choice: modelData
                    selected: modelData === rows.page.accentChoice
                    playerTop: rows.player.top
                    onClicked: accent.value = modelData
                }
            }
        }
        BalancedText {
            objectName: "accentHelp"
            topPadding: 12
            bottomPadding: 16
            text: ThemeSettings.accentHelp(rows.page.accentChoice, rows.player)
            size: 12
            maxWidth: 560
            color: rows.Theme.secondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }
}
