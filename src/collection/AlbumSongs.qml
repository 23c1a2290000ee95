pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The detail column of one album: the cover (a dropped picture becomes the album's cover), the overline,
// the title (a double click renames it in place), the artist and the facts; the play, shuffle, add,
// Mixview and more buttons; and the songs under disc headings, with a keyboard cursor of their own. Its
// parts arrive again, one after another, whenever the album changes. The rules live in AlbumDetail.
FocusScope {
    id: column
    property alias albumId: detail.albumId
    property bool showArtist: true
    // The song list holds the section's keyboard focus.
    property bool active: false
    readonly property AlbumDetail detail: detail
    readonly property alias list: listView
    // Whether the parts have arrived; on another album they leave at once and arrive on the next turn.
    property bool shown: true
    signal focusRequested
    // Left in the song list: the owner gives the grid the keyboard.
    signal leftPressed

    implicitWidth: 380

    function takeFocus() {
        const holder = Window.activeFocusItem
        if (holder && holder !== listView && ListKeys.isTextInput(holder)) holder.focus = false
        listView.forceActiveFocus()
        detail.focusTaken()
    }
    onActiveChanged: if (active) takeFocus()

    AlbumDetail {
        id: detail
        library: Stores.library
        player: Stores.player
        onAlbumIdChanged: {
            column.shown = false
            arriveLater.restart()
        }
        onLeftPressed: column.leftPressed()
        onCursorChanged: if (cursor >= 0 && cursor < listView.count) listView.positionViewAtIndex(cursor, ListView.Contain)
    }

    // The parts arrive on the next turn of the event loop, after they have been drawn hidden.
    Timer {
        id: arriveLater
        interval: 0
        onTriggered: column.shown = true
    }

    Column {
        id: top
        width: column.width

        Row {
            id: header
            spacing: 18
            Arrive { shown: column.shown; delay: 0 }

            Item {
                id: cover
                objectName: "albumCover"
                width: 132
                height: 132
                property bool dropping: false
                ToolTip.text: "Drop a picture here to use it as the cover"
                ToolTip.visible: coverHover.hovered && !dropping
                ToolTip.delay: 700
                Accessible.role: Accessible.Graphic
                Accessible.name: "Cover of " + detail.title

                Artwork {
                    anchors.fill: parent
                    url: detail.artwork
                    kind: "album"
                }
                Rectangle {
                    anchors.fill: parent
                    color: column.Theme.scrim
                    border.width: 2
                    border.color: column.Theme.accentFrom
                    opacity: cover.dropping ? 1 : 0
                    visible: opacity > 0
                    Behavior on opacity {
                        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                    }
                    Caps {
                        anchors.centerIn: parent
                        width: parent.width - 16
                        horizontalAlignment: Text.AlignHCenter
                        wrapMode: Text.WordWrap
                        text: "drop to use as cover"
                        size: 10
                        color: "white"
                    }
                }
                HoverHandler { id: coverHover }
                DropArea {
                    anchors.fill: parent
                    keys: ["text/uri-list"]
                    onEntered: (drag) => {
                        drag.accepted = detail.offersPicture(drag.urls)
                        cover.dropping = drag.accepted
                    }
                    onExited: cover.dropping = false
                    onDropped: (drop) => {
                        cover.dropping = false
                        drop.accepted = detail.dropCover(drop.urls)
                    }
                }
                RightClickMenu {
                    page: CoverMenu { albumID: detail.albumId }
                }
            }

            Item {
                width: column.width - 132 - 18
                height: 132
                Column {
                    width: parent.width
                    Caps {
                        text: detail.overline
                        size: 10
                        color: column.Theme.secondary
                    }
                    Item { width: 1; height: 3 }
                    Text {
                        objectName: "albumTitle"
                        visible: !detail.renaming
                        width: parent.width
                        text: detail.title.toLowerCase()
                        font: column.Theme.heading
                        color: column.Theme.primary
                        wrapMode: Text.Wrap
                        maximumLineCount: 3
                        elide: Text.ElideRight
                        Accessible.role: Accessible.Heading
                        Accessible.name: detail.title
                        ToolTip.text: "Double-click to rename"
                        ToolTip.visible: titleHover.hovered
                        ToolTip.delay: 700
                        HoverHandler { id: titleHover }
                        // Double clicks counted like the tiles' own, on the desktop's interval.
                        TapHandler {
                            onTapped: titleTaps.click()
                        }
                        Taps {
                            id: titleTaps
                            hasDouble: true
                            onDoubled: detail.startRename()
                        }
                    }
                    // Made when a rename starts: the field takes the keyboard a moment after it shows.
                    Loader {
                        id: titleField
                        visible: detail.renaming
                        width: parent.width
                        source: detail.renaming ? "AlbumTitleField.qml" : ""
                        onLoaded: {
                            const field = item as RenameField
                            field.text = detail.draft
                            field.placeholderText = detail.title
                        }
                    }
                    Connections {
                        target: titleField.item
                        ignoreUnknownSignals: true
                        function onTextEdited() { detail.draft = (titleField.item as RenameField).text }
                        function onCommit() { detail.finishRenaming() }
                        function onCancel() { detail.cancelRename() }
                    }
                    Item { width: 1; height: 8; visible: column.showArtist }
                    Row {
                        visible: column.showArtist
                        spacing: 6
                        ArtistPicture {
                            anchors.verticalCenter: parent.verticalCenter
                            width: 18
                            height: 18
                            name: detail.artist
                        }
                        ArtistLink {
                            anchors.verticalCenter: parent.verticalCenter
                            width: Math.min(implicitWidth, column.width - 132 - 18 - 24)
                            name: detail.artist
                            font: column.Theme.row
                            restColor: column.Theme.primary
                        }
                    }
                }
                Text {
                    anchors.bottom: parent.bottom
                    width: parent.width
                    text: detail.facts
                    font: column.Theme.detail
                    color: column.Theme.secondary
                    elide: Text.ElideRight
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
            }
        }

        Row {
            id: buttons
            x: -4
            topPadding: 10
            bottomPadding: 8
            spacing: 4
            Arrive { shown: column.shown; delay: 0.04 }
            CircleButton {
                symbol: "play.fill"
                size: 30
                filled: true
                label: "Play"
                onClicked: detail.play()
            }
            CircleButton {
                symbol: "shuffle"
                size: 30
                label: "Shuffle"
                onClicked: detail.shuffle()
            }
            Item { width: 4; height: 1 }
            AddButton {
                size: 30
                songs: detail.songValues
                newName: detail.title
            }
            MixviewButton {
                size: 30
                kind: "album"
                value: detail.albumId
            }
            MoreButton {
                size: 30
                page: AlbumMoreMenu {
                    albumID: detail.albumId
                    onRenameChosen: detail.startRename()
                }
            }
        }

        Item {
            id: captions
            width: column.width
            height: captionRow.height + 6 + 1
            Arrive { shown: column.shown; delay: 0.07 }
            Row {
                id: captionRow
                width: parent.width
                spacing: 14
                Caps { width: 22; horizontalAlignment: Text.AlignRight; text: "#"; size: 10; color: column.Theme.faint }
                Caps { width: captionRow.width - 22 - 92 - 28; text: "song"; size: 10; color: column.Theme.faint }
                Caps { width: 92; horizontalAlignment: Text.AlignRight; text: "time"; size: 10; color: column.Theme.faint }
            }
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: column.Theme.line
            }
        }
    }

    ListView {
        id: listView
        objectName: "albumSongList"
        anchors.top: top.bottom
        anchors.bottom: parent.bottom
        x: -8
        width: column.width + 16
        clip: true
        focus: true
        model: detail.songs
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
        Accessible.role: Accessible.List
        Accessible.name: "Songs of " + detail.title
        onActiveFocusChanged: if (activeFocus) column.focusRequested()
        Keys.onPressed: (event) => {
            event.accepted = detail.key(event.key, event.modifiers, event.text, event.isAutoRepeat,
                                        column.Window.activeFocusItem)
        }

        section.property: "disc"
        section.delegate: Item {
            id: discHeading
            required property string section
            width: listView.width
            height: section === "" ? 0 : label.y + label.implicitHeight + 4
            Caps {
                id: label
                x: 8
                // No space above the first disc's heading.
                y: discHeading.section === detail.firstDisc ? 0 : 14
                visible: discHeading.section !== ""
                text: discHeading.section
                size: 10
                color: column.Theme.secondary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
        }

        delegate: SongRow {
            id: songRow
            required property string songSubtitle
            x: 8
            width: listView.width - 16
            list: detail.songs
            columns: false
            subtitle: songRow.songSubtitle
            cursor: listView.activeFocus && detail.cursor === index
            onPlay: {
                detail.choose(index)
                column.focusRequested()
            }
            Arrive {
                shown: column.shown || songRow.index > 11
                delay: 0.09 + 0.02 * Math.min(songRow.index, 12)
            }
        }
    }
}
