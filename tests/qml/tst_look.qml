import QtQuick
import QtTest
import Velto.Shell

TestCase {
    id: testCase
    name: "Look"
    when: windowShown
    visible: true
    width: 400
    height: 300

    Item {
        id: window
        anchors.fill: parent
        Rectangle {
            id: lightRow
            width: 20; height: 20
            color: Theme.primary
        }
        Item {
            id: nowPlaying
            x: 40
            width: 100; height: 100
            Theme.scheme: Theme.Dark
            Rectangle {
                id: darkRow
                width: 20; height: 20
                color: Theme.primary
            }
            Item {
                Rectangle {
                    id: deepRow
                    y: 30
                    width: 20; height: 20
                    color: Theme.base
                }
            }
        }
    }

    function colorAt(item, x, y) {
        var image = grabImage(item)
        return image.pixel(x, y)
    }

    function test_a_forcedDarkSubtreeInALightWindow() {
        compare(lightRow.color, Qt.color("#161616"))
        compare(darkRow.color, Qt.color("#ffffff"))
        compare(deepRow.color, Qt.color("#0e0e0e"))
        // What is drawn, not only what is bound.
        compare(colorAt(window, 5, 5), Qt.color("#161616"))
        compare(colorAt(window, 45, 5), Qt.color("#ffffff"))
        compare(colorAt(window, 45, 35), Qt.color("#0e0e0e"))
    }

    function test_b_schemesChangeLive() {
        nowPlaying.Theme.scheme = Theme.Inherit
        compare(darkRow.color, Qt.color("#161616"))
        window.Theme.scheme = Theme.Dark
        compare(lightRow.color, Qt.color("#ffffff"))
        compare(deepRow.color, Qt.color("#0e0e0e"))
        window.Theme.scheme = Theme.Light
        nowPlaying.Theme.scheme = Theme.Dark
        compare(lightRow.color, Qt.color("#161616"))
        compare(darkRow.color, Qt.color("#ffffff"))
    }

    NumberAnimation { id: enterAnimation; easing: Motion.enter }
    NumberAnimation { id: pressAnimation; easing: Motion.press }

    function test_motionCurvesReachAnimations() {
        compare(enterAnimation.easing.type, Easing.Bezier)
        compare(enterAnimation.easing.bezierCurve, [0.1, 0.9, 0.2, 1, 1, 1])
        // The spring is a curve of our own, not one of the named ones.
        verify(pressAnimation.easing.type > Easing.Bezier)
        compare(Motion.enterMs, 450)
        var back = Motion.page(false, false)
        compare(back.insertFrom.x, -80)
        compare(back.removeTo.x, 48)
        compare(Motion.page(true, true).insertFrom.x, 0)
        compare(AccentStore.accent.textOnLight, Qt.color("#c80077"))
        verify(!Motion.reduceMotion)
    }

    Rectangle {
        id: accentBar
        gradient: AccentGradient {}
    }

    function test_accentFollowsTheStore() {
        compare(accentBar.gradient.stops[0].color, Qt.color("#ec008c"))
        AccentStore.update("lime", "transparent", "")
        tryCompare(accentBar.gradient.stops[0], "color", Qt.color("#8cc63f"), 2000)
        compare(accentBar.gradient.stops[1].color, Qt.color("#00a99d"))
        AccentStore.update("magenta", "transparent", "")
        tryCompare(accentBar.gradient.stops[0], "color", Qt.color("#ec008c"), 2000)
    }

    MosaicLayout {
        id: mosaic
        y: 200
        width: 310
        columns: 3
        spacing: 10
        Item { id: big; MosaicLayout.span: 2 }
        Repeater {
            model: 3
            Item {}
        }
    }

    function test_mosaicPlacesSpannedTiles() {
        tryCompare(mosaic, "rows", 3)
        fuzzyCompare(big.width, 2 * 290 / 3 + 10, 1e-6)
        compare(mosaic.spots, [{row: 0, col: 0}, {row: 0, col: 2}, {row: 1, col: 2}, {row: 2, col: 0}])
        fuzzyCompare(mosaic.children[2].x, 2 * (290 / 3 + 10), 1e-6)
        big.MosaicLayout.span = 1
        tryCompare(mosaic, "rows", 2)
    }

    Component {
        id: staggered
        Rectangle {
            width: 10; height: 10
            property alias effect: stagger
            StaggerIn { id: stagger; index: 3 }
        }
    }

    function test_staggerInFadesAndSlidesAfterItsDelay() {
        var item = createTemporaryObject(staggered, testCase)
        compare(item.opacity, 0)
        compare(item.transform.length, 1)
        compare(item.transform[0].x, 40)
        wait(100) // still within index 3 × 0.06 s
        compare(item.opacity, 0)
        tryCompare(item, "opacity", 1, 2000)
        compare(item.transform[0].x, 0)
    }

    Component {
        id: arriving
        Rectangle {
            width: 10; height: 10
            property alias shown: arrive.shown
            Arrive { id: arrive; delay: 0.05 }
        }
    }

    function test_arriveComesEachTimeAndLeavesAtOnce() {
        var item = createTemporaryObject(arriving, testCase)
        compare(item.opacity, 0)
        compare(item.transform[0].x, 30)
        item.shown = true
        tryCompare(item, "opacity", 1, 2000)
        item.shown = false
        compare(item.opacity, 0) // no delay, no animation
        compare(item.transform[0].x, 30)
    }

    Component {
        id: menuButton
        MenuButton { title: "songs"; size: 13 }
    }

    function test_menuButtonColours() {
        var button = createTemporaryObject(menuButton, testCase)
        compare(button.contentItem.font.capitalization, Font.AllUppercase)
        compare(button.tint, Qt.color("#737373"))
        button.selected = true
        compare(button.tint, Qt.color("#161616"))
        compare(button.Accessible.selected, true)
    }

    Component {
        id: lookPieces
        Item {
            width: 300; height: 200
            ChromeBackground { anchors.fill: parent; plum: true }
            ChromeMatch { x: 50; y: 40; width: 100; height: 60 }
            Rectangle { width: 40; height: 40; HoverLift { lift: 1.05 } }
            Item { width: 100; height: 20; HoverRow {} }
            Symbol { name: "pin.slash"; size: 20; color: Theme.primary }
            Item { RiseIn { delay: 0.1 } }
            FloatingWindow {}
        }
    }

    function test_theOtherPiecesLoad() {
        var pieces = createTemporaryObject(lookPieces, testCase)
        verify(pieces !== null)
        var match = pieces.children[1]
        // The match lies at (50, 40) of a 400 × 300 test window, or wherever the test window puts it.
        var origin = match.mapToItem(null, 0, 0)
        fuzzyCompare(match.centre.x, (match.windowSize.width * 0.5 - origin.x) / 100, 1e-6)
        fuzzyCompare(match.centre.y, (match.windowSize.height * 0.42 - origin.y) / 60, 1e-6)
    }

    Component {
        id: backdrop
        ChromeBackdrop { width: 400; height: 260; dark: true; washed: true; centre: Qt.point(0.3, 0.6) }
    }

    // The backdrop is painted small and scaled up: it must look as the full-size painting does.
    function test_aBackdropPaintedSmallLooksAsAtFullSize() {
        const small = createTemporaryObject(backdrop, testCase)
        compare(small.textureSize, Qt.size(100, 65))
        waitForRendering(small)
        const a = grabImage(small)
        small.destroy()
        const full = createTemporaryObject(backdrop, testCase)
        full.textureSize = Qt.size(400, 260)
        waitForRendering(full)
        const b = grabImage(full)
        let worst = 0
        for (let x = 2; x < 398; x += 13) {
            for (let y = 2; y < 258; y += 11) {
                const p = a.pixel(x, y), q = b.pixel(x, y)
                worst = Math.max(worst, Math.abs(p.r - q.r), Math.abs(p.g - q.g), Math.abs(p.b - q.b))
            }
        }
        verify(worst <= 2 / 255, "largest difference " + Math.round(worst * 255) + " of 255")
    }

    Item {
        id: slidingPage
        x: 200
        width: 300; height: 200
        ChromeMatch { id: matchInPage; x: 20; y: 30; width: 100; height: 60 }
    }

    function test_chromeMatchFollowsAPageThatSlides() {
        const before = matchInPage.centre.x
        // The page moves; the backdrop's own geometry does not.
        slidingPage.x = 250
        fuzzyCompare(matchInPage.centre.x, before - 50 / 100, 1e-6)
        const origin = matchInPage.mapToItem(null, 0, 0)
        fuzzyCompare(matchInPage.centre.x, (matchInPage.windowSize.width * 0.5 - origin.x) / 100, 1e-6)
    }
}
