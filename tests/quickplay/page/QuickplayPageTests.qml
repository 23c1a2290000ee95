import QtQuick
import QtTest
import Velto.Kit
import Velto.Shell
import Velto.Quickplay

// The whole start page over real stores (see PageQuickMain.cpp): Mira, Odo and Ash with two albums each,
// the pins "Odo First" and Ash, "Mira Second" in the history, and Mira and Odo as Smart DJ artists.
Item {
    id: root
    width: 1060
    height: 600

    Component {
        id: pageView
        QuickplayView { anchors.fill: parent }
    }
    MenuLayer {
        id: layer
        anchors.fill: parent
        z: 10
        dark: false
    }

    TestCase {
        id: testCase
        name: "QuickplayPage"
        when: windowShown

        property QuickplayView view

        function find(item, test) {
            if (test(item)) return item
            for (let i = 0; i < item.children.length; ++i) {
                const hit = find(item.children[i], test)
                if (hit) return hit
            }
            return null
        }
        function named(name) { return find(view, i => i.objectName === name) }
        function tileOf(prefix) { return find(view, i => i.objectName.startsWith("quickTile:" + prefix)) }
        // The texts of the open menu's panels.
        function menuTexts() {
            let out = []
            const collect = item => {
                if (item.text !== undefined && typeof item.text === "string" && item.visible) out.push(item.text)
                for (let i = 0; i < item.children.length; ++i) collect(item.children[i])
            }
            layer.panels().filter(p => !p.closing).forEach(collect)
            return out
        }

        function init() {
            DropMenu.close()
            tryCompare(layer, "menuOpen", false)
            probe.reset()
            mouseMove(root, root.width - 2, root.height - 2)
            view = createTemporaryObject(pageView, root)
            verify(!view.empty)
            view.forceActiveFocus()
            waitForRendering(view)
        }

        function test_theHalvesSwapWithUpAndDownAndTheChoiceIsKept() {
            const collection = named("collectionHalf")
            const smartDJ = named("smartDJHalf")
            compare(view.page.front, QuickplayHalf.Half.collection)
            compare(collection.scale, 1)
            compare(smartDJ.scale, 0.5)
            compare(collection.y, view.page.top)
            compare(smartDJ.y, view.page.backTop)
            compare(named("quickplayTitle").opacity, 0)

            keyClick(Qt.Key_Up)
            compare(view.page.front, QuickplayHalf.Half.smartDJ)
            compare(probe.front(), "smartDJ")
            tryCompare(smartDJ, "scale", 1)
            tryCompare(collection, "scale", 0.5)
            tryCompare(smartDJ, "y", view.page.top)
            tryCompare(named("quickplayTitle"), "opacity", 0.05)

            // A new page (a restart) opens with the half last brought forward.
            const again = createTemporaryObject(pageView, root)
            compare(again.page.front, QuickplayHalf.Half.smartDJ)
            again.destroy()

            view.forceActiveFocus()
            keyClick(Qt.Key_Down)
            compare(view.page.front, QuickplayHalf.Half.collection)
            compare(probe.front(), "collection")
            tryCompare(collection, "scale", 1)
        }

        function test_aClickOnTheFadedHalfBringsItForward() {
            const smartDJ = named("smartDJHalf")
            const cover = find(smartDJ, i => i.objectName === "depthCover")
            verify(cover.visible)
            compare(cover.Accessible.name, "Show Smart DJ")
            // The far half's own tiles take no clicks: the click lands on the cover, not on a Smart DJ tile.
            tryCompare(smartDJ, "scale", 0.5)
            mouseClick(cover)
            compare(view.page.front, QuickplayHalf.Half.smartDJ)
            compare(probe.smartDJArtist(), "")
            tryCompare(smartDJ, "scale", 1)
            const back = find(named("collectionHalf"), i => i.objectName === "depthCover")
            compare(back.Accessible.name, "Show pins, new and history")
            mouseClick(back)
            compare(view.page.front, QuickplayHalf.Half.collection)
        }

        function test_arrowsWalkTheTilesAndReturnOpensOne() {
            const tiles = view.page.tiles()
            verify(tiles.length >= 4, tiles)
            keyClick(Qt.Key_Left)
            compare(view.page.cursor, tiles[0])
            const first = find(view, i => i.objectName === "quickTile:" + tiles[0])
            verify(first.cursor)
            tryCompare(first, "lifted", true)
            keyClick(Qt.Key_Right)
            compare(view.page.cursor, tiles[1])
            verify(!first.cursor)
            // Ctrl+Right is not the page's.
            keyClick(Qt.Key_Right, Qt.ControlModifier)
            compare(view.page.cursor, tiles[1])

            // Return on the pinned album plays it.
            view.page.cursor = tileOf("album:").itemId
            keyClick(Qt.Key_Return)
            compare(probe.queued(), 2)

            // Swapping with a cursor puts it on the new half's first tile, which lights like hover.
            keyClick(Qt.Key_Up)
            compare(view.page.cursor, "dj:mira")
            tryCompare(named("dj:mira"), "lit", true)
            keyClick(Qt.Key_Return)
            compare(probe.smartDJArtist(), "Mira")
            verify(probe.nowPlaying())
        }

        function test_returnOnTheAddTileOpensItsMenu() {
            keyClick(Qt.Key_Up)
            const tiles = view.page.tiles()
            compare(tiles, ["dj:mira", "dj:odo", "dj:add"])
            view.page.cursor = "dj:add"
            keyClick(Qt.Key_Return)
            verify(layer.menuOpen)
            compare(view.page.addingSmartDJ, false)
            const texts = menuTexts()
            verify(texts.indexOf("Ash") >= 0, texts)
            verify(texts.indexOf("Mira") < 0, texts)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return)
            compare(probe.smartDJ(), ["Mira", "Odo", "Ash"])
            tryCompare(named("dj:ash"), "visible", true)
        }

        function test_rightClickMenusOfTheTiles() {
            // A small album tile shows two round actions, but its menu still offers the pin.
            const album = tileOf("album:")
            verify(album.width < 100, album.width)
            mouseClick(album, 10, 10, Qt.RightButton)
            verify(layer.menuOpen)
            let texts = menuTexts()
            verify(texts.indexOf("pinned to quickplay") >= 0, texts)
            verify(texts.indexOf("show in collection") >= 0, texts)
            keyClick(Qt.Key_Escape)
            tryCompare(layer, "menuOpen", false)

            // The artist's menu: Smart DJ first.
            const artist = tileOf("artist:")
            mouseClick(artist, 10, 10, Qt.RightButton)
            verify(layer.menuOpen)
            texts = menuTexts()
            verify(texts.indexOf("smart dj") >= 0, texts)
            verify(texts.indexOf("show in collection") >= 0, texts)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Return)
            compare(probe.smartDJArtist(), artist.key)
        }

        function test_aSmartDJTileHasTheArtistsMenuAndAClickStartsTheMix() {
            keyClick(Qt.Key_Up)
            const odo = named("dj:odo")
            tryCompare(named("smartDJHalf"), "scale", 1)
            mouseClick(odo, 20, 20, Qt.RightButton)
            verify(layer.menuOpen)
            const texts = menuTexts()
            verify(texts.indexOf("smart dj") >= 0, texts)
            verify(texts.indexOf("show in collection") >= 0, texts)
            compare(probe.smartDJArtist(), "", "a right click starts nothing")
            keyClick(Qt.Key_Escape)
            tryCompare(layer, "menuOpen", false)
            compare(probe.smartDJArtist(), "", "dismissed")
            compare(probe.page(), 0)
            mouseClick(odo, 20, 20)
            compare(probe.smartDJArtist(), "Odo")
            tryVerify(() => probe.nowPlaying(), 3000, probe.page())
        }
    }
}
