import QtQuick
import QtTest
import Velto.Kit
import Velto.Shell
import Velto.Settings

TestCase {
    id: testCase
    name: "Settings"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    Component {
        id: pageComponent
        SettingsView { width: 1200; height: 760 }
    }

    Item {
        id: pillHolder
        x: 400; y: 40; width: 300; height: 60
        // Shown only for its own tests, so that it is not drawn over the page's pictures.
        visible: false
        property int runs: 0
        property bool menuOpenWhenRun: false
        ConfirmPill {
            id: pill
            title: "clear history"
            question: "this can't be undone"
            onConfirmed: {
                pillHolder.runs++
                pillHolder.menuOpenWhenRun = DropMenu.isOpen
            }
        }
    }

    MenuLayer {
        id: layer
        anchors.fill: parent
        dark: false
    }

    SignalSpy { id: playerSpy; target: Stores.root; signalName: "chosenPlayerChanged" }

    function init() {
        DropMenu.close()
        tryCompare(layer, "menuOpen", false)
        pillHolder.runs = 0
        pillHolder.menuOpenWhenRun = false
        pillHolder.visible = false
        playerSpy.clear()
    }

    function heading(view) {
        const slot = findChild(view, "section" + view.page.section)
        return findChild(slot, "sectionHeading")
    }

    function test_everyVisitStartsOnMusicWithAnEmptyField() {
        let view = createTemporaryObject(pageComponent, testCase)
        compare(view.page.section, 0)
        tryVerify(() => heading(view) !== null)
        compare(heading(view).text, "music")
        view.page.section = 4
        tryVerify(() => heading(view) !== null && heading(view).text === "artist pictures")
        view.page.keyDraft = "half a key"
        view.page.editingKey = true
        view.destroy()
        wait(0)

        view = createTemporaryObject(pageComponent, testCase)
        compare(view.page.section, 0)
        compare(view.page.keyDraft, "")
        compare(view.page.editingKey, false)
        const field = findChild(view, "keyField")
        verify(field)
        compare(field.text, "")
    }

    function test_theListMovesTheSectionAndTheOldOneFadesOut() {
        const view = createTemporaryObject(pageComponent, testCase)
        const list = findChild(view, "sectionList")
        tryVerify(() => list.activeFocus)
        keyClick(Qt.Key_Down)
        compare(view.page.section, 1)
        // The music rows fade out rather than vanish.
        const music = findChild(view, "section0")
        verify(music.visible && music.opacity > 0)
        tryCompare(music, "visible", false)
        compare(heading(view).text, "playback")
    }

    function test_theChosenPlayerFollowsAnotherWriter() {
        Stores.defaults.write("player.finish", "red")
        compare(playerSpy.count, 1)
        compare(Stores.root.chosenPlayer.finish, "red")
        Stores.defaults.write("player.finish", "blue")
        compare(playerSpy.count, 2)
        compare(Stores.root.chosenPlayer.finish, "blue")
    }

    function test_anUnknownAccentIsMagenta() {
        const view = createTemporaryObject(pageComponent, testCase)
        Stores.defaults.write("accent", "lime")
        compare(view.page.accentChoice, "lime")
        Stores.defaults.write("accent", "teal")
        compare(view.page.accentChoice, "magenta")
        Stores.defaults.write("accent", "magenta")
    }

    function test_confirmPillRunsNothingWhenTheMenuIsDismissed() {
        pillHolder.visible = true
        mouseClick(pill)
        verify(DropMenu.isOpen)
        keyClick(Qt.Key_Escape)
        verify(!DropMenu.isOpen)
        compare(pillHolder.runs, 0)

        mouseClick(pill)
        verify(DropMenu.isOpen)
        mouseClick(testCase, 1200, 700)
        verify(!DropMenu.isOpen)
        wait(50)
        compare(pillHolder.runs, 0)
    }

    function test_confirmPillRunsItsActionOnceAfterTheMenuIsGone() {
        pillHolder.visible = true
        mouseClick(pill)
        verify(DropMenu.isOpen)
        const panel = layer.panels().filter(p => !p.closing)[0]
        // The question as the heading over one row.
        compare(panel.height, 12 + 28 + 20)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Return)
        compare(pillHolder.runs, 1)
        verify(!pillHolder.menuOpenWhenRun)
        wait(50)
        compare(pillHolder.runs, 1)
    }

    function rowsOf(view, section) {
        view.page.section = section
        const slot = findChild(view, "section" + section)
        tryVerify(() => findChild(slot, "rows").item !== null && slot.opacity === 1)
        return slot
    }

    function test_theLightsHelpFollowsItsSwitch() {
        const view = createTemporaryObject(pageComponent, testCase)
        const rows = rowsOf(view, 1)
        const lightSwitch = findChild(rows, "lightSwitch")
        const row = findChild(rows, "lightRow")
        verify(lightSwitch.isOn)
        compare(row.help, "The band of light moves with the music.")
        mouseClick(lightSwitch)
        compare(Stores.defaults.read("showEqualizer"), false)
        compare(row.help, "The band of light stays still.")
        verify(!lightSwitch.isOn)
        mouseClick(lightSwitch)
        compare(Stores.defaults.read("showEqualizer"), true)
    }

    function test_choosingTheCoverChipStoresItAndUnderlinesIt() {
        const view = createTemporaryObject(pageComponent, testCase)
        const rows = rowsOf(view, 2)
        const cover = findChild(rows, "chip-cover")
        const lime = findChild(rows, "chip-lime")
        mouseClick(cover)
        compare(Stores.defaults.read("accent"), "cover")
        verify(cover.selected)
        compare(findChild(cover, "underline").color, cover.Theme.primary)
        tryCompare(findChild(lime, "swatch"), "opacity", 0.6)
        compare(findChild(rows, "accentHelp").text,
                "Changes with the cover of each song you play. Magenta while nothing plays.")
        Stores.defaults.write("accent", "magenta")
    }

    function test_anEmptySlotsDashesAreFourPointsLong() {
        const view = createTemporaryObject(pageComponent, testCase)
        const rows = rowsOf(view, 3)
        const first = findChild(rows, "smartDJ-0")
        verify(first)
        const dashes = findChild(first, "dashes")
        const path = dashes.data[0]
        compare(path.strokeWidth, 1.5)
        compare(path.dashPattern[0] * path.strokeWidth, 4)
        compare(path.dashPattern[1] * path.strokeWidth, 4)
    }

    function test_aPictureSlotsActionsAreButtonsAndItsMenu() {
        const view = createTemporaryObject(pageComponent, testCase)
        const picture = probe.screenshot("slot-picture")
        grabImage(view).save(picture)
        verify(Stores.pictures.set("file://" + picture, "Abba"))
        const rows = rowsOf(view, 4)
        const slot = findChild(rows, "picture-Abba")
        verify(slot)
        const buttons = findChild(slot, "actions")
        verify(!buttons.visible)
        mouseMove(slot, 56, 56)
        tryCompare(buttons, "visible", true)
        compare(buttons.actions.length, 2)
        compare(buttons.actions[0].label, "Change Abba's picture")

        // A right click offers the same actions as rows; the last removes the picture.
        mouseClick(slot, 56, 56, Qt.RightButton)
        verify(layer.menuOpen)
        keyClick(Qt.Key_Up)
        keyClick(Qt.Key_Return)
        tryVerify(() => !Stores.pictures.has("Abba"))
        tryCompare(layer, "menuOpen", false)
    }

    function test_everySectionIsDrawn() {
        const view = createTemporaryObject(pageComponent, testCase)
        for (let section = 0; section < 6; ++section) {
            rowsOf(view, section)
            compare(heading(view).text, view.page.label(section))
            // The entrance, then the fade between sections.
            wait(section === 0 ? 800 : 200)
            const image = grabImage(view)
            image.save(probe.screenshot("settings-" + section))
        }
    }
}
