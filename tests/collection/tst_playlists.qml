import QtQuick
import QtQuick.Controls.Basic
import QtTest
import Velto.Shell
import Velto.Collection

// The playlists section in a window over the application's stores (songs "a" … "d" by "Ann"): where the
// keyboard goes as the name fields come and go, the New Playlist command, the delete confirmation and drags
// over the list's rows.
Item {
    id: root
    width: 1280
    height: 800

    Component {
        id: section
        PlaylistBrowser {
            width: 1200
            height: 700
        }
    }
    Component {
        id: pickSource
        Rectangle {
            width: 10
            height: 10
            Drag.keys: [Picks.mimeType()]
            Drag.hotSpot.x: 5
            Drag.hotSpot.y: 5
        }
    }

    TestCase {
        name: "PlaylistViews"
        when: windowShown
        visible: true

        // The playlists a test made, deleted after it.
        property var made: []

        function init() {
            Stores.app.selectedPlaylistID = undefined
            Stores.app.namingNewPlaylist = false
            made = []
        }

        function cleanup() {
            const b = createTemporaryObject(section, root)
            for (const id of made) {
                b.page.askDelete(id)
                b.page.confirmDelete()
            }
        }

        // A shown section with a playlist of Ann's four songs, the list holding the keyboard.
        function sectionWithPlaylist() {
            const b = createTemporaryObject(section, root)
            verify(b.page.makePlaylist([Picks.artist("Ann")]))
            made.push(b.page.shownID)
            compare(b.page.shownName, "Ann")
            tryVerify(() => listHasKeys(b))
            wait(700) // the columns' entrances
            return b
        }
        function list(b) { return findChild(b, "playlistList") }
        // The list holds the keyboard, not the name field at its top (which would give it active focus too).
        function listHasKeys(b) {
            return list(b).activeFocus && (nameField(b) === null || !nameField(b).activeFocus)
        }
        function nameField(b) { return findChild(b, "playlistNameField") }
        function type(text) {
            for (const c of text) keyClick(c)
        }

        function test_namingTakesTheKeyboardAndGivesItBack() {
            const b = sectionWithPlaylist()
            const shown = b.page.shownID
            const newRow = findChild(b, "newPlaylistRow")
            verify(newRow.visible && newRow.height === 28)
            // The row tops the list and scrolls with it: the first playlist follows 4 px below it.
            const first = list(b).itemAtIndex(0)
            compare(newRow.mapToItem(first, 0, 0).y + 28 + 4, 0)
            const top = list(b).contentY
            list(b).contentY = top + 10
            compare(list(b).contentY, top + 10)
            compare(newRow.mapToItem(first, 0, 0).y + 28 + 4, 0)
            compare(newRow.mapToItem(list(b), 0, 0).y, -10)
            list(b).contentY = top

            mouseClick(newRow)
            verify(b.page.naming)
            tryVerify(() => nameField(b) !== null && nameField(b).activeFocus)
            verify(!newRow.visible)
            // The field has the keyboard, not the list: no row shows the list's selection.
            verify(!first.listHasFocus)
            // The list takes no keys and no Tab while the field shows.
            verify(!list(b).activeFocusOnTab)
            keyClick(Qt.Key_Down)
            compare(b.page.shownID, shown)

            // Escape: the field goes, the list has the keyboard, the draft stays.
            type("half")
            keyClick(Qt.Key_Escape)
            verify(!b.page.naming)
            tryVerify(() => listHasKeys(b))
            verify(first.listHasFocus)
            compare(b.page.draft, "half")
            verify(list(b).activeFocusOnTab)

            // Return makes the playlist, shows it and gives the list the keyboard.
            mouseClick(newRow)
            tryVerify(() => nameField(b) !== null && nameField(b).activeFocus)
            compare(nameField(b).text, "")
            type("road")
            keyClick(Qt.Key_Return)
            made.push(b.page.shownID)
            verify(!b.page.naming)
            compare(b.page.shownName, "road")
            tryVerify(() => listHasKeys(b))
            // The list answers keys again: Down shows the next row.
            keyClick(Qt.Key_Down)
            compare(b.page.shownID, shown)
        }

        function test_renamingInTheHeader() {
            const b = sectionWithPlaylist()
            b.page.startRenaming(b.page.shownID)
            verify(b.page.renaming)
            tryVerify(() => nameField(b) !== null && nameField(b).activeFocus)
            compare(nameField(b).text, "Ann")
            verify(!list(b).activeFocusOnTab)
            nameField(b).selectAll()
            type("Mix")
            keyClick(Qt.Key_Return)
            verify(!b.page.renaming)
            compare(b.page.shownName, "Mix")
            // The songs take the keyboard after a rename.
            tryVerify(() => findChild(b, "songListView").activeFocus)

            // Escape from the header's field: the list takes the keyboard, the name stays.
            b.page.startRenaming(b.page.shownID)
            tryVerify(() => nameField(b) !== null && nameField(b).activeFocus)
            type("x")
            keyClick(Qt.Key_Escape)
            verify(!b.page.renaming)
            compare(b.page.shownName, "Mix")
            tryVerify(() => listHasKeys(b))
        }

        function test_theNewPlaylistCommand() {
            // Given while the section shows: the field opens at once with the keyboard.
            const b = sectionWithPlaylist()
            Stores.app.namingNewPlaylist = true
            verify(b.page.naming)
            compare(Stores.app.namingNewPlaylist, false)
            tryVerify(() => nameField(b) !== null && nameField(b).activeFocus)
            keyClick(Qt.Key_Escape)
            b.destroy()
            wait(10) // gone before the next command

            // Given before the section shows: the field opens as it appears.
            Stores.app.namingNewPlaylist = true
            const later = createTemporaryObject(section, root)
            tryVerify(() => later.page.naming)
            tryVerify(() => nameField(later) !== null && nameField(later).activeFocus)
            compare(Stores.app.namingNewPlaylist, false)
        }

        function test_deleteAsksFirst() {
            const b = sectionWithPlaylist()
            const id = b.page.shownID
            const dialog = findChild(b, "deletePlaylistDialog")
            const confirmButton = findChild(dialog, "deletePlaylistButton")
            const cancel = findChild(dialog, "cancelDeleteButton")
            compare(confirmButton.text, "Delete Playlist")
            compare(confirmButton.DialogButtonBox.buttonRole, DialogButtonBox.DestructiveRole)
            compare(findChild(dialog, "deletePlaylistMessage").text, "The songs stay in your collection.")

            // Each way of dismissing it clears the request, and it opens again the next time.
            b.page.askDelete(id)
            tryCompare(dialog, "opened", true)
            compare(dialog.title, "Delete Ann?")
            keyClick(Qt.Key_Escape)
            tryCompare(dialog, "visible", false)
            verify(!b.page.deleting)

            b.page.askDelete(id)
            tryCompare(dialog, "opened", true)
            mouseClick(cancel)
            tryCompare(dialog, "visible", false)
            verify(!b.page.deleting)

            b.page.askDelete(id)
            tryCompare(dialog, "opened", true)
            mouseClick(root, 5, 5) // outside
            tryCompare(dialog, "visible", false)
            verify(!b.page.deleting)
            compare(b.page.list.ownCount, 1)

            // Confirmed: the playlist goes and "liked songs" shows.
            b.page.askDelete(id)
            tryCompare(dialog, "opened", true)
            mouseClick(confirmButton)
            tryCompare(dialog, "visible", false)
            verify(!b.page.deleting)
            compare(b.page.list.ownCount, 0)
            compare(b.page.shownName, "liked songs")
            made = []
        }

        function test_dragsOverTheList() {
            const b = sectionWithPlaylist()
            const source = createTemporaryObject(pickSource, root)
            const moveTo = (item) => {
                const p = item.mapToItem(root, item.width / 2, item.height / 2)
                source.x = p.x - 5
                source.y = p.y - 5
            }
            const newRow = findChild(b, "newPlaylistRow")
            const own = list(b).itemAtIndex(0)
            const liked = list(b).itemAtIndex(1)
            const mostPlayed = list(b).itemAtIndex(2)
            compare(mostPlayed.name, "most played")
            source.Drag.active = true

            moveTo(newRow)
            tryVerify(() => b.page.droppingOnNew)
            compare(findChild(newRow, "newPlaylistText").text, "New playlist of these")
            moveTo(own)
            tryVerify(() => !b.page.droppingOnNew)
            compare(findChild(newRow, "newPlaylistText").text, "New playlist")
            tryCompare(b.page, "dropTarget", own.playlistID)
            moveTo(liked)
            tryCompare(b.page, "dropTarget", liked.playlistID)
            // "most played" takes no drops and is never highlighted.
            moveTo(mostPlayed)
            tryCompare(b.page, "dropTarget", "")
            wait(50)
            compare(b.page.dropTarget, "")
            source.Drag.active = false
        }
    }
}
