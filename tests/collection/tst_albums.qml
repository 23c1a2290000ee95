import QtQuick
import QtTest
import Velto.Shell
import Velto.Collection

// The albums section in a window over the application's stores (the albums "First" by Ann, songs a–d, and
// "Second" by Bob, songs e–i): the stored sort, the sort button, a fresh section on every visit, the
// keyboard's way between the grid and the song list, and renaming the title in place.
Item {
    id: root
    width: 1280
    height: 800

    Component {
        id: wall
        AlbumWall {
            width: 1200
            height: 700
        }
    }

    TestCase {
        name: "AlbumViews"
        when: windowShown
        visible: true

        function init() {
            Stores.defaults.write("albumWallSort", "dateAdded")
        }

        function opened() {
            const section = createTemporaryObject(wall, root)
            tryVerify(() => section.page.count === 2 && section.page.shown !== "")
            tryCompare(section, "focusColumn", CollectionColumn.Focus.albums)
            tryVerify(() => section.grid.view.activeFocus)
            waitForRendering(section)
            return section
        }

        function idOf(title) {
            const albums = Stores.library.albums
            for (let i = 0; i < albums.length; ++i)
                if (albums[i].title === title) return albums[i].id
            return ""
        }

        function cellOf(section, title) {
            return findChild(section.grid, "albumCell:" + title)
        }

        function test_storedSortAndTheSortButton() {
            Stores.defaults.write("albumWallSort", "year")
            let section = createTemporaryObject(wall, root)
            compare(section.page.sortLabel, "by year")
            section.destroy()
            // Not a raw value (letter case counts): the default.
            Stores.defaults.write("albumWallSort", "Year")
            section = opened()
            compare(section.page.sortLabel, "by date added")
            const button = findChild(section, "sortButton")
            const labels = []
            for (let i = 0; i < 4; ++i) {
                mouseClick(button)
                labels.push(section.page.sortLabel)
            }
            compare(labels, ["a–z", "by artist", "by year", "by date added"])
            compare(Stores.defaults.read("albumWallSort"), "dateAdded")
        }

        function test_comingBackShowsTheFirstAlbumAgain() {
            let section = opened()
            const first = section.page.shown
            const other = first === idOf("First") ? "Second" : "First"
            mouseClick(cellOf(section, other), 40, 40)
            // A single click waits out the double-click interval.
            tryCompare(section.page, "shown", idOf(other))
            compare(section.songs.albumId, idOf(other))
            section.destroy()
            wait(0)
            section = opened()
            compare(section.page.shown, first)
            compare(section.page.grid.selection, first)
        }

        function test_rightDownLeftKeepsTheAlbumMarked() {
            const section = opened()
            const shown = section.page.shown
            // The shown album is the first of a two-album row: Right moves to the second, whose row ends
            // there, and Right again gives the song list the keyboard.
            keyClick(Qt.Key_Right)
            const marked = section.page.shown
            verify(marked !== shown)
            compare(section.focusColumn, CollectionColumn.Focus.albums)
            keyClick(Qt.Key_Right)
            compare(section.focusColumn, CollectionColumn.Focus.songs)
            verify(section.songs.list.activeFocus)
            const start = section.songs.detail.cursor
            verify(start >= 0)
            keyClick(Qt.Key_Down)
            compare(section.songs.detail.cursor, start + 1)
            keyClick(Qt.Key_Left)
            compare(section.focusColumn, CollectionColumn.Focus.albums)
            verify(section.grid.view.activeFocus)
            compare(section.page.shown, marked)
            compare(section.page.grid.selection, marked)
            verify(cellOf(section, Stores.library.album(marked).title).cursor)
        }

        function test_handingOverWhileTheThirdSongPlaysPutsTheCursorOnIt() {
            const section = opened()
            // Choose the album at a row's end, so that Right hands over.
            keyClick(Qt.Key_Right)
            const album = Stores.library.album(section.page.shown)
            Stores.player.play(album.songs, 2)
            tryVerify(() => section.songs.detail.songs.currentRow === 2)
            keyClick(Qt.Key_Right)
            compare(section.focusColumn, CollectionColumn.Focus.songs)
            compare(section.songs.detail.cursor, 2)
            const row = section.songs.list.itemAtIndex(2)
            verify(row.cursor)
        }

        function titleField(section) {
            const item = section.Window.activeFocusItem
            return item && item.objectName === "renameField" ? item : null
        }

        function startRename(section) {
            const title = findChild(section.songs, "albumTitle")
            mouseDoubleClickSequence(title, 10, 10)
            tryVerify(() => section.songs.detail.renaming, 2000, "renaming")
            tryVerify(() => titleField(section) !== null, 2000, "focus " + section.Window.activeFocusItem)
            return titleField(section)
        }

        function test_renamingTheTitleInPlace() {
            const section = opened()
            const id = section.page.shown
            const before = Stores.library.album(id).title
            const other = before === "First" ? "Second" : "First"

            // Escape: nothing is stored.
            startRename(section)
            keyClick(Qt.Key_X)
            keyClick(Qt.Key_Escape)
            verify(!section.songs.detail.renaming)
            compare(Stores.library.album(id).title, before)

            // Choosing another album mid-rename renames neither.
            startRename(section)
            keyClick(Qt.Key_Z)
            mouseClick(cellOf(section, other), 40, 40)
            tryCompare(section.page, "shown", idOf(other))
            verify(!section.songs.detail.renaming)
            compare(Stores.library.album(id).title, before)
            compare(Stores.library.album(idOf(other)).title, other)

            // A click elsewhere (here on the album's own cell, which gives the grid the keyboard) stores
            // the draft.
            mouseClick(cellOf(section, before), 40, 40)
            tryCompare(section.page, "shown", id)
            startRename(section)
            keyClick(Qt.Key_Q)
            mouseClick(cellOf(section, before), 40, 40)
            tryVerify(() => !section.songs.detail.renaming)
            compare(Stores.library.album(id).title, before + "q")

            // The file's title again, for the other tests: a blank title gives it back.
            section.songs.detail.startRename()
            section.songs.detail.draft = ""
            section.songs.detail.finishRenaming()
            compare(Stores.library.album(id).title, before)
        }
    }
}
