import QtQuick
import QtTest
import Velto.Kit
import Velto.Shell

TestCase {
    id: testCase
    name: "Tiles"
    when: windowShown
    visible: true
    width: 800
    height: 600

    property int clicks: 0
    property int doubles: 0
    property var ran: []

    Rectangle {
        anchors.fill: parent
        color: "black"
    }
    Row {
        x: 20; y: 20
        spacing: 12
        Tile {
            id: small
            width: 99; height: 99
            title: "Blue Hours"
            subtitle: "Tova Lind"
            onActivated: testCase.clicks++
            actions: [
                HoverAction { symbol: "play.fill"; label: "Play"; onRun: testCase.ran.push("Play") },
                HoverAction { symbol: "pin"; label: "Pin" },
                HoverAction { symbol: "plus"; label: "Add" },
                HoverAction { symbol: "shuffle"; label: "Shuffle" }
            ]
        }
        Tile {
            id: big
            width: 100; height: 100
            title: "Blue Hours"
            cursor: true
            lift: 1.06
            hasDoubleAction: true
            onActivated: testCase.clicks++
            onDoubleActivated: testCase.doubles++
            actions: [
                HoverAction { symbol: "play.fill"; label: "Play" },
                HoverAction { symbol: "pin"; label: "Pin" },
                HoverAction { symbol: "plus"; label: "Add" },
                HoverAction { symbol: "shuffle"; label: "Shuffle" }
            ]
        }
    }
    LikeButton {
        id: none
        x: 20; y: 200
        bare: true
    }
    LikeButton {
        id: round
        x: 100; y: 200
        size: 50
        frameHeight: 60
        song: "/music/tiles-test.mp3"
    }
    LikeButton {
        id: bareBig
        x: 200; y: 200
        size: 60
        bare: true
        song: "/music/tiles-test.mp3"
    }
    MenuLayer {
        anchors.fill: parent
        dark: true
    }

    function init() {
        mouseMove(testCase, 790, 590)
        clicks = 0
        doubles = 0
        ran = []
    }

    function rowOf(tile) {
        const loader = findChild(tile, "tileActions")
        return loader.item
    }

    function test_actionsAreMadeAtFirstHoverAndCutOnSmallTiles() {
        verify(!findChild(small, "tileActions").active, "no action row before the first hover")
        mouseMove(small, 50, 50)
        tryCompare(findChild(small, "tileActions"), "opacity", 1)
        const row = rowOf(small)
        compare(row.size, 22)
        let shown = 0
        for (let i = 0; i < row.children.length; ++i)
            if (row.children[i].hoverAction !== undefined) ++shown
        compare(shown, 2)
        compare(findChild(small, "tileActions").x, 99 - 5 - row.width)
        tryCompare(small, "scale", 1.04)
        compare(small.z, 1)
        // The cursor tile keeps its full row of 26-px buttons.
        compare(rowOf(big).size, 26)
        compare(big.scale, 1.06)
    }

    function test_roundActionRunsItsAction() {
        mouseMove(small, 50, 50)
        tryCompare(findChild(small, "tileActions"), "opacity", 1)
        const row = rowOf(small)
        const first = row.children[0]
        compare(first.Accessible.name, "Play")
        mouseClick(first)
        compare(ran, ["Play"])
        compare(clicks, 0, "the button's click is not the tile's")
    }

    function test_ringLiesOutsideTheTile() {
        const ring = findChild(big, "tileRing")
        verify(ring.visible)
        compare(ring.x, -4)
        compare(ring.width, big.width + 8)
        compare(ring.border.width, 2)
        compare(ring.border.color, Qt.color("white"))
        verify(!findChild(small, "tileRing").visible)
        // The ring's pixels show beyond the tile: 3 px left of the cursor tile's left edge, mid-height (once
        // the neighbour is back to its size).
        tryCompare(small, "scale", 1)
        const image = grabImage(testCase)
        const p = big.mapToItem(testCase, -3, 50)
        verify(image.red(Math.floor(p.x), Math.floor(p.y)) > 200)
        verify(image.red(Math.floor(p.x) - 4, Math.floor(p.y)) < 50, "and only there")
    }

    function test_clicks() {
        mouseClick(small, 50, 50)
        compare(clicks, 1, "without a double action a click acts at once")
        mouseDoubleClickSequence(big, 50, 50)
        compare(doubles, 1)
        wait(Qt.styleHints.mouseDoubleClickInterval + 100)
        compare(clicks, 1, "a double click runs only the double action")
        mouseClick(big, 50, 50)
        compare(clicks, 1)
        tryCompare(testCase, "clicks", 2)
    }

    function test_picture() {
        mouseMove(small, 50, 50)
        tryCompare(findChild(small, "tileActions"), "opacity", 1)
        waitForRendering(testCase)
        grabImage(testCase).save(buildDir + "/screenshots/tiles.png")
    }

    function test_accessible() {
        compare(small.Accessible.name, "Blue Hours, Tova Lind")
        compare(big.Accessible.name, "Blue Hours")
    }

    function test_likeButton() {
        verify(!none.enabled)
        compare(none.Accessible.name, "Like")
        compare(none.width, 20)
        compare(findChild(bareBig, "heart").glyph, 11)
        compare(round.width, 50)
        compare(round.height, 60)
        compare(findChild(round, "heart").glyph, 20)
        verify(Stores.player.likes.indexOf("/music/tiles-test.mp3") < 0)
        mouseClick(round)
        verify(Stores.player.likes.indexOf("/music/tiles-test.mp3") >= 0)
        compare(round.Accessible.name, "Liked")
        tryCompare(findChild(round, "heart"), "fill", 1)
        compare(findChild(bareBig, "heart").fill, 1)
        mouseClick(round)
        compare(round.Accessible.name, "Like")
        tryCompare(findChild(round, "heart"), "fill", 0)
    }
}
