pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The artist page's albums under a header whose sort button steps through the sorts (kept in
// "albumSort"): a cell per album with its year; a click opens the album beside the page.
Column {
    id: block
    property ArtistSection section
    readonly property var albums: section ? section.albums : []
    readonly property real cell: ArtistWallGrid.albumCellWidth(width, 150, 24)
    spacing: 16

    // The cell of an album, for scrolling it into view; null when it has none.
    function cellFor(id: string): Item {
        for (let i = 0; i < cells.count; ++i) {
            const item = cells.itemAt(i)
            if (item && item.objectName === "albumCell:" + id) return item
        }
        return null
    }

    ColumnHeader {
        count: block.albums.length
        noun: "album"
        sort: block.section ? block.section.albumSortLabel : ""
        sortable: true
        onSortClicked: block.section.nextAlbumSort()
    }

    Flow {
        width: block.width
        spacing: 24
        Repeater {
            id: cells
            model: block.albums
            delegate: AlbumCellFrame {
                required property var modelData
                width: block.cell
                objectName: "albumCell:" + modelData.id
                albumID: modelData.id
                title: modelData.title
                year: modelData.year
                artwork: String(modelData.artworkURL)
                onChosen: block.section.chooseAlbum(albumID)
            }
        }
    }

    component AlbumCellFrame: Column {
        id: frame
        property string albumID
        property string title
        property int year: 0
        property string artwork
        signal chosen
        spacing: 3
        Tile {
            width: frame.width
            height: frame.width
            url: frame.artwork
            kind: "album"
            title: frame.title
            label: Tile.Never
            ring: true
            lift: 1.03
            onActivated: frame.chosen()
            RightClickMenu {
                page: AlbumMenu { albumID: frame.albumID }
            }
        }
        Text {
            topPadding: 7
            width: frame.width
            text: frame.title
            font: frame.Theme.row
            color: frame.Theme.primary
            elide: Text.ElideRight
            maximumLineCount: 1
        }
        Text {
            width: frame.width
            visible: frame.year > 0
            text: String(frame.year)
            font: frame.Theme.detail
            color: frame.Theme.secondary
        }
    }
}
