pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.Collection

// One song of a song list: the playing mark or number, the title (or the rename field), with `columns` the
// artist link and the album, the hover actions or the liked heart, and the duration. A click plays the
// list from this row; the right button and the Menu key open the row's menu. The rules live in SongRows.
Item {
    id: row
    required property int index
    required property string title
    required property string artist
    required property string albumArtist
    required property string album
    required property string time
    required property real duration
    required property int number
    required property bool current
    required property bool liked
    required property bool taggedTitle

    property SongListModel list
    property bool cursor: false
    property bool columns: true
    property int extras: 0
    property string subtitle: ""
    // The list's actions for a row, each { symbol, label, run }: `extraFor(row)` adds hover actions before
    // the row's own, `menuFor(row)` adds menu (and accessibility) rows after them. Null for none.
    property var extraFor: null
    property var menuFor: null
    readonly property var extraActions: highlighted && extraFor ? extraFor.call(row, index) : []
    readonly property var hoverActions: highlighted ? extraActions.concat(SongRows.actionsOf(liked)) : []
    // Added above the row while a drop would land before it.
    property real gap: 0
    readonly property bool hovered: hover.hovered
    readonly property bool highlighted: hovered || cursor
    readonly property var mark: SongRows.markOf(number, highlighted, current, list ? list.playing : false)
    readonly property color ink: current ? Theme.accentText : Theme.primary
    readonly property color sideInk: current ? Theme.accentText : Theme.secondary
    property bool renaming: false
    property string draft: ""
    // Set as the row goes: a focus loss then is no commit.
    property bool leaving: false

    signal play

    function startRename() {
        draft = title
        renaming = true
    }
    function finishRenaming() {
        if (!renaming || leaving) return
        renaming = false
        if (list) list.rename(index, draft)
    }
    function cancelRename() {
        renaming = false
    }
    function openMenu(x: real, y: real) {
        SongRows.openMenuWith(row, row.list, row.index, row.columns, Qt.point(x, y), () => row.startRename(),
                              row.extraFor ? row.extraFor.call(row, row.index) : [],
                              row.menuFor ? row.menuFor.call(row, row.index) : [])
    }
    function runHoverAction(i: int) {
        const extras = row.extraActions.length
        if (i < extras) row.extraActions[i].run()
        else SongRows.runAction(row.list, row.index, i - extras)
    }

    implicitHeight: (subtitle !== "" ? 46 : 32) + gap
    Component.onDestruction: leaving = true

    Accessible.role: Accessible.Button
    Accessible.name: SongRows.accessibleName(title, artist, album, columns)
    Accessible.description: SongRows.accessibleValue(current, duration)
    Accessible.onPressAction: row.play()

    Item {
        id: body
        y: row.gap
        width: row.width
        height: row.height - row.gap

        // The cursor's shade and the hover shade, reaching past both ends of the row.
        Rectangle {
            anchors.fill: parent
            anchors.leftMargin: -8
            anchors.rightMargin: -8
            color: row.Theme.primary
            opacity: row.cursor ? 0.1 : row.hovered ? 0.06 : 0
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: row.Theme.line
        }

        Row {
            anchors.fill: parent
            spacing: 14

            Item {
                width: 22
                height: parent.height
                Symbol {
                    visible: row.mark.symbol !== ""
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    width: 11
                    height: 11
                    size: 9
                    name: row.mark.symbol
                    color: row.current ? row.Theme.accentText : row.Theme.faint
                }
                Text {
                    visible: row.mark.text !== ""
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.mark.text
                    font: row.Theme.detail
                    color: row.current ? row.Theme.accentText : row.Theme.faint
                }
            }

            Column {
                id: titleBlock
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - 22 - 14 - trailing.width - 14
                       - (row.columns ? 200 + 220 + 28 : 0)
                spacing: 1
                Text {
                    objectName: "songTitle"
                    visible: !row.renaming
                    width: parent.width
                    text: row.title
                    font: row.Theme.row
                    color: row.ink
                    elide: Text.ElideRight
                    maximumLineCount: 1
                }
                Loader {
                    id: renameLoader
                    visible: row.renaming
                    width: parent.width
                    source: row.renaming ? "RenameField.qml" : ""
                    onLoaded: {
                        const field = item as RenameField
                        field.text = row.draft
                        field.placeholderText = row.title
                    }
                }
                Connections {
                    target: renameLoader.item
                    ignoreUnknownSignals: true
                    function onTextEdited() { row.draft = (renameLoader.item as RenameField).text }
                    function onCommit() { row.finishRenaming() }
                    function onCancel() { row.cancelRename() }
                }
                Text {
                    visible: row.subtitle !== ""
                    width: parent.width
                    text: row.subtitle
                    font: row.Theme.detail
                    color: row.Theme.secondary
                    elide: Text.ElideRight
                    maximumLineCount: 1
                }
            }

            Item {
                visible: row.columns
                width: row.columns ? 200 : 0
                height: parent.height
                ArtistLink {
                    anchors.verticalCenter: parent.verticalCenter
                    width: Math.min(implicitWidth, parent.width)
                    name: row.artist
                    artist: row.albumArtist
                    font: row.Theme.row
                    restColor: row.sideInk
                }
            }
            Text {
                visible: row.columns
                width: row.columns ? 220 : 0
                anchors.verticalCenter: parent.verticalCenter
                text: row.album
                font: row.Theme.row
                color: row.sideInk
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            Item {
                id: trailing
                width: SongRows.trailingWidth(row.extras)
                height: parent.height
                Row {
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 4
                    Repeater {
                        model: row.hoverActions
                        delegate: RoundAction {
                            id: roundAction
                            required property var modelData
                            required property int index
                            anchors.verticalCenter: parent ? parent.verticalCenter : undefined
                            size: 22
                            bare: true
                            hoverAction: HoverAction {
                                symbol: roundAction.modelData.symbol
                                label: roundAction.modelData.label
                                onRun: row.runHoverAction(roundAction.index)
                            }
                        }
                    }
                    Symbol {
                        visible: !row.highlighted && row.liked
                        anchors.verticalCenter: parent.verticalCenter
                        width: 11
                        height: 11
                        size: 9
                        name: "heart.fill"
                        color: row.Theme.accentText
                        Accessible.role: Accessible.Graphic
                        Accessible.name: "Liked"
                    }
                    Text {
                        width: 40
                        anchors.verticalCenter: parent.verticalCenter
                        horizontalAlignment: Text.AlignRight
                        text: row.time
                        font: row.Theme.meta
                        color: row.sideInk
                    }
                }
            }
        }

        HoverHandler {
            id: hover
        }
        // The row drags its song; the pick is made only for the row under the pointer.
        PickDrag {
            pick: row.hovered && row.list ? Picks.song(row.list.song(row.index)) : undefined
        }
        TapHandler {
            acceptedButtons: Qt.LeftButton
            onTapped: if (!row.renaming) row.play()
        }
        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: (point) => row.openMenu(point.position.x, point.position.y + row.gap)
        }
    }
}
