import QtQuick
import QtTest
import Velto.Shell
import Velto.PocketPlayer

// The player settings page in a window, over the application's own stores.
TestCase {
    id: testCase
    name: "PlayerSettings"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    Component {
        id: maker
        PlayerSettingsView {
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

    function init() {
        Stores.app.samplePlayer = false
        Stores.defaults.write("player.model", "flash")
        Stores.defaults.write("player.finish", "")
        Stores.defaults.write("player.capacity", 0)
        Stores.defaults.write("sync.convert", true)
        Stores.defaults.write("sync.quality", 256)
        Stores.defaults.write("sync.music", "all")
    }

    function openPlayerSection() {
        const view = createTemporaryObject(maker, testCase)
        view.page.section = 3
        tryVerify(() => findChildNamed(view, "model_flash") !== null)
        // The settings written by init() arrive a moment later and lay the rows out again.
        wait(100)
        return view
    }

    function test_modelCards() {
        const view = openPlayerSection()
        const flash = findChildNamed(view, "model_flash")
        const hd = findChildNamed(view, "model_hd")
        compare(findChildNamed(flash, "cardCaption").text, "ivra 4 \u00b7 8 \u00b7 16")
        // One line, whatever the width.
        verify(findChildNamed(flash, "cardCaption").lineCount === 1)
        compare(findChildNamed(flash, "cardPicture").opacity, 1)
        verify(findChildNamed(flash, "cardUnderline").visible)
        tryCompare(findChildNamed(hd, "cardPicture"), "opacity", 0.5)
        verify(!findChildNamed(hd, "cardUnderline").visible)
        compare(findChildNamed(hd, "cardCaption").color, view.Theme.muted)
        mouseMove(view, 1, 1)
        mouseMove(hd, hd.width / 2, hd.height / 2)
        mouseMove(hd, hd.width / 2 + 1, hd.height / 2)
        tryCompare(findChildNamed(hd, "cardPicture"), "opacity", 1)
        tryCompare(findChildNamed(hd, "cardCaption"), "color", view.Theme.soft)
        mouseClick(hd)
        compare(Stores.defaults.read("player.model"), "hd")
        compare(Stores.defaults.read("player.finish"), "platinum")
        // The chosen card still acts: a colour goes back to the showcase one.
        Stores.defaults.write("player.finish", "red")
        wait(100)
        const hdAgain = findChildNamed(view, "model_hd")
        mouseClick(hdAgain)
        compare(Stores.defaults.read("player.finish"), "platinum")
    }

    function test_swatches() {
        const view = openPlayerSection()
        const swatches = findChildrenNamed(view, "swatchRing")
        compare(swatches.length, 5)
        compare(swatches.filter(r => r.border.color !== Qt.rgba(0, 0, 0, 0) && r.border.color.a > 0).length, 1)
        const third = findChildNamed(view, "swatch2")
        const name = third.finish.name
        mouseClick(third)
        compare(Stores.defaults.read("player.finish"), name)
        tryVerify(() => findChildNamed(view, "swatch2").selected)
        // A click on the chosen swatch still writes it.
        Stores.defaults.write("player.finish", "nothing of this model")
        wait(100)
        mouseClick(findChildNamed(view, "swatch2"))
        compare(Stores.defaults.read("player.finish"), name)
    }

    function test_convertingOffDimsAndIgnores() {
        const view = createTemporaryObject(maker, testCase)
        view.page.section = 2
        tryVerify(() => findChildNamed(view, "convertedGroup") !== null)
        const group = findChildNamed(view, "convertedGroup")
        wait(100)
        Stores.defaults.write("sync.convert", false)
        tryCompare(group, "opacity", 0.4)
        verify(!group.enabled)
        const q = findChildNamed(findChildNamed(view, "qualityChoice"), "segment2")
        mouseClick(q)
        compare(Stores.defaults.read("sync.quality"), 256)
        Stores.defaults.write("sync.convert", true)
        tryCompare(group, "opacity", 1)
        mouseClick(q)
        compare(Stores.defaults.read("sync.quality"), 320)
    }

    function test_barOnlyWithASamplePlayer() {
        const view = createTemporaryObject(maker, testCase)
        const bar = findChildNamed(view, "afterSyncing")
        verify(!bar.visible)
        Stores.app.samplePlayer = true
        tryVerify(() => bar.visible)
        view.page.forget()
        tryVerify(() => !bar.visible)
        compare(Stores.defaults.read("player.model"), "flash")
    }

    function test_chosenListShowsWithChoose() {
        const view = createTemporaryObject(maker, testCase)
        tryVerify(() => findChildNamed(view, "musicHelp") !== null)
        verify(findChildNamed(view, "chosenMusic") === null || !findChildNamed(view, "chosenMusic").visible)
        Stores.defaults.write("sync.music", "choose")
        tryVerify(() => findChildNamed(view, "chosenMusic").visible)
        const list = findChildNamed(view, "chosenMusic")
        compare(findChildNamed(list, "nothingChosen").visible, true)
        compare(findChildNamed(list, "chosenCaption").visible, false)
        compare(findChildNamed(view, "musicHelp").text,
                "Right-click an artist, album or song and choose Add to Player, or drag it onto the player at the bottom left.")
    }
}
