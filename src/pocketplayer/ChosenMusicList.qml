import QtQuick
import QtQuick.Templates as T
import Velto.Shell
import Velto.Collection
import Velto.Kit
import Velto.PocketPlayer

// The hand-picked music under the music choice: a caption with the number of picks, one row per pick in
// pick order and "clear all", or a single line while nothing is chosen. Rows only show and take off.
Column {
    id: list
    required property ChosenMusicModel picks
    spacing: 0

    Text {
        objectName: "nothingChosen"
        visible: list.picks.count === 0
        text: "Nothing chosen yet."
        font: list.Theme.row
        color: list.Theme.muted
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Caps {
        objectName: "chosenCaption"
        visible: list.picks.count > 0
        bottomPadding: 6
        text: list.picks.caption
        size: 11
        color: list.Theme.secondary
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Repeater {
        objectName: "chosenRows"
        model: list.picks
        // The rows only ask; the list takes the pick off.
        onItemAdded: (index, item) => item.removeAsked.connect(row => list.picks.remove(row))
        delegate: Item {
            id: row
            required property int index
            required property string kind
            required property string key
            required property string name
            required property string by
            required property string countText
            required property string picture
            required property var cover

            signal removeAsked(int row)

            objectName: "chosenRow" + index
            width: parent ? parent.width : 0
            height: 40
            Accessible.role: Accessible.ListItem
            Accessible.name: name

            Rectangle {
                width: parent.width
                height: 1
                color: row.Theme.line
            }
            Row {
                id: leading
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12
                Item {
                    width: 32
                    height: 32
                    Artwork {
                        objectName: "pickPicture"
                        anchors.fill: parent
                        visible: row.kind === "album" || row.kind === "song"
                        kind: row.kind === "album" ? "album" : "song"
                        url: row.picture === "" ? undefined : row.picture
                    }
                    ArtistPicture {
                        anchors.fill: parent
                        visible: row.kind === "artist"
                        name: row.kind === "artist" ? row.key : ""
                        round: true
                    }
                    PlaylistCover {
                        anchors.fill: parent
                        visible: row.kind === "playlist"
                        urls: row.kind === "playlist" ? row.cover : []
                    }
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.name
                    font: row.Theme.row
                    color: row.Theme.primary
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    width: Math.min(implicitWidth, Math.max(40, row.width * 0.45))
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    visible: row.by !== ""
                    text: row.by
                    font: row.Theme.row
                    color: row.Theme.muted
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    width: Math.min(implicitWidth, Math.max(40, row.width * 0.25))
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
            }
            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12
                Text {
                    objectName: "pickCount"
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.countText
                    font: row.Theme.detail
                    color: row.Theme.faint
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
                T.AbstractButton {
                    id: remove
                    objectName: "removePick"
                    width: 24
                    height: 24
                    hoverEnabled: true
                    focusPolicy: Qt.NoFocus
                    HoverHint.text: "Take off the player"
                    HoverHint.hovering: hovered
                    Accessible.role: Accessible.Button
                    Accessible.name: "Remove " + row.name
                    onClicked: row.removeAsked(row.index)
                    contentItem: Item {
                        Symbol {
                            anchors.centerIn: parent
                            width: 10
                            height: 10
                            name: "xmark"
                            size: 10
                            color: row.Theme.secondary
                        }
                    }
                }
            }
        }
    }

    Item {
        visible: list.picks.count > 0
        width: clearAll.implicitWidth
        height: clearAll.implicitHeight + 12
        PillButton {
            id: clearAll
            objectName: "clearAll"
            y: 12
            title: "clear all"
            color: list.Theme.soft
            onClicked: list.picks.clear()
        }
    }
}
