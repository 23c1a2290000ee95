import QtQuick
import QtTest
import Velto.Kit
import Velto.Quickplay
import Velto.Shell

TestCase {
    id: testCase
    name: "QueuePanel"
    when: windowShown
    visible: true
    width: 420
    height: 760

    Component {
        id: panelMaker
        QueuePanel {
            width: 360
            height: 720
        }
    }
    MenuLayer {
        anchors.fill: parent
        z: 10
        dark: true
    }

    function init() {
        mouseMove(testCase, 415, 755)
        queueProbe.clear()
    }

    function makePanel() {
        const panel = createTemporaryObject(panelMaker, testCase)
        verify(panel)
        return panel
    }
    function listOf(panel) {
        return findChild(panel, "queueList")
    }
    // How far the row's centre lies from the list's (ListView's centring counts the 6-px margins in).
    function centreOffset(list, row) {
        const item = list.itemAtIndex(row)
        return item.y - list.contentY + item.height / 2 - list.height / 2
    }

    function test_empty() {
        const panel = makePanel()
        compare(findChild(panel, "queueTitle").text, "now playing")
        compare(findChild(panel, "queueSummary").text, "nothing queued")
        compare(findChild(panel, "queueSummary").font.capitalization, Font.AllUppercase)
        compare(findChild(panel, "queueSymbol").name, "list.bullet")
        verify(findChild(panel, "queueEmpty").visible)
        compare(findChild(panel, "queueEmpty").text,
                "Nothing queued yet. Play an album, or add songs with the + on any song.")
        verify(!findChild(panel, "saveQueue").visible)
    }

    function test_headerOfAMix() {
        queueProbe.play(5, 0, "Tova Lind")
        const panel = makePanel()
        compare(findChild(panel, "queueTitle").text, "tova lind")
        compare(findChild(panel, "queueSymbol").name, "dot.radiowaves.left.and.right")
        compare(findChild(panel, "queueSummary").text, "5 songs · 15 min left")
        verify(findChild(panel, "saveQueue").visible)
    }

    function test_rowsMarksAndRemoval() {
        queueProbe.play(10, 4)
        const panel = makePanel()
        const list = listOf(panel)
        tryVerify(() => list.itemAtIndex(9) !== null)
        for (let i = 0; i < 10; ++i) {
            const row = list.itemAtIndex(i)
            compare(row.playing, i === 4)
            compare(row.played, i < 4)
            compare(row.Accessible.name, "S" + i + ", Singer " + i)
            compare(row.Accessible.description, i === 4 ? "Playing" : i < 4 ? "Played" : "")
        }
        tryCompare(list.itemAtIndex(1), "opacity", 0.45)
        // The playing row never offers removal.
        mouseMove(list.itemAtIndex(4), 100, 10)
        wait(50)
        verify(!findChild(list.itemAtIndex(4), "removeButton").visible)
        // A played row comes to full strength under the pointer, with its minus.
        const second = list.itemAtIndex(1)
        mouseMove(second, 100, second.height / 2)
        tryCompare(second, "opacity", 1)
        const minus = findChild(second, "removeButton")
        tryCompare(minus, "opacity", 1)
        compare(minus.item.Accessible.name, "Remove from Up Next")
        const before = list.contentY
        mouseClick(minus.item)
        compare(Stores.player.queueLength, 9)
        compare(Stores.player.index, 3)
        tryVerify(() => list.itemAtIndex(3) !== null && list.itemAtIndex(3).playing)
        compare(list.itemAtIndex(3).title, "S4")
        compare(list.itemAtIndex(1).title, "S2")
    }

    function test_aClickJumps() {
        queueProbe.play(10, 4)
        const panel = makePanel()
        const list = listOf(panel)
        tryVerify(() => list.itemAtIndex(7) !== null)
        mouseClick(list.itemAtIndex(7), 60, 10)
        compare(Stores.player.index, 7)
        tryVerify(() => list.itemAtIndex(7).playing)
    }

    function test_centring() {
        queueProbe.play(300, 150)
        const panel = makePanel()
        const list = listOf(panel)
        // Centred on the first frame it shows, without a glide.
        waitForRendering(panel)
        verify(list.itemAtIndex(150) !== null)
        verify(Math.abs(centreOffset(list, 150)) <= 7.5, "centred: " + centreOffset(list, 150))
        // Songs appended by a mix's continuation scroll nothing.
        const y = list.contentY
        queueProbe.enqueue(60)
        wait(50)
        compare(list.contentY, y)
        // A jump glides to centre the new row.
        Stores.player.jump(170)
        tryVerify(() => list.contentY > y, 2000, "moving")
        const midway = list.contentY
        tryVerify(() => list.itemAtIndex(170) !== null && Math.abs(centreOffset(list, 170)) <= 7.5, 2000)
        verify(list.contentY > midway, "it glided rather than jumped")
        // Removing a row above re-centres the playing row, which moved up one.
        const at = list.contentY
        Stores.player.remove(3)
        compare(Stores.player.index, 169)
        tryVerify(() => list.itemAtIndex(169) !== null && Math.abs(centreOffset(list, 169)) <= 7.5, 2000)
    }

    function test_picture() {
        queueProbe.play(12, 4, "Tova Lind")
        const panel = makePanel()
        const list = listOf(panel)
        tryVerify(() => list.itemAtIndex(6) !== null)
        mouseMove(list.itemAtIndex(6), 100, 10)
        wait(400)
        waitForRendering(panel)
        grabImage(panel).save(screenshots + "/queue-panel.png")
    }

    function test_save() {
        queueProbe.play(45, 3)
        const panel = makePanel()
        const made = queueProbe.playlistCount()
        mouseClick(findChild(panel, "saveQueue"))
        compare(queueProbe.playlistCount(), made + 1)
        verify(queueProbe.firstPlaylistName().startsWith("now playing "))
        compare(Stores.player.noticeText, "made " + queueProbe.firstPlaylistName() + " with 45 songs")
    }
}
