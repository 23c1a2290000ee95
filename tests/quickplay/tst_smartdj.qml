import QtQuick
import QtTest
import Velto.Shell
import Velto.Quickplay

// The Smart DJ tile as only a window shows it: what lights it, where a click goes, how a long name ends.
Item {
    id: root
    width: 900
    height: 400

    Component {
        id: djTile
        SmartDJTile {
            x: 40
            y: 40
            width: 176
            height: 132
            name: "Mira"
            artwork: "/t/red.mp3"
        }
    }
    Component {
        id: spy
        SignalSpy {}
    }

    TestCase {
        name: "SmartDJTile"
        when: windowShown

        function find(item, name) {
            if (item.objectName === name) return item
            for (let i = 0; i < item.children.length; ++i) {
                const hit = find(item.children[i], name)
                if (hit) return hit
            }
            return null
        }

        function test_theCursorLightsItLikeHover() {
            const tile = createTemporaryObject(djTile, root)
            verify(!tile.lit)
            tryCompare(find(tile, "djButtons"), "visible", false)
            tile.cursor = true
            verify(tile.lit)
            compare(tile.z, 1)
            tryCompare(find(tile, "djButtons"), "opacity", 1)
            tryCompare(find(tile, "djRing"), "opacity", 1)
            tryCompare(find(tile, "djName"), "opacity", 0.22)
            compare(tile.Accessible.name, "Smart DJ mix from Mira")
        }

        function test_clicksStartTheMixExceptOnShow() {
            const tile = createTemporaryObject(djTile, root)
            const played = createTemporaryObject(spy, root, { target: tile, signalName: "play" })
            const shown = createTemporaryObject(spy, root, { target: tile, signalName: "show" })
            mouseMove(tile, 10, 10)
            tryCompare(tile, "lit", true)
            mouseClick(tile, 10, 10)
            compare(played.count, 1)
            const show = find(tile, "djShow")
            tryCompare(find(tile, "djButtons"), "opacity", 1)
            mouseClick(show, show.width / 2, show.height / 2)
            compare(shown.count, 1)
            compare(played.count, 1)
            const play = find(tile, "djPlay")
            mouseClick(play, play.width / 2, play.height / 2)
            compare(played.count, 2)
        }

        function test_aLongNameIsCutNotElided() {
            const tile = createTemporaryObject(djTile, root, { name: "The Extraordinarily Long Band Name" })
            const name = find(tile, "djName").children[0]
            compare(name.text, "the extraordinarily long band name")
            verify(name.width > tile.width)
            verify(!name.truncated)
        }
    }
}
