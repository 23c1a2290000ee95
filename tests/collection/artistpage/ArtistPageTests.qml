import QtQuick
import QtTest
import Velto.Shell
import Velto.Collection

// The artist page of "Ann", whose twelve albums reach below the fold: the keyboard goes from the artist
// column into the album grid, along it into the open album's songs and back; an album opened after the page
// appeared scrolls its cell into view, the one it opened with does not. In the column, an artist named "all"
// is scrolled to on its own row, not on "All artists".
Item {
    id: root
    width: 1280
    height: 700

    Component {
        id: artistsSection
        ArtistBrowser {
            width: 1200
            height: 600
        }
    }

    TestCase {
        name: "ArtistPage"
        when: windowShown
        visible: true

        function pageOf(section) {
            const right = section.children[section.children.length - 1]
            for (let i = 0; i < right.children.length; ++i)
                if (right.children[i].objectName === "artistPage") return right.children[i]
            return null
        }
        function albumIds(section) {
            const out = []
            for (const album of section.rules.albums) out.push(album.id)
            return out
        }
        function inView(page, id) {
            const cell = page.cellOf(page.grid, id)
            if (!cell) return false
            const y = cell.mapToItem(page.flick, 0, 0).y
            return y >= -0.5 && y + cell.height <= page.flick.height + 0.5
        }
        function openPage(album) {
            Stores.app.showArtist("Ann", album)
            const section = createTemporaryObject(artistsSection, root)
            tryVerify(() => pageOf(section) !== null)
            tryVerify(() => section.list.activeFocus)
            waitForRendering(pageOf(section))
            return section
        }

        function test_theKeysGoFromTheColumnIntoTheGridTheSongsAndBack() {
            const section = openPage(undefined)
            const page = pageOf(section)
            const ids = albumIds(section)
            compare(ids.length, 12)
            compare(page.grid.model.albumCount, 12)
            // The open album's songs stand at the right from the first frame: only a column that comes
            // later slides in.
            compare(page.songs.opacity, 1)
            compare(page.songs.x, page.width - 380)
            compare(page.columnWidth, page.width - 380 - 36)
            verify(page.grid.columns > 1)
            compare(page.songs.albumId, ids[0])

            keyClick(Qt.Key_Right)
            compare(section.rules.focusColumn, CollectionColumn.Focus.albums)
            tryVerify(() => page.grid.activeFocus)
            // Along the first row: each album opens beside the page.
            for (let i = 1; i < page.grid.columns; ++i) {
                keyClick(Qt.Key_Right)
                compare(Stores.app.selectedAlbumID, ids[i])
            }
            compare(page.songs.albumId, ids[page.grid.columns - 1])
            // At the row's end Right gives the songs the keyboard, and Left there gives it back.
            keyClick(Qt.Key_Right)
            tryVerify(() => page.songs.list.activeFocus)
            compare(section.rules.focusColumn, CollectionColumn.Focus.songs)
            keyClick(Qt.Key_Left)
            tryVerify(() => page.grid.activeFocus)
            for (let i = 1; i < page.grid.columns; ++i) keyClick(Qt.Key_Left)
            compare(Stores.app.selectedAlbumID, ids[0])
            // At the row's start Left goes back to the artist column, still on Ann.
            keyClick(Qt.Key_Left)
            tryVerify(() => section.list.activeFocus)
            compare(Stores.app.selectedArtist, "Ann")
        }

        function test_anArtistNamedAllScrollsToItsOwnRow() {
            Stores.app.showArtist("all")
            const section = createTemporaryObject(artistsSection, root)
            tryVerify(() => pageOf(section) !== null)
            tryVerify(() => section.list.activeFocus)
            const row = section.rules.artistIndex
            verify(row > 30)
            tryVerify(() => {
                const item = section.list.itemAtIndex(row)
                return item !== null && item.y >= section.list.contentY
                    && item.y + item.height <= section.list.contentY + section.list.height
            })
            compare(section.list.itemAtIndex(row).rowName, "all")
            compare(pageOf(section).artistName, "all")
        }

        function test_aNewAlbumScrollsItsCellIntoView() {
            let section = openPage(undefined)
            let page = pageOf(section)
            const ids = albumIds(section)
            const last = ids[ids.length - 1]
            compare(page.flick.contentY, 0)
            verify(!inView(page, last))

            // Opened from elsewhere: the page scrolls just far enough to show the cell whole.
            Stores.app.showArtist("Ann", last)
            tryVerify(() => page.flick.contentY > 0 && inView(page, last))
            wait(400)
            verify(inView(page, last))
            const down = page.flick.contentY
            // Back to the first album: up again.
            Stores.app.showArtist("Ann", ids[0])
            tryVerify(() => page.flick.contentY < down && inView(page, ids[0]))

            // The album a page opens with is not scrolled to.
            section.destroy()
            section = openPage(last)
            page = pageOf(section)
            compare(page.songs.albumId, last)
            wait(400)
            compare(page.flick.contentY, 0)
        }
    }
}
