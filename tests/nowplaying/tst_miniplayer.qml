import QtQuick
import QtTest
import Velto.NowPlaying
import Velto.Shell

// The small player's view as its window shows it, given only the library, the player and the window
// opener (the test's engine holds nothing else).
TestCase {
    id: testCase
    name: "MiniPlayer"
    when: windowShown
    visible: true
    width: 400
    height: 500

    Component {
        id: viewComponent
        MiniPlayerView {}
    }
    SignalSpy { id: moveSpy; signalName: "moveRequested" }
    SignalSpy { id: closeSpy; signalName: "closeRequested" }

    function init() {
        // Reaching for anything the small window is not given shows up as a warning: none may appear. (A
        // made-up song has no picture, which the cover says as it should.)
        failOnWarning(/^(?!.*no artwork)/)
        probe.stop()
        probe.clearOpened()
    }

    function makeView() {
        const view = createTemporaryObject(viewComponent, testCase)
        verify(view)
        moveSpy.target = view
        moveSpy.clear()
        closeSpy.target = view
        closeSpy.clear()
        waitForRendering(view)
        return view
    }

    function test_theViewLoadsWithOnlyItsThreeStores() {
        compare(Stores.app, null)
        compare(Stores.root, null)
        compare(Stores.defaults, null)
        const view = makeView()
        compare(view.width, 340)
        compare(findChild(view, "miniTitle").text, "nothing playing")
        compare(findChild(view, "miniArtist").text, " ")
        probe.play("ÉTÉ Nights", "Lune DeVille")
        compare(findChild(view, "miniTitle").text, "été nights")
        compare(findChild(view, "miniArtist").text, "Lune DeVille")
    }

    function test_theHeightIsTheSameWithAndWithoutASong() {
        const view = makeView()
        const empty = view.height
        verify(empty > 340)
        probe.play("Short", "Someone")
        waitForRendering(view)
        compare(view.height, empty)
        probe.play("A title far too long to fit on the one line the small window gives it, however narrow", "Someone")
        waitForRendering(view)
        compare(view.height, empty)
        probe.stop()
        compare(view.height, empty)
    }

    function test_aLongTitleStaysOnOneLine() {
        const view = makeView()
        const title = findChild(view, "miniTitle")
        probe.play("Short", "Someone")
        const oneLine = title.height
        probe.play("A title far too long to fit on the one line the small window gives it, however narrow", "Someone")
        waitForRendering(view)
        compare(title.lineCount, 1)
        verify(title.truncated)
        compare(title.height, oneLine)
        compare(title.width, 300)
    }

    function test_theButtonOpensTheMainWindowWhetherOrNotMusicPlays() {
        const view = makeView()
        const button = findChild(view, "miniFullWindow")
        compare(button.Accessible.name, "Back to the full window")
        // At the cover's top-right corner, 12 in from both edges.
        const corner = button.mapToItem(view, 0, 0)
        compare(corner.x, 340 - 12 - 32)
        compare(corner.y, 12)
        mouseClick(button)
        probe.play("Song", "Someone")
        mouseClick(button)
        compare(probe.opened, ["main", "main"])
        // The small window asked for nothing else, and is still there.
        verify(view.visible)
        compare(closeSpy.count, 0)
    }

    function test_aDragOnTheCoverAsksToMoveTheWindowButNotOneFromAButton() {
        const view = makeView()
        const cover = findChild(view, "miniCover")
        // From the middle of the cover.
        mouseDrag(cover, 170, 125, 60, 30)
        compare(moveSpy.count, 1)
        // From each of the buttons: no move, and no click either once the pointer left the button.
        for (const name of ["miniFullWindow", "miniClose"]) {
            moveSpy.clear()
            const button = findChild(view, name)
            mouseDrag(button, button.width / 2, button.height / 2, 60, 30)
            compare(moveSpy.count, 0, name)
        }
        compare(closeSpy.count, 0)
        compare(probe.opened, [])
    }

    function test_theCloseButtonAsksToCloseTheWindow() {
        const view = makeView()
        const close = findChild(view, "miniClose")
        compare(close.Accessible.name, "Close")
        const corner = close.mapToItem(view, 0, 0)
        compare(corner.x, 12)
        compare(corner.y, 12)
        compare(close.width, 20)
        mouseClick(close)
        compare(closeSpy.count, 1)
        compare(moveSpy.count, 0)
    }

    function test_spacePlaysAndPauses() {
        const view = makeView()
        probe.play("Song", "Someone")
        verify(Stores.player.isPlaying)
        view.forceActiveFocus()
        keyClick(Qt.Key_Space)
        verify(!Stores.player.isPlaying)
        keyClick(Qt.Key_Space)
        verify(Stores.player.isPlaying)
    }

    function test_thePanelsMeasures() {
        const view = makeView()
        probe.play("Song", "Someone")
        waitForRendering(view)
        const title = findChild(view, "miniTitle")
        const artist = findChild(view, "miniArtist")
        const bar = findChild(view, "miniSeekBar")
        const transport = findChild(view, "miniTransport")
        compare(title.mapToItem(view, 0, 0).x, 20)
        compare(title.mapToItem(view, 0, 0).y, 250 + 16)
        compare(artist.mapToItem(view, 0, 0).y, 250 + 16 + title.height + 4)
        compare(bar.mapToItem(view, 0, 0).y, artist.mapToItem(view, 0, 0).y + artist.height + 4 + 10)
        compare(bar.width, 300)
        compare(bar.barHeight, 2)
        // The song's length at the right, the transport centred across the window.
        compare(findChild(bar, "end").text, "4:05")
        compare(transport.mapToItem(view, 0, 0).x + transport.width / 2, 170)
        compare(view.height, transport.mapToItem(view, 0, 0).y + transport.height + 16)
        compare(view.color, Qt.rgba(18 / 255, 18 / 255, 18 / 255, 1))
        verify(view.Theme.dark)
        grabImage(view).save(probe.screenshot("mini-view"))
    }
}
