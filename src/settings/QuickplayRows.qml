pragma ComponentBehavior: Bound
import QtQuick
import Velto.Kit
import Velto.Shell
import Velto.Settings

// The quickplay section: the opening page, the Smart DJ artists, the pins and the history.
Column {
    id: rows
    // The page\'s state, which these rows do not need.
    required property SettingsController page
    readonly property alias quickplaySettings: quick

    width: parent ? parent.width : 0

    QuickplaySettings {
        id: quick
        app: Stores.app
        library: Stores.library
        player: Stores.player
    }
    Setting {
        id: startPage
        key: "startPage"
    }

    SettingsRow {
        width: rows.width
        title: "Open VELTO on"
        help: "The screen you see when VELTO starts."
        Segmented {
            objectName: "startPage"
            options: ThemeSettings.startPageOptions()
            selection: startPage.value
            onChosen: value => startPage.value = value
        }
    }

    Column {
        objectName: "smartDJBlock"
        width: rows.width
        Rectangle {
            width: parent.width
            height: 1
            color: rows.Theme.line
        }
        Column {
            topPadding: 16
            spacing: 4
            Text {
                text: "Smart DJ"
                font: rows.Theme.setting
                color: rows.Theme.primary
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            BalancedText {
                text: "Up to five artists, each a mix on Quickplay of their songs and others like them."
                size: 12
                maxWidth: 420
                color: rows.Theme.secondary
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
        Row {
            objectName: "smartDJSlots"
            topPadding: 18
            bottomPadding: 18
            spacing: 16
            Repeater {
                model: quick.places
                // An artist shown, or an empty place; only one of the two is there.
                delegate: Item {
                    id: place
                    required property var modelData
                    required property int index
                    readonly property bool shown: modelData.name !== ""
                    implicitWidth: 112
                    implicitHeight: shown ? artist.implicitHeight : empty.implicitHeight
                    ArtistSlot {
                        id: artist
                        objectName: place.shown ? "smartDJ-" + place.index : ""
                        visible: place.shown
                        name: place.modelData.name
                        actions: [
                            HoverAction {
                                symbol: "minus"
                                label: "Remove " + place.modelData.name + " from Smart DJ"
                                onRun: quick.remove(place.modelData.name)
                            }
                        ]
                    }
                    EmptySlot {
                        id: empty
                        objectName: place.shown ? "" : "smartDJ-" + place.index
                        visible: !place.shown
                        label: "add an artist"
                        adds: place.modelData.adds
                        enabled: place.modelData.enabled
                        onClicked: quick.openAddMenu(empty)
                    }
                }
            }
        }
    }

    SettingsRow {
        objectName: "pinsRow"
        width: rows.width
        title: "Pins"
        help: quick.pinsHelp
        ConfirmPill {
            objectName: "clearPins"
            title: "clear pins"
            question: quick.pinsQuestion
            enabled: quick.hasPins
            onConfirmed: quick.clearPins()
        }
    }
    SettingsRow {
        width: rows.width
        title: "History"
        help: "Forget what you've played lately and which artists you play together. Play counts and likes stay."
        ConfirmPill {
            objectName: "clearHistory"
            title: "clear history"
            question: "this can't be undone"
            enabled: quick.canClearHistory
            onConfirmed: quick.clearHistory()
        }
    }
}
