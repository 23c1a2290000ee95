pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Quickplay

// One tile of the pins, new and history columns, for a row of the start page's model: an album plays, an
// artist opens in the collection, a playlist plays; the hover actions and the pin come from the page
// controller, which runs them.
Item {
    id: tile
    required property QuickplayPage page
    required property string itemId
    required property string kind
    required property string key
    required property string title
    required property string artist
    required property string artwork
    required property int albumCount
    required property int songCount
    required property var coverUrls
    // Read again whenever the pins change.
    readonly property bool pinned: Stores.app && Stores.app.pins && page.pinned(itemId)

    readonly property bool cursor: page.cursor === itemId
    readonly property bool lifted: art.lifted
    objectName: "quickTile:" + itemId

    Tile {
        id: art
        objectName: "tileArt"
        anchors.fill: parent
        url: tile.kind === "playlist" ? "" : tile.artwork
        picture: tile.kind === "artist" ? ArtworkCache.artistSource(tile.key, ArtworkCache.revision)
                 : tile.kind === "playlist" && tile.coverUrls.length > 0
                   ? ArtworkCache.mosaicSource(tile.coverUrls, ArtworkCache.revision) : ""
        kind: tile.kind
        label: Tile.OnHover
        ring: true
        lift: 1.04
        cursor: tile.cursor
        title: tile.kind === "album" ? tile.artist : tile.title
        subtitle: tile.kind === "album" ? tile.title
                  : tile.kind === "artist" ? (tile.albumCount === 1 ? "1 album" : tile.albumCount + " albums")
                  : (tile.songCount === 1 ? "1 song" : tile.songCount + " songs")
        actions: tile.kind === "album" ? [tile.playAction, tile.enqueueAction, tile.pinAction]
                 : tile.kind === "artist" ? [tile.smartDJAction, tile.pinAction]
                 : [tile.playAction, tile.shuffleAction, tile.pinAction]
        onActivated: {
            if (tile.kind === "artist") tile.page.showArtist(tile.key)
            else tile.page.play(tile.itemId)
        }

        RightClickMenu {
            objectName: "tileMenu"
            page: tile.kind === "album" ? tile.albumMenu : tile.kind === "artist" ? tile.artistMenu : tile.playlistMenu
        }
    }

    // The right-click menus, by kind, built from the stores at the moment of the click: the pin is there
    // even on a small tile that shows only two of its round actions.
    readonly property AlbumMenu albumMenu: AlbumMenu {
        albumID: tile.kind === "album" ? tile.key : ""
        showInCollection: true
    }
    readonly property ArtistMenu artistMenu: ArtistMenu {
        name: tile.kind === "artist" ? tile.key : ""
        showInCollection: true
    }
    readonly property PlaylistMenu playlistMenu: PlaylistMenu {
        playlistID: tile.kind === "playlist" ? tile.key : ""
        showInCollection: true
    }

    readonly property HoverAction pinAction: HoverAction {
        symbol: tile.pinned ? "pin.slash" : "pin"
        label: tile.pinned ? "Unpin from Quickplay" : "Pin to Quickplay"
        onRun: tile.page.togglePin(tile.itemId)
    }
    readonly property HoverAction playAction: HoverAction {
        symbol: "play.fill"
        label: "Play"
        onRun: tile.page.play(tile.itemId)
    }
    readonly property HoverAction enqueueAction: HoverAction {
        symbol: "plus"
        label: "Add to Now Playing"
        onRun: tile.page.enqueue(tile.itemId)
    }
    readonly property HoverAction shuffleAction: HoverAction {
        symbol: "shuffle"
        label: "Shuffle"
        onRun: tile.page.play(tile.itemId, true)
    }
    readonly property HoverAction smartDJAction: HoverAction {
        symbol: "play.fill"
        label: "Smart DJ"
        onRun: tile.page.startSmartDJ(tile.key)
    }
}
