import QtQuick
import QtTest
import Velto.Shell
import Velto.Collection

// The song views in a window: the songs section's click and cursor, renaming in place, the gaps of a list
// that takes drops, the artist picture and the collection page's empty state.
Item {
    id: root
    width: 1280
    height: 800

    Component {
        id: songsSection
        AllSongs {
            width: 1200
            height: 700
        }
    }
    Component {
        id: droppingList
        SongList {
            property var got: []
            width: 1200
            height: 700
            model: twice
            drop: (picks, row) => {
                got = [picks.length, row]
                return row !== 2
            }
        }
    }
    Component {
        id: plainList
        SongList {
            width: 1200
            height: 700
            model: twice
        }
    }
    Component {
        id: pickSource
        Rectangle {
            width: 10
            height: 10
            Drag.keys: [SongRows.pickFormat]
            Drag.hotSpot.x: 5
            Drag.hotSpot.y: 5
        }
    }
    Component {
        id: picture
        ArtistPicture {
            width: 80
            height: 80
        }
    }
    Component {
        id: page
        CollectionView {
            width: 1280
            height: 800
        }
    }

    TestCase {
        name: "SongViews"
        when: windowShown
        visible: true

        function rowAt(list, i) {
            return list.view.itemAtIndex(i)
        }

        function test_clickOnTheFifthRowPlaysTheShownOrder() {
            const section = createTemporaryObject(songsSection, root)
            tryVerify(() => section.songs.ready && section.songs.count === 9)
            tryCompare(section, "focusColumn", CollectionColumn.Focus.songs)
            waitForRendering(section)
            const row = rowAt(section.list, 4)
            mouseClick(row, 300, row.height / 2)
            compare(Stores.player.index, 4)
            compare(Stores.player.queueLength, 9)
            compare(Stores.player.upNextSongs(1)[0].title, section.songs.titleAt(5))
            compare(section.list.cursor, 4)
            verify(section.list.view.activeFocus)
            compare(section.focusColumn, CollectionColumn.Focus.songs)
        }

        function test_renameCommitsOnReturnAndFocusLossButNotOnEscape() {
            const section = createTemporaryObject(songsSection, root)
            tryVerify(() => section.songs.ready && section.songs.count === 9)
            waitForRendering(section)
            let row = rowAt(section.list, 0)
            const path = Stores.library.song(section.songs.song(0)).path

            // Escape: nothing changes.
            row.startRename()
            tryVerify(() => row.Window.activeFocusItem && row.Window.activeFocusItem.objectName === "renameField")
            keyClick(Qt.Key_X)
            keyClick(Qt.Key_Escape)
            verify(!row.renaming)
            compare(Stores.library.song(path).title, "a")

            // Return commits and plays nothing; a click on the row while renaming plays nothing either.
            const queued = Stores.player.queueLength
            const index = Stores.player.index
            row.startRename()
            tryVerify(() => row.Window.activeFocusItem && row.Window.activeFocusItem.objectName === "renameField")
            mouseClick(row, 20, row.height / 2)
            keyClick(Qt.Key_Z)
            keyClick(Qt.Key_Return)
            compare(Stores.player.queueLength, queued)
            compare(Stores.player.index, index)
            compare(Stores.library.song(path).title, "az")

            // The focus going elsewhere commits.
            const at = section.songs.firstRowOf(path)
            row = rowAt(section.list, at)
            row.startRename()
            tryVerify(() => row.Window.activeFocusItem && row.Window.activeFocusItem.objectName === "renameField")
            keyClick(Qt.Key_Backspace)
            const other = rowAt(section.list, 3)
            mouseClick(other, 300, other.height / 2)
            compare(Stores.library.song(path).title, "a")
        }

        function test_dropGapsFollowTheRowNotTheSong() {
            const list = createTemporaryObject(droppingList, root)
            waitForRendering(list)
            const source = createTemporaryObject(pickSource, root)
            const r3 = rowAt(list, 3)
            const r4 = rowAt(list, 4)
            source.Drag.active = true
            const p3 = r3.mapToItem(root, 100, 10)
            source.x = p3.x - 5
            source.y = p3.y - 5
            tryCompare(list, "dropTarget", 3)
            tryCompare(r3, "gap", 26)
            compare(rowAt(list, 6).gap, 0) // the same song, another row
            // Entering row 4 before row 3 hears the drag leave keeps row 4's gap.
            const p4 = r4.mapToItem(root, 100, 12)
            source.x = p4.x - 5
            source.y = p4.y - 5
            tryCompare(list, "dropTarget", 4)
            source.Drag.active = false
            tryCompare(list, "dropTarget", -1)

            // The handler gets the picks and the row (the end zone: -1); its answer is the drop's.
            compare(list.drop([], -1), true)
            compare(list.got[1], -1)
            compare(list.drop([], 2), false)
        }

        function test_aListWithoutAHandlerHasNoDropAreas() {
            const list = createTemporaryObject(plainList, root)
            waitForRendering(list)
            const source = createTemporaryObject(pickSource, root)
            source.Drag.active = true
            const p = rowAt(list, 3).mapToItem(root, 100, 10)
            source.x = p.x - 5
            source.y = p.y - 5
            wait(50)
            compare(list.dropTarget, -1)
            compare(list.view.footerItem.height, 0)
            source.Drag.active = false
        }

        function test_artistPictureFindsTheArtistWhateverTheCase() {
            tryVerify(() => SongLists.all.total === 9)
            const known = createTemporaryObject(picture, root, { name: "aNN" })
            compare(String(known.albumArtwork), String(Stores.library.artworkURL(Stores.library.artist("Ann").albums[0].songs[0])))
            const unknown = createTemporaryObject(picture, root, { name: "Nobody" })
            compare(String(unknown.albumArtwork), "")
            compare(unknown.userPicture, "")
            waitForRendering(unknown)
            verify(findChild(unknown, "artworkPlaceholder").visible)

            // The user's own picture wins over the album's artwork.
            verify(Stores.pictures.set(pictureFile, "ann"))
            const pictured = createTemporaryObject(picture, root, { name: "ANN" })
            verify(pictured.userPicture !== "")
            // Decoded on a worker, which a loaded machine can keep waiting.
            tryVerify(() => findChild(pictured, "artworkImage").status === Image.Ready, 15000)
            compare(String(findChild(pictured, "artworkImage").source), pictured.userPicture)
            Stores.pictures.remove("Ann")
        }

        function test_zzCollectionPageSectionsAndTheEmptyLibrary() {
            Stores.app.collectionTamsk = Nav.CollectionTamsk.songs
            const view = createTemporaryObject(page, root)
            tryVerify(() => !view.empty)
            verify(findChild(view, "collectionSection").item !== null)
            Stores.app.showArtist("Ann")
            compare(view.section, Nav.CollectionTamsk.artists)
            Stores.app.collectionTamsk = Nav.CollectionTamsk.songs
            const shown = findChild(view, "collectionSection").item
            // The same section again keeps its view.
            Stores.app.collectionTamsk = Nav.CollectionTamsk.songs
            compare(findChild(view, "collectionSection").item, shown)
            Stores.library.useFolder(emptyFolder)
            tryVerify(() => view.empty)
            compare(findChild(view, "collectionSection").item, null)
        }
    }
}
