import QtQuick
import QtTest
import Velto.Shell
import Velto.Collection

// The artists section in a window over the application's stores ("Ann" and "Bob"): the column's keys open
// pages, an unknown artist shows the wall, pinning from a row's action shows the mark once the pointer goes.
Item {
    id: root
    width: 1280
    height: 800

    Component {
        id: artistsSection
        ArtistBrowser {
            width: 1200
            height: 700
        }
    }

    TestCase {
        name: "ArtistViews"
        when: windowShown
        visible: true

        function init() {
            Stores.app.showArtist(undefined)
        }

        function pageOf(section) {
            const right = section.children[section.children.length - 1]
            for (let i = 0; i < right.children.length; ++i)
                if (right.children[i].objectName === "artistPage") return right.children[i]
            return null
        }

        function test_theColumnKeysOpenPagesAndTheWall() {
            const section = createTemporaryObject(artistsSection, root)
            tryVerify(() => section.list.activeFocus)
            compare(section.rules.artistIndex, 0)
            verify(pageOf(section) === null)

            keyClick(Qt.Key_Down)
            compare(Stores.app.selectedArtist, "Ann")
            tryVerify(() => pageOf(section) !== null)
            compare(pageOf(section).artistName, "Ann")

            keyClick(Qt.Key_Down)
            compare(Stores.app.selectedArtist, "Bob")
            tryVerify(() => pageOf(section) !== null && pageOf(section).artistName === "Bob")

            keyClick(Qt.Key_Up)
            keyClick(Qt.Key_Up)
            compare(Stores.app.selectedArtist, undefined)
            tryVerify(() => pageOf(section) === null)

            // A name the library does not hold: the wall, the cursor on "All artists".
            Stores.app.showArtist("Nobody")
            compare(section.rules.artistIndex, 0)
            verify(pageOf(section) === null)
        }

        function test_pinningFromARowShowsTheMark() {
            const section = createTemporaryObject(artistsSection, root)
            tryVerify(() => section.list.count === 3)
            waitForRendering(section)
            const row = section.list.itemAtIndex(2)
            verify(!row.pinned)
            mouseMove(row, 20, row.height / 2)
            const actions = findChild(row, "artistRowActions")
            tryCompare(actions, "opacity", 1)
            let pin = null
            for (let i = 0; i < actions.children.length; ++i)
                if (actions.children[i].hoverAction && actions.children[i].hoverAction.symbol.startsWith("pin"))
                    pin = actions.children[i]
            compare(pin.hoverAction.label, "Pin to Quickplay")
            mouseClick(pin, pin.width / 2, pin.height / 2)
            tryCompare(row, "pinned", true)
            compare(pin.hoverAction.label, "Unpin from Quickplay")
            mouseMove(root, 1250, 780)
            tryCompare(findChild(row, "pinnedMark"), "visible", true)
            Stores.app.togglePin("artist:Bob")
            tryCompare(row, "pinned", false)
        }

        function test_aWallTileTakesItsPinAction() {
            const section = createTemporaryObject(artistsSection, root)
            const grid = findChild(section, "artistWall")
            tryVerify(() => grid.count === 2)
            waitForRendering(grid)
            const cell = grid.itemAtIndex(0)
            mouseMove(cell, 60, 60)
            const row = findChild(cell, "tileActions")
            tryVerify(() => row.item !== null && row.opacity === 1)
            const buttons = row.item.children
            let pin = null
            for (let i = 0; i < buttons.length; ++i)
                if (buttons[i].hoverAction && buttons[i].hoverAction.symbol === "pin") pin = buttons[i]
            compare(pin.hoverAction.label, "Pin to Quickplay")
            mouseClick(pin, pin.width / 2, pin.height / 2)
            tryVerify(() => Stores.app.isPinned("artist:Ann"))
            verify(!section.rules.hasArtist)
            Stores.app.togglePin("artist:Ann")
        }

        function test_theHeroFollowsTheScroll() {
            Stores.app.showArtist("Ann")
            const section = createTemporaryObject(artistsSection, root)
            tryVerify(() => pageOf(section) !== null)
            const page = pageOf(section)
            waitForRendering(page)
            // The page can always scroll past the glide, and the bar takes clicks only once it is in.
            verify(page.flick.contentHeight - page.flick.height >= page.motion.glideSpan)
            compare(findChild(page, "artistBar").enabled, false)
            page.flick.contentY = page.motion.glideSpan
            tryCompare(page.motion, "progress", 1)
            tryCompare(findChild(page, "artistBar"), "enabled", true)
        }
    }
}
