import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// The conversion section. Quality and keeping copies mean nothing while converting is off: they fade and
// take no clicks, and keep their values for when it is on again.
Column {
    id: rows
    required property PlayerSettingsPage page
    width: parent ? parent.width : 0

    SettingsRow {
        width: rows.width
        title: "Convert songs my player can't play"
        help: "Your player plays MP3, AAC and WMA. FLAC, OGG and Opus become AAC on it. Your files here stay as they are."
        AccentSwitch {
            objectName: "convertSwitch"
            label: "Convert songs my player can't play"
            isOn: rows.page !== null && rows.page.convert
            onToggled: rows.page.convert = isOn
        }
    }
    Column {
        objectName: "convertedGroup"
        width: rows.width
        readonly property bool on: rows.page !== null && rows.page.convert
        opacity: on ? 1 : 0.4
        enabled: on
        SettingsRow {
            objectName: "qualityRow"
            width: rows.width
            title: "Quality"
            help: rows.page ? rows.page.qualityHelp : ""
            Segmented {
                objectName: "qualityChoice"
                options: [{ value: 192, label: "192 kbps" }, { value: 256, label: "256 kbps" }, { value: 320, label: "320 kbps" }]
                selection: rows.page ? rows.page.quality : 0
                onChosen: value => rows.page.quality = value
            }
        }
        SettingsRow {
            width: rows.width
            title: "Keep converted copies"
            help: "The next sync is faster, but the copies take space on this computer."
            AccentSwitch {
                objectName: "keepCopiesSwitch"
                label: "Keep converted copies"
                isOn: rows.page !== null && rows.page.keepCopies
                onToggled: rows.page.keepCopies = isOn
            }
        }
    }
}
