pragma ComponentBehavior: Bound
import QtQuick
import Velto.Kit
import Velto.Shell
import Velto.Quickplay
import Velto.Settings

// The music section: what the collection holds, the music folder, watching it, adding music and Last.fm.
Column {
    id: rows
    required property SettingsController page
    readonly property alias musicSettings: music

    width: parent ? parent.width : 0

    MusicSettings {
        id: music
        library: Stores.library
        lastFM: Stores.lastFM
        page: rows.page
    }
    Setting {
        id: watchSetting
        key: "watchFolder"
    }

    component Figure: Column {
        id: figure
        property string value
        property string word
        spacing: 2
        Accessible.role: Accessible.StaticText
        Accessible.name: value + " " + word
        DigitsText {
            text: figure.value
            font: figure.Theme.heading
            color: figure.Theme.primary
        }
        Caps {
            text: figure.word
            size: 11
            color: figure.Theme.muted
            Accessible.ignored: true
        }
    }

    // The collection's figures, the library's status line and the note on second copies.
    Column {
        objectName: "collectionCounts"
        width: rows.width
        spacing: 10
        bottomPadding: 24
        Row {
            spacing: 32
            Figure { objectName: "songsFigure"; value: music.songs; word: "songs" }
            Figure { objectName: "albumsFigure"; value: music.albums; word: "albums" }
            Figure { objectName: "artistsFigure"; value: music.artists; word: "artists" }
            Figure { objectName: "sizeFigure"; value: music.onDisk; word: "on disk" }
        }
        StatusLine {
            library: Stores.library
        }
        Text {
            objectName: "duplicatesNote"
            visible: text !== ""
            width: rows.width
            text: music.duplicatesNote
            font: rows.Theme.meta
            color: rows.Theme.secondary
            wrapMode: Text.Wrap
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }

    SettingsRow {
        width: rows.width
        title: "Music folder"
        help: music.folderPath
        Row {
            spacing: 8
            PillButton {
                objectName: "chooseFolder"
                title: "choose"
                color: rows.Theme.soft
                onClicked: music.chooseFolder()
            }
            PillButton {
                objectName: "lookAgain"
                title: "look again"
                color: rows.Theme.soft
                enabled: !music.scanning
                onClicked: music.scan()
            }
        }
    }
    SettingsRow {
        width: rows.width
        title: "Pick up new music on its own"
        help: "Songs copied into the folder show up in a few seconds, without looking again."
        AccentSwitch {
            objectName: "watchSwitch"
            label: "Pick up new music on its own"
            isOn: watchSetting.value === true
            onToggled: music.setWatching(isOn)
        }
    }
    SettingsRow {
        width: rows.width
        title: "Add music"
        help: "Copies songs or folders into your music folder, sorted by artist and album. You can also drop them on the window."
        PillButton {
            objectName: "addMusic"
            title: "add music"
            filled: true
            color: rows.Theme.primary
            onClicked: music.addMusic()
        }
    }
    SettingsRow {
        objectName: "lastFMRow"
        width: rows.width
        title: "Last.fm"
        help: "Similar artists and genres for Mixview. Only artist names are sent."
        status: music.status
        Row {
            spacing: 8
            // Connected: look up again, change the key, forget it.
            PillButton {
                objectName: "lookUp"
                anchors.verticalCenter: parent.verticalCenter
                visible: music.connected
                title: "look up"
                color: rows.Theme.soft
                onClicked: music.lookUp()
            }
            PillButton {
                objectName: "changeKey"
                anchors.verticalCenter: parent.verticalCenter
                visible: music.connected
                title: "change key"
                color: rows.Theme.soft
                onClicked: music.changeKey()
            }
            ConfirmPill {
                objectName: "forget"
                anchors.verticalCenter: parent.verticalCenter
                visible: music.connected
                title: "forget"
                question: "forget the key and what was looked up?"
                onConfirmed: music.forget()
            }
            // Entering a key.
            SettingsFieldStyle {
                objectName: "keyField"
                anchors.verticalCenter: parent.verticalCenter
                visible: !music.connected
                monospaced: true
                placeholderText: "API key"
                text: rows.page.keyDraft
                onTextEdited: rows.page.keyDraft = text
                onAccepted: music.saveKey()
            }
            PillButton {
                objectName: "saveKey"
                anchors.verticalCenter: parent.verticalCenter
                visible: !music.connected
                enabled: music.canSave
                title: "save"
                color: rows.Theme.soft
                onClicked: music.saveKey()
            }
            PillButton {
                objectName: "cancelKey"
                anchors.verticalCenter: parent.verticalCenter
                visible: !music.connected && rows.page.editingKey
                title: "cancel"
                color: rows.Theme.soft
                onClicked: music.cancelKey()
            }
            Caps {
                objectName: "getKey"
                anchors.verticalCenter: parent.verticalCenter
                visible: !music.connected && !rows.page.editingKey
                text: "get a key"
                size: 11
                color: rows.Theme.soft
                font.underline: keyLink.containsMouse
                Accessible.role: Accessible.Link
                Accessible.name: "get a key"
                Accessible.onPressAction: Qt.openUrlExternally(music.keyPage)
                MouseArea {
                    id: keyLink
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: Qt.openUrlExternally(music.keyPage)
                }
            }
        }
    }
}
