import QtQuick
import QtTest
import Velto.Shell
import Velto.PocketPlayer

// The player pages in a window, over the application's own stores.
TestCase {
    id: testCase
    name: "PlayerPages"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    Component {
        id: summaryMaker
        PlayerSummaryView {
            width: testCase.width
            height: testCase.height
        }
    }

    function findChildrenNamed(item, name) {
        let out = []
        for (let i = 0; i < item.children.length; ++i) {
            const child = item.children[i]
            if (child.objectName === name)
                out.push(child)
            out = out.concat(findChildrenNamed(child, name))
        }
        return out
    }
    function findChildNamed(item, name) {
        const all = findChildrenNamed(item, name)
        return all.length > 0 ? all[0] : null
    }

    function shownDevice(view) {
        return findChildrenNamed(view, "summaryDevice").filter(d => d.visible)[0]
    }

    function init() {
        Stores.app.samplePlayer = false
        Stores.defaults.write("player.model", "flash")
        Stores.defaults.write("player.finish", "red")
        Stores.defaults.write("player.name", "my player")
        Stores.app.go(Nav.Page.playerSummary)
        tryCompare(Stores.app, "page", Nav.Page.playerSummary)
    }

    function test_lineupPicksAModel() {
        const view = createTemporaryObject(summaryMaker, testCase)
        const flash = findChildNamed(view, "lineup-flash")
        const hd = findChildNamed(view, "lineup-hd")
        verify(flash && hd)
        compare(findChildNamed(view, "noPlayerTitle").text, "no player connected")
        compare(hd.Accessible.name, "Preview with a ivra hd")
        compare(findChildNamed(hd, "lineupPicture").Accessible.name, "ivra hd, platinum")
        compare(findChildNamed(flash, "lineupPicture").Accessible.name, "ivra 4 \u00b7 8 \u00b7 16, red")
        // Both stand on one line, flash first.
        tryVerify(() => flash.opacity === 1 && hd.opacity === 1, 3000)
        const flashBottom = flash.mapToItem(view, 0, flash.height).y
        compare(hd.mapToItem(view, 0, hd.height).y, flashBottom)
        verify(flash.mapToItem(view, 0, 0).x < hd.mapToItem(view, 0, 0).x)
        waitForRendering(view)
        grabImage(view).save(planProbe.shotPath("page-noPlayer"))

        // Hover lifts the picture and lights the name and year.
        const name = findChildNamed(hd, "lineupName")
        compare(name.color, hd.Theme.soft)
        mouseMove(hd, hd.width / 2, hd.height / 2)
        tryCompare(hd, "lift", 6)
        tryCompare(name, "color", hd.Theme.primary)
        tryCompare(findChildNamed(hd, "lineupYear"), "color", hd.Theme.accentText)
        mouseMove(view, 1, 1)
        tryCompare(hd, "lift", 0)

        mouseClick(hd)
        compare(Stores.defaults.read("player.model"), "hd")
        compare(Stores.defaults.read("player.finish"), "platinum")
        verify(Stores.app.samplePlayer)
        // The summary page turns into the player's page at once.
        tryVerify(() => findChildNamed(view, "playerName") !== null)
        verify(findChildNamed(view, "noPlayerTitle") === null)
    }

    function test_summaryShowsThePlayerAndLeadsToItsSettings() {
        Stores.app.samplePlayer = true
        const view = createTemporaryObject(summaryMaker, testCase)
        const name = findChildNamed(view, "playerName")
        compare(name.text, "my player")
        compare(findChildNamed(view, "playerCapacity").text, "4GB")
        compare(findChildNamed(view, "statusName").text, "ivra 4 \u00b7 red")
        compare(findChildNamed(view, "syncHeading").text, "last sync")
        compare(findChildNamed(view, "syncNote").text, "This is a preview. Nothing is copied yet.")
        const device = shownDevice(view)
        compare(device.model, "flash")
        compare(device.Accessible.name, "ivra 4 \u00b7 8 \u00b7 16, red")
        // Once every block has come in.
        tryCompare(findChildNamed(view, "playerPlanList"), "opacity", 1)
        waitForRendering(view)
        grabImage(view).save(planProbe.shotPath("page-playerSummary"))

        // The sub-menu marks the page shown and moves between the two.
        const summary = findChildNamed(view, "playerMenuSummary")
        const settings = findChildNamed(view, "playerMenuSettings")
        verify(summary.selected && !settings.selected)
        mouseClick(settings)
        tryCompare(Stores.app, "page", Nav.Page.playerSettings)
        verify(!summary.selected && settings.selected)
        mouseClick(summary)
        tryCompare(Stores.app, "page", Nav.Page.playerSummary)
        verify(summary.selected && !settings.selected)
        mouseClick(findChildNamed(view, "statusRename"))
        tryCompare(Stores.app, "page", Nav.Page.playerSettings)
        Stores.app.go(Nav.Page.playerSummary)
        tryCompare(Stores.app, "page", Nav.Page.playerSummary)
        mouseClick(findChildNamed(view, "syncSettings"))
        tryCompare(Stores.app, "page", Nav.Page.playerSettings)

        // A new model swaps the picture; its old one leaves.
        Stores.defaults.write("player.model", "hd")
        Stores.defaults.write("player.finish", "platinum")
        const shownModels = () => findChildrenNamed(view, "summaryDevice").filter(d => d.visible).map(d => d.model)
        tryVerify(() => shownModels().join() === "hd", 3000)
        compare(shownDevice(view).Accessible.name, "ivra hd, platinum")
        compare(findChildNamed(view, "playerCapacity").text, "16GB")

        // With no name only the size stands on the title line.
        Stores.defaults.write("player.name", "")
        verify(!name.visible)
        compare(findChildNamed(view, "playerCapacity").x, 0)
    }

    function test_aLongNameShrinksOnOneLine() {
        Stores.app.samplePlayer = true
        Stores.defaults.write("player.name", "a very long name for a small pocket player indeed, longer than the window")
        const view = createTemporaryObject(summaryMaker, testCase)
        const name = findChildNamed(view, "playerName")
        verify(name.truncated || name.fontInfo.pixelSize < 58)
        verify(name.fontInfo.pixelSize >= 34)
        verify(name.width + findChildNamed(view, "playerCapacity").width < view.width)
        compare(name.lineCount, 1)
    }

    function test_glyph() {
        const glyph = createTemporaryQmlObject("import Velto.PocketPlayer; IvraGlyph { model: \"hd\"; color: \"white\" }", testCase)
        compare(glyph.implicitHeight, 32)
        verify(Math.abs(glyph.implicitWidth - 16.52) < 0.01)
    }
}
