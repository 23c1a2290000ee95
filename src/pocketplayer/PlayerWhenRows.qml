import QtQuick
import Velto.Kit
import Velto.PocketPlayer

// The when-syncing section: syncing on plugging in, removing what was deleted here, what a full player does.
Column {
    id: rows
    required property PlayerSettingsPage page
    width: parent ? parent.width : 0

    SettingsRow {
        width: rows.width
        title: "Sync as soon as I plug my player in"
        help: "Otherwise, sync starts when you press sync now."
        AccentSwitch {
            objectName: "autoSyncSwitch"
            label: "Sync as soon as I plug my player in"
            isOn: rows.page !== null && rows.page.autoSync
            onToggled: rows.page.autoSync = isOn
        }
    }
    SettingsRow {
        width: rows.width
        title: "Remove songs I delete here"
        help: "Keeps the player matching your collection."
        AccentSwitch {
            objectName: "removeDeletedSwitch"
            label: "Remove songs I delete here"
            isOn: rows.page !== null && rows.page.removeDeleted
            onToggled: rows.page.removeDeleted = isOn
        }
    }
    SettingsRow {
        objectName: "whenFullRow"
        width: rows.width
        title: "When my player is full"
        help: rows.page ? rows.page.whenFullHelp : ""
        Segmented {
            objectName: "whenFullChoice"
            options: [{ value: "stop", label: "stop and tell me" }, { value: "skip", label: "leave out least played" }]
            selection: rows.page ? rows.page.whenFull : ""
            onChosen: value => rows.page.whenFull = value
        }
    }
}
