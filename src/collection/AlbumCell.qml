pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Collection

// One album of an album grid: the cover as a tile with its hover actions, the title and a second line (a
// link to the artist when it is the album's artist). A click selects the album, a double click plays it;
// the cover drags the album to the pocket player or a playlist. The rules live in AlbumGridModel.
Item {
    id: cell
    // One cell of the grid model's row: { album, id, title, artist, artwork, second, link }; null for an
    // empty place at a short row's end, which is hidden. A cell is handed other albums as its row is
    // reused: everything it shows follows this.
    property var entry: null
    readonly property bool shown: entry !== null && entry !== undefined
    property AlbumGridModel albums
    property bool selected: false
    property bool cursor: false
    property bool showArtistLink: true
    property bool quiet: false
    readonly property string albumId: shown ? entry.id : ""
    readonly property string albumTitle: shown ? entry.title : ""
    // A space keeps an empty second line one line high.
    readonly property string second: shown ? entry.second : " "
    readonly property bool link: shown && entry.link
    readonly property bool lifted: tile.lifted
    // Read again whenever the pins change.
    readonly property bool pinned: Stores.app !== null && Stores.app.pins !== undefined && albums !== null
                                   && albums.pinned(albumId)
    readonly property var actionSpecs: AlbumGridRules.cellActionsOf(pinned)
    signal open

    // A click on the album shown before the row was handed on is not one on the album shown now.
    onEntryChanged: tile.cancelPendingClick()
    objectName: "albumCell:" + cell.albumTitle
    visible: shown
    implicitHeight: parts.implicitHeight
    z: lifted ? 1 : 0

    Column {
        id: parts
        width: cell.width

        Tile {
            id: tile
            objectName: "albumCover"
            width: cell.width
            height: cell.width
            url: cell.shown ? cell.entry.artwork : ""
            kind: "album"
            title: cell.albumTitle
            subtitle: cell.second.trim()
            label: Tile.Never
            actions: [playAction, enqueueAction, pinAction]
            selected: cell.selected
            ring: !cell.quiet
            cursor: cell.cursor
            lift: 1.03
            hasDoubleAction: true
            opacity: AlbumGridRules.cellOpacity(cell.quiet, cell.selected, tile.hovered)
            onActivated: cell.open()
            onDoubleActivated: cell.albums.play(cell.albumId)
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }

            HoverAction {
                id: playAction
                symbol: cell.actionSpecs[0].symbol
                label: cell.actionSpecs[0].label
                onRun: cell.albums.runCellAction(cell.albumId, 0)
            }
            HoverAction {
                id: enqueueAction
                symbol: cell.actionSpecs[1].symbol
                label: cell.actionSpecs[1].label
                onRun: cell.albums.runCellAction(cell.albumId, 1)
            }
            HoverAction {
                id: pinAction
                symbol: cell.actionSpecs[2].symbol
                label: cell.actionSpecs[2].label
                onRun: cell.albums.runCellAction(cell.albumId, 2)
            }
            PickDrag {
                pick: cell.shown ? Picks.album(cell.entry.album) : null
            }
            RightClickMenu {
                page: AlbumMenu {
                    albumID: cell.albumId
                    showArtist: cell.showArtistLink
                    showInCollection: false
                }
            }
        }
        Item { width: 1; height: 7 }
        Text {
            objectName: "albumCellTitle"
            width: cell.width
            text: cell.albumTitle
            font: cell.Theme.row
            color: cell.selected ? cell.Theme.accentText : cell.Theme.primary
            elide: Text.ElideRight
            maximumLineCount: 1
            Accessible.ignored: true
        }
        Item { width: 1; height: 3 }
        // The second line: a link to the artist when it is the album's artist, else plain text.
        Item {
            width: cell.width
            height: plainSecond.implicitHeight
            ArtistLink {
                visible: cell.link
                width: Math.min(implicitWidth, cell.width)
                name: cell.second
                font: cell.Theme.detail
            }
            Text {
                id: plainSecond
                visible: !cell.link
                width: cell.width
                text: cell.second
                font: cell.Theme.detail
                color: cell.Theme.secondary
                elide: Text.ElideRight
                maximumLineCount: 1
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
            }
        }
    }
}
