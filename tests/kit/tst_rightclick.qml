import QtQuick
import QtTest
import Velto.Kit
import Velto.Shell
import VeltoTest

TestCase {
    id: testCase
    name: "RightClick"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    // Stands for a tile: hover, click, double click and drag of its own, and a right-click menu over all.
    Rectangle {
        id: tile
        x: 100; y: 100; width: 160; height: 160
        color: "gray"
        activeFocusOnTab: true
        property int clicks: 0
        property int doubleClicks: 0
        HoverHandler { id: hover }
        MouseArea {
            anchors.fill: parent
            onClicked: tile.clicks++
            onDoubleClicked: tile.doubleClicks++
        }
        DragHandler { id: drag }

        RightClickMenu {
            id: catcher
            page: FixedMenu { id: rows; titles: ["first", "second"] }
        }
    }
    // A real tile: its own hover, clicks and actions, a caller's drag, and a right-click menu of its actions.
    Tile {
        id: realTile
        x: 300; y: 100; width: 140; height: 140
        title: "Blue Hours"
        hasDoubleAction: true
        activeFocusOnTab: true
        property int clicks: 0
        property int doubles: 0
        property var ran: []
        onActivated: clicks++
        onDoubleActivated: doubles++
        actions: [
            HoverAction { symbol: "play.fill"; label: "Play"; onRun: realTile.ran.push("Play") },
            HoverAction { symbol: "minus"; label: "Remove from Playlist"; onRun: realTile.ran.push("Remove") }
        ]
        DragHandler { id: tileDrag }
        RightClickMenu { page: ActionsMenu { actions: realTile.actions } }
    }
    // Hover actions and no page: the keyboard still reaches them, the pointer's right click does nothing.
    Rectangle {
        id: keysOnly
        x: 300; y: 300; width: 60; height: 60
        activeFocusOnTab: true
        property var ran: []
        RightClickMenu {
            actions: [HoverAction { label: "Smart DJ"; onRun: keysOnly.ran.push("Smart DJ") }]
        }
    }
    AddButton {
        id: add
        x: 40; y: 420
        songs: []
        newName: "Mix"
    }
    MoreButton {
        id: more
        x: 120; y: 420
        page: FixedMenu { id: moreRows; titles: ["more one"] }
    }

    Rectangle {
        id: other
        x: 600; y: 300; width: 100; height: 100
        RightClickMenu { page: FixedMenu { id: otherRows; titles: ["other"] } }
    }
    Rectangle {
        id: target
        x: 800; y: 500; width: 120; height: 40
        property int opened: 0
        SpringLoaded { id: spring; onOpen: target.opened++ }
    }
    Item {
        id: dragged
        x: 0; y: 600; width: 20; height: 20
        Drag.keys: [spring.spring.pickFormat]
        Drag.hotSpot.x: 10
        Drag.hotSpot.y: 10
    }

    MenuLayer {
        id: layer
        anchors.fill: parent
        dark: false
    }

    function panels() { return layer.panels().filter(p => !p.closing) }

    function init() {
        DropMenu.close()
        tryCompare(layer, "menuOpen", false)
        tile.x = 100; tile.y = 100
        tile.clicks = 0; tile.doubleClicks = 0
        realTile.x = 300; realTile.y = 100
        realTile.clicks = 0; realTile.doubles = 0; realTile.ran = []
        mouseMove(testCase, 1200, 750)
    }

    function test_rightClickOpensAtThePointer() {
        const built = rows.built
        mouseClick(tile, 20, 30, Qt.RightButton)
        verify(layer.menuOpen)
        compare(rows.built, built + 1, "the page is built at the click")
        compare(panels().length, 1)
        compare(panels()[0].x, 120)
        compare(panels()[0].y, 130)
        compare(tile.clicks, 0)

        // A second right click elsewhere: one menu, at the new point.
        mouseClick(other, 10, 10, Qt.RightButton)
        compare(panels().length, 1)
        compare(panels()[0].x, 610)
        compare(panels()[0].y, 310)
        mouseClick(tile, 50, 50, Qt.RightButton)
        compare(panels().length, 1)
        compare(panels()[0].x, 150)
    }

    function test_controlClickIsARightClick() {
        mouseClick(tile, 40, 40, Qt.LeftButton, Qt.ControlModifier)
        verify(layer.menuOpen)
        compare(panels()[0].x, 140)
        compare(panels()[0].y, 140)
        compare(tile.clicks, 0, "the tile's own click did not run")
        // With a menu open, a control-click elsewhere opens the other menu at once.
        mouseClick(other, 30, 30, Qt.LeftButton, Qt.ControlModifier)
        compare(panels().length, 1)
        compare(panels()[0].x, 630)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Return)
        compare(otherRows.ran, ["other"])
    }

    function test_theTileKeepsItsOwnPointer() {
        mouseMove(tile, 30, 30)
        tryCompare(hover, "hovered", true)
        mouseClick(tile, 30, 30)
        tryCompare(tile, "clicks", 1)
        verify(!layer.menuOpen)
        mouseDoubleClickSequence(tile, 30, 30)
        tryCompare(tile, "doubleClicks", 1)
        mouseDrag(tile, 30, 30, 60, 40)
        verify(tile.x > 130, "dragged to " + tile.x)
        verify(!layer.menuOpen)
    }

    function test_menuKeyOpensUnderTheFocusedItem() {
        tile.forceActiveFocus()
        keyClick(Qt.Key_Menu)
        verify(layer.menuOpen)
        compare(panels()[0].x, 96)
        compare(panels()[0].y, 266)
        keyClick(Qt.Key_Escape)
        verify(!layer.menuOpen)
        keyClick(Qt.Key_F10, Qt.ShiftModifier)
        verify(layer.menuOpen)
        keyClick(Qt.Key_Escape)
        keyClick(Qt.Key_F10)
        verify(!layer.menuOpen)
    }

    function test_springOpensUnderAHeldPickAndRefusesTheDrop() {
        const bar = findChild(spring, "springBar")
        target.opened = 0
        dragged.x = 0; dragged.y = 600
        dragged.Drag.active = true
        dragged.x = 850; dragged.y = 510
        tryCompare(spring.spring, "filling", true)
        tryVerify(() => bar.fill > 0.2)
        tryCompare(target, "opened", 1, 2000)
        compare(bar.fill, 0)
        wait(700)
        compare(target.opened, 1)
        compare(dragged.Drag.drop(), Qt.IgnoreAction)
        dragged.Drag.active = false
    }

    function test_aRealTileUnderTheCatcher() {
        mouseMove(realTile, 40, 40)
        tryCompare(realTile, "hovered", true)
        mouseClick(realTile, 40, 40)
        tryCompare(realTile, "clicks", 1)
        wait(600)
        mouseDoubleClickSequence(realTile, 40, 40)
        tryCompare(realTile, "doubles", 1)
        verify(!layer.menuOpen)
        mouseDrag(realTile, 40, 40, 50, 30)
        verify(realTile.x > 330, "dragged to " + realTile.x)

        mouseClick(realTile, 20, 20, Qt.RightButton)
        verify(layer.menuOpen)
        keyClick(Qt.Key_Up)
        keyClick(Qt.Key_Return)
        compare(realTile.ran, ["Remove"])

        // The Menu key on the focused tile opens its page under it (once the tile has settled from its lift).
        mouseMove(testCase, 1200, 750)
        tryCompare(realTile, "lifted", false)
        wait(400)
        realTile.forceActiveFocus()
        keyClick(Qt.Key_Menu)
        verify(layer.menuOpen)
        compare(panels()[0].y, realTile.y + realTile.height + 6)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Return)
        compare(realTile.ran, ["Remove", "Play"])
    }

    function test_actionsWithoutAPageAreForTheKeyboard() {
        mouseClick(keysOnly, 10, 10, Qt.RightButton)
        verify(!layer.menuOpen)
        keysOnly.forceActiveFocus()
        keyClick(Qt.Key_Menu)
        verify(layer.menuOpen)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Return)
        compare(keysOnly.ran, ["Smart DJ"])
    }

    function test_addAndMoreOpenUnderTheirButtons() {
        mouseClick(add)
        verify(layer.menuOpen)
        compare(panels()[0].x, add.x - 4)
        compare(panels()[0].y, add.y + add.height + 6)
        // Three rows in one section: 12 + 3 × 28.
        compare(panels()[0].height, 96)
        keyClick(Qt.Key_Escape)
        const built = moreRows.built
        mouseClick(more)
        compare(moreRows.built, built + 1)
        keyClick(Qt.Key_Escape)
        mouseClick(more)
        compare(moreRows.built, built + 2, "a page for each press")
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Return)
        compare(moreRows.ran, ["more one"])
        compare(add.Accessible.name, "Add")
        compare(more.Accessible.name, "More")
    }
}
