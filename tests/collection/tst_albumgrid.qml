import QtQuick
import QtTest
import Velto.Shell
import Velto.Collection

// A scrolling album grid of 43 albums in 4 columns (11 rows, the last of 3). The list view hands rows that
// leave the screen to the rows coming in, cells and all: every cell on screen must show its own album —
// title, cover, selection — never the one it showed before, and a row's places past its albums stay hidden.
Item {
    id: root
    width: 800
    height: 600

    Component {
        id: gridComponent
        AlbumGrid {
            width: 700
            height: 420
            model: AlbumGridModel { albums: manyAlbums }
        }
    }

    TestCase {
        name: "AlbumGridReuse"
        when: windowShown
        visible: true

        function cellsIn(item, out) {
            if (item.objectName.startsWith("albumCell:")) out.push(item)
            for (let i = 0; i < item.children.length; ++i) cellsIn(item.children[i], out)
            return out
        }

        // Every row the view holds: its shown cells match the albums at its place, in order.
        function checkRows(grid) {
            const view = grid.view
            let rows = 0
            for (let r = 0; r < view.count; ++r) {
                const row = view.itemAtIndex(r)
                if (!row) continue
                ++rows
                const cells = cellsIn(row, [])
                const shown = cells.filter(c => c.visible).sort((a, b) => a.x - b.x)
                const expected = Math.min(grid.columns, manyAlbums.length - r * grid.columns)
                compare(shown.length, expected, "row " + r)
                verify(cells.length <= grid.columns, "row " + r + " places")
                for (let c = 0; c < shown.length; ++c) {
                    const album = manyAlbums[r * grid.columns + c]
                    const cell = shown[c]
                    const what = "row " + r + " cell " + c
                    compare(cell.albumId, album.id, what)
                    compare(findChild(cell, "albumCellTitle").text, album.title, what)
                    const cover = findChild(cell, "albumCover")
                    compare(cover.title, album.title, what)
                    compare(String(cover.url), String(album.artworkURL), what)
                    compare(String(findChild(cover, "artworkImage").source),
                            ArtworkCache.source(album.artworkURL, ArtworkCache.revision), what)
                    compare(cell.selected, album.id === grid.model.selection, what)
                    compare(cover.selected, cell.selected, what)
                }
            }
            verify(rows > 1)
        }

        function test_reusedRowsShowTheirNewAlbums() {
            const grid = createTemporaryObject(gridComponent, root)
            compare(grid.columns, 4)
            tryVerify(() => grid.view.count === 11)
            grid.model.selection = manyAlbums[1].id
            waitForRendering(grid)
            const view = grid.view
            const made = new Set()
            const seen = new Set()
            const look = () => {
                checkRows(grid)
                for (const c of cellsIn(view.contentItem, [])) {
                    made.add(c)
                    if (c.visible) seen.add(c.albumId)
                }
            }
            // From the end (the short last row made as it is) up a third of a row at a time, choosing an
            // album on the way, and down again: a short row is handed full ones and full rows the short one.
            const step = (grid.cellWidth + grid.cellExtra + grid.spacing) / 3
            const top = view.originY - view.topMargin
            view.positionViewAtEnd()
            waitForRendering(grid)
            const end = view.contentY
            verify(end > top + 5 * step)
            look()
            verify(view.itemAtIndex(0) === null)
            while (view.contentY > top) {
                view.contentY = Math.max(top, view.contentY - step)
                waitForRendering(grid)
                if (view.contentY < (top + end) / 2 && grid.model.selection === manyAlbums[1].id)
                    grid.model.selection = manyAlbums[30].id
                look()
            }
            while (view.contentY < end) {
                view.contentY = Math.min(end, view.contentY + step)
                waitForRendering(grid)
                look()
            }
            compare(seen.size, manyAlbums.length)
            // The rows were handed on: far fewer cells were made than albums shown.
            verify(made.size < manyAlbums.length, made.size + " cells made")
        }
    }
}
