pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The wall of artists shown while no artist is chosen: a tile per artist with its name and its counts.
// A click opens the artist's page in place of the wall.
Item {
    id: wall
    property ArtistSection section
    readonly property ArtistListModel artists: ArtistListModel {
        library: Stores.library
    }
    readonly property alias grid: grid
    readonly property real cell: ArtistWallGrid.cellWidth(width)

    ColumnHeader {
        id: header
        count: wall.artists.artistCount
        noun: "artist"
        sort: "a–z"
    }

    GridView {
        id: grid
        objectName: "artistWall"
        anchors.top: header.bottom
        anchors.topMargin: 16 - 6
        anchors.bottom: parent.bottom
        x: -6
        width: parent.width + 12
        leftMargin: 6
        rightMargin: 6
        topMargin: 6
        bottomMargin: 6
        clip: true
        model: wall.artists
        reuseItems: true
        cellWidth: wall.cell + 24
        cellHeight: wall.cell + 3 + 7 + 18 + 3 + 16 + 28
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        Accessible.role: Accessible.List
        Accessible.name: "Artists"

        delegate: Item {
            id: cell
            required property int index
            required property string name
            required property string artwork
            required property int albumCount
            required property int songCount
            readonly property bool pinned: Stores.app !== null && Stores.app.pins.length >= 0
                                           && Stores.app.isPinned("artist:" + name)
            width: wall.cell
            height: grid.cellHeight
            z: tile.lifted ? 1 : 0

            readonly property HoverAction smartDJAction: HoverAction {
                symbol: "dot.radiowaves.left.and.right"
                label: "Smart DJ"
                onRun: {
                    Stores.player.smartDJ(cell.name)
                    Stores.app.go(Nav.Page.nowPlaying)
                }
            }
            readonly property HoverAction pinAction: HoverAction {
                symbol: cell.pinned ? "pin.slash" : "pin"
                label: cell.pinned ? "Unpin from Quickplay" : "Pin to Quickplay"
                onRun: Stores.app.togglePin("artist:" + cell.name)
            }

            // Under the tile, so its action buttons take their own clicks; the drag and the right click
            // pass through the tile to it.
            Item {
                width: wall.cell
                height: wall.cell
                PickDrag {
                    pick: Picks.artist(cell.name)
                }
                RightClickMenu {
                    page: ArtistMenu { name: cell.name }
                }
            }
            Column {
                width: parent.width
                spacing: 3
                Tile {
                    id: tile
                    width: wall.cell
                    height: wall.cell
                    url: cell.artwork
                    kind: "artist"
                    picture: ArtworkCache.artistSource(cell.name, ArtworkCache.revision)
                    title: cell.name
                    label: Tile.Never
                    ring: true
                    lift: 1.03
                    actions: [cell.smartDJAction, cell.pinAction]
                    onActivated: if (wall.section) wall.section.showArtist(cell.name)
                }
                Text {
                    topPadding: 7
                    width: parent.width
                    text: cell.name
                    font: cell.Theme.row
                    color: cell.Theme.primary
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    Accessible.ignored: true
                }
                Text {
                    width: parent.width
                    text: ArtistWallGrid.counts(cell.albumCount, cell.songCount)
                    font: cell.Theme.detail
                    color: cell.Theme.secondary
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
            }
        }
    }
}
