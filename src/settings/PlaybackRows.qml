import QtQuick
import Velto.Kit
import Velto.Shell
import Velto.Settings

// The playback section: the fade when pausing and the light along the bottom.
Column {
    id: rows
    // The page\'s state, which these rows do not need.
    required property SettingsController page
    width: parent ? parent.width : 0

    Setting {
        id: fade
        key: "fadeOnPause"
    }
    Setting {
        id: light
        key: "showEqualizer"
    }

    SettingsRow {
        width: rows.width
        title: "Fade when pausing"
        help: "The sound eases away over a third of a second instead of stopping dead."
        AccentSwitch {
            objectName: "fadeSwitch"
            label: "Fade when pausing"
            isOn: fade.value === true
            onToggled: fade.value = isOn
        }
    }
    SettingsRow {
        objectName: "lightRow"
        width: rows.width
        title: "Light along the bottom"
        help: ThemeSettings.lightHelp(light.value === true)
        AccentSwitch {
            objectName: "lightSwitch"
            label: "Light along the bottom"
            isOn: light.value === true
            onToggled: light.value = isOn
        }
    }
}
