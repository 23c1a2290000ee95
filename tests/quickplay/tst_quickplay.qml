import QtQuick
import QtTest
import Velto.Shell
import Velto.Quickplay

Item {
    id: root
    width: 900
    height: 600

    Component {
        id: arrivingTile
        Rectangle {
            property alias token: arrival.token
            property alias index: arrival.index
            width: 40
            height: 40
            color: "red"
            Arrival { id: arrival }
        }
    }

    Component {
        id: emptyView
        EmptyLibraryView { anchors.fill: parent }
    }

    Component {
        id: spy
        SignalSpy {}
    }

    Component {
        id: playlistTile
        PlaylistTile { width: 120; height: 120 }
    }

    TestCase {
        name: "Arrival"
        when: windowShown

        function translation(item) {
            let x = 0
            for (let i = 0; i < item.transform.length; ++i) x += item.transform[i].x
            return x
        }

        function test_shownAtFirstThenSlidesInAfterEachTokenChange() {
            const tile = createTemporaryObject(arrivingTile, root, { index: 3, token: 0 })
            // No slide when it first appears.
            compare(tile.opacity, 1)
            compare(translation(tile), 0)
            wait(150)
            compare(tile.opacity, 1)

            tile.token = 1
            // Hidden at once, 60 px to the right.
            compare(tile.opacity, 0)
            compare(translation(tile), QuickplayLook.slideShift)
            // Position 3 waits 0.116 s: still hidden well inside that wait.
            wait(40)
            compare(tile.opacity, 0)
            tryVerify(() => tile.opacity > 0, 1000)
            tryCompare(tile, "opacity", 1, 1500)
            compare(translation(tile), 0)
        }
    }

    TestCase {
        name: "EmptyLibraryAndStatusLine"
        when: windowShown

        function child(item, name) {
            if (item.objectName === name) return item
            for (let i = 0; i < item.children.length; ++i) {
                const found = child(item.children[i], name)
                if (found) return found
            }
            return null
        }

        function test_aScanFindingNothingBringsBackTheInvitation() {
            const view = createTemporaryObject(emptyView, root)
            const title = child(view, "emptyTitle")
            const status = child(view, "emptyStatus")
            compare(title.text, "your music goes here")
            verify(child(view, "emptyExplanation").text.startsWith("VELTO looks for songs in /"))
            verify(!status.visible)
            compare(status.height, 0)
            const buttons = child(view, "emptyButtons")
            verify(buttons.visible)
            grabImage(view).save(probe.screenshot("empty-library"))

            // "choose folder" asks the window for its folder chooser.
            const asked = createTemporaryObject(spy, root, { target: Stores.library, signalName: "chooseFolderRequested" })
            mouseClick(child(view, "chooseFolder"))
            compare(asked.count, 1)

            // "look again" scans; the status line takes the buttons' place.
            probe.holdScans()
            mouseClick(child(view, "lookAgain"))
            tryCompare(title, "text", "reading your music")
            tryCompare(status, "text", "looking for songs")
            verify(status.visible)
            verify(!buttons.visible)
            // Caps draws the line in capitals.
            compare(child(status, "statusCaption").font.capitalization, Font.AllUppercase)
            verify(status.height > 0)
            grabImage(view).save(probe.screenshot("empty-library-scanning"))

            probe.finishScan()
            tryCompare(title, "text", "your music goes here", 3000)
            verify(!status.visible)
            verify(buttons.visible)
        }
    }

    TestCase {
        name: "PlaylistTile"
        when: windowShown

        function centre(item) {
            const image = grabImage(item)
            return image.pixel(item.width / 2, item.height / 2)
        }

        function test_showsOnlyTheMosaicOfItsCurrentAddresses() {
            const tile = createTemporaryObject(playlistTile, root, { urls: ["/t/slowred.mp3"] })
            // The red mosaic is held back: nothing but the placeholder.
            wait(100)
            verify(!tile.showsPicture)

            // The playlist changes before it comes: the blue one is shown as soon as it is ready.
            tile.urls = ["/t/blue.mp3"]
            tryVerify(() => tile.showsPicture, 3000)
            verify(Qt.colorEqual(centre(tile), "blue"))

            // The late answer for the old addresses changes nothing.
            probe.answerSlowCovers()
            wait(300)
            verify(tile.showsPicture)
            verify(Qt.colorEqual(centre(tile), "blue"))

            // And a change never leaves the old picture up while the new one loads.
            tile.urls = ["/t/slowgreen.mp3", "/t/blue.mp3"]
            verify(!tile.showsPicture)
            verify(!Qt.colorEqual(centre(tile), "blue"))
            tryVerify(() => tile.showsPicture, 3000)
            verify(Qt.colorEqual(centre(tile), "green"))
        }
    }
}
