import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// The sync section: what goes on the player and how much it is, what the choice means, the picks while
// the choice is "only what I choose", and what a later version adds.
Column {
    id: rows
    required property PlayerSettingsPage page
    width: parent ? parent.width : 0

    Item {
        width: rows.width
        height: musicRow.height + 16
        Rectangle {
            width: parent.width
            height: 1
            color: rows.Theme.line
        }
        Row {
            id: musicRow
            y: 16
            spacing: 24
            Text {
                width: 130
                anchors.verticalCenter: parent.verticalCenter
                text: "music"
                font.family: rows.Theme.row.family
                font.pixelSize: 24
                font.weight: Font.Light
                color: rows.Theme.primary
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Segmented {
                objectName: "musicChoice"
                anchors.verticalCenter: parent.verticalCenter
                options: [{ value: "all", label: "everything" }, { value: "choose", label: "only what I choose" },
                          { value: "none", label: "nothing" }]
                selection: rows.page ? rows.page.music : ""
                onChosen: value => rows.page.music = value
            }
        }
        Text {
            objectName: "musicFigure"
            anchors.right: parent.right
            anchors.verticalCenter: musicRow.verticalCenter
            text: rows.page ? rows.page.musicFigure : ""
            font: rows.Theme.row
            color: rows.Theme.secondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }
    Text {
        objectName: "musicHelp"
        width: rows.width
        leftPadding: 154
        topPadding: 6
        bottomPadding: 16
        text: rows.page ? rows.page.musicHelp : ""
        wrapMode: Text.Wrap
        font: rows.Theme.meta
        color: rows.Theme.secondary
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
    Item {
        visible: rows.page !== null && rows.page.showsChosenMusic
        width: rows.width
        height: visible ? chosen.height + 16 : 0
        ChosenMusicList {
            id: chosen
            objectName: "chosenMusic"
            x: 154
            width: parent.width - 154
            picks: rows.page.chosenMusic
        }
    }
    Item {
        width: rows.width
        height: note.height
        Rectangle {
            width: parent.width
            height: 1
            color: rows.Theme.line
        }
        Text {
            id: note
            width: parent.width
            topPadding: 16
            bottomPadding: 16
            text: "Playlists, podcasts and pictures come in a later version."
            wrapMode: Text.Wrap
            font: rows.Theme.meta
            color: rows.Theme.muted
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }
}
