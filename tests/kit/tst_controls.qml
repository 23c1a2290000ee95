import QtQuick
import QtTest
import Velto.Kit
import Velto.Shell

TestCase {
    id: testCase
    name: "Controls"
    when: windowShown
    visible: true
    width: 900
    height: 700

    // Something under the place where a hint bubble appears: clicks there must still reach it.
    MouseArea {
        id: under
        x: 0; y: 0; width: 300; height: 60
        property int clicks: 0
        onClicked: clicks++
    }
    // A clipped list whose first row carries a hinted button at its very top.
    ListView {
        id: list
        x: 40; y: 60; width: 200; height: 150
        clip: true
        model: 5
        delegate: Item {
            width: 200; height: 44
            required property int index
            CircleButton {
                objectName: "rowButton" + parent.index
                symbol: "play.fill"
                size: 26
                label: "Play"
            }
        }
    }
    PillButton {
        id: pill
        x: 400; y: 40
        title: "choose folder"
        color: pill.Theme.primary
    }
    Segmented {
        id: picker
        x: 400; y: 100
        options: [{ value: "system", label: "as my system" }, { value: "light", label: "light" },
                  { value: "dark", label: "dark" }, { value: "dark", label: "dark again" }]
        selection: "sepia"
        onChosen: value => selection = value
    }
    SettingsSectionList {
        id: sections
        x: 400; y: 160; width: 220
        sections: ["music", "playback", "theme"]
        selection: "music"
        label: s => s
        hint: s => "the " + s
        onChosen: s => selection = s
    }
    IconButton {
        id: tool
        x: 640; y: 40
        symbol: "repeat"
        isOn: false
        label: "Repeat"
    }
    AccentSwitch {
        id: toggle
        x: 700; y: 40
        label: "Fade when pausing"
        onToggled: {}
    }
    Column {
        id: blocks
        x: 20; y: 260; width: 640
        SettingsRow {
            id: plainRow
            width: 640
            title: "Fade when pausing"
            help: "Pausing and resuming fade the music out and in."
            AccentSwitch { label: "Fade when pausing"; isOn: true }
        }
        SettingsRow {
            id: statusRow
            width: 640
            title: "Last.fm"
            help: "Similar artists and tags come from Last.fm when you paste a free API key here."
            status: ({ text: "key set", on: true })
            SettingsFieldStyle { monospaced: true; placeholderText: "API key" }
        }
    }
    MenuLayer {
        id: layer
        anchors.fill: parent
        dark: false
    }

    function rowButton(i) { return findChild(list, "rowButton" + i) }

    function init() {
        mouseMove(testCase, 880, 680)
        wait(20)
    }

    function test_hintOverAClippedListTakesNoClicks() {
        const button = rowButton(0)
        verify(button)
        compare(button.width, 36)
        compare(button.height, 44)
        mouseMove(button, 18, 22)
        verify(button.hovered)
        tryVerify(() => button.HoverHint.shown, 1000)
        const bubble = button.HoverHint.bubble
        verify(bubble)
        // The whole bubble is drawn in the window's layer, above the list's clipped top edge.
        compare(bubble.parent, layer)
        const top = button.mapToItem(layer, 0, 0)
        compare(bubble.y, top.y - 26)
        compare(bubble.x + bubble.width / 2, top.x + 18)
        verify(bubble.y + bubble.height <= top.y - 4)
        verify(bubble.y < list.y)
        tryCompare(bubble, "opacity", 1)
        compare(bubble.hint.text, "Play")
        testCase.grabImage(testCase).save(buildDir + "/controls-hint.png")
        // A click under the bubble lands on what is beneath it.
        const clicks = under.clicks
        mouseClick(layer, bubble.x + bubble.width / 2, bubble.y + bubble.height / 2)
        compare(under.clicks, clicks + 1)
        // Leaving hides it at once.
        mouseMove(testCase, 880, 680)
        verify(!button.HoverHint.shown)
        tryCompare(bubble, "opacity", 0)
    }

    function test_hintWaitsAgainAtEveryEntry() {
        const button = rowButton(1)
        mouseMove(button, 18, 22)
        wait(150)
        mouseMove(testCase, 880, 680)
        mouseMove(button, 18, 22)
        wait(200)
        // 350 ms since the first entry, 200 since the second: nothing yet.
        verify(!button.HoverHint.shown)
        tryVerify(() => button.HoverHint.shown, 1000)
    }

    function test_iconButton() {
        compare(tool.width, 30)
        compare(tool.height, 44)
        compare(tool.HoverHint.text, "Repeat off")
        compare(tool.accessibleValue, "Off")
        tool.isOn = true
        compare(tool.tint, tool.Theme.accentText)
        tool.isOn = false
    }

    function test_pillFillsOnHover() {
        compare(pill.height, 30)
        verify(pill.look.fill.a === 0)
        mouseMove(pill, pill.width / 2, 15)
        verify(pill.hovered)
        compare(pill.look.fill, pill.color)
        compare(pill.look.border.a, pill.color.a * 0.85)
        // The capsule's corners are not the button's.
        mouseMove(pill, 1, 1)
        verify(!pill.hovered)
    }

    function segment(i) {
        return findChild(picker, "segment" + i)
    }

    function test_segmentedSelectionAndHover() {
        compare(picker.height, 32)
        picker.selection = "sepia"
        for (let i = 0; i < 4; ++i)
            verify(!segment(i).selected)
        mouseClick(segment(2))
        compare(picker.selection, "dark")
        verify(segment(2).selected && segment(3).selected)
        verify(!segment(1).selected)
        // Exit then entry, and entry then exit: only the neighbour stays lit.
        picker.enter(0); picker.leave(0); picker.enter(1)
        compare(picker.hovered, 1)
        picker.enter(0); picker.enter(1); picker.leave(0)
        compare(picker.hovered, 1)
        picker.leave(1)
        compare(picker.hovered, -1)
        // And with the real pointer.
        mouseMove(segment(0), 10, 14)
        compare(picker.hovered, 0)
        mouseMove(segment(1), 10, 14)
        compare(picker.hovered, 1)
        verify(segment(1).lit && !segment(0).lit)
    }

    Item {
        id: outer
        property int passed: 0
        Keys.onPressed: event => passed++
    }

    function test_sectionListKeys() {
        sections.selection = "music"
        sections.forceActiveFocus()
        verify(sections.activeFocus)
        // Held Down: a press and its repeats, stopping at the last section.
        keyPress(Qt.Key_Down)
        compare(sections.selection, "playback")
        for (let i = 0; i < 3; ++i)
            keyPress(Qt.Key_Down, Qt.NoModifier, -1)
        compare(sections.selection, "theme")
        keyRelease(Qt.Key_Down)
        keyClick(Qt.Key_Up, Qt.ShiftModifier)
        compare(sections.selection, "playback")
        keyClick(Qt.Key_Up, Qt.ControlModifier)
        keyClick(Qt.Key_Up, Qt.AltModifier)
        keyClick(Qt.Key_Up, Qt.MetaModifier)
        compare(sections.selection, "playback")
        // A selection from elsewhere makes the arrows inert until a click picks a section.
        sections.selection = "shortcuts"
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Up)
        compare(sections.selection, "shortcuts")
        mouseClick(sections, 40, 20)
        compare(sections.selection, "music")
        keyClick(Qt.Key_Down)
        compare(sections.selection, "playback")
    }

    function test_balancedText_data() {
        return [
            { tag: "one line", text: "Short help." },
            { tag: "two lines", text: "Songs you drop on the window are copied into the music folder, sorted by artist and album." },
            { tag: "three lines", text: "Similar artists and tags come from Last.fm when you paste a free API key here. The key stays on this computer and is sent only to Last.fm with each request." },
            { tag: "long word", text: "Supercalifragilisticexpialidocious_and_then_some_more_without_any_break_at_all_anywhere_in_it ok" },
        ]
    }

    Component {
        id: paragraph
        BalancedText { size: 12; maxWidth: 420 }
    }
    Component {
        id: plain
        Text { width: 420; font.family: "Inter"; font.pixelSize: 12; wrapMode: Text.Wrap }
    }

    function test_balancedText(data) {
        const balanced = createTemporaryObject(paragraph, testCase, { text: data.text })
        const full = createTemporaryObject(plain, testCase, { text: data.text })
        verify(balanced.width <= 420)
        compare(balanced.lineCount, full.lineCount)
    }

    function test_settingsBlocks() {
        const line = findChild(statusRow, "statusLine")
        verify(line.visible)
        compare(findChild(plainRow, "statusLine").height, 0)
        verify(statusRow.height > plainRow.height)
        const dot = findChild(statusRow, "dot")
        compare(dot.color, statusRow.Theme.connected)
        testCase.grabImage(blocks).save(buildDir + "/controls-settings.png")
    }

    function test_switchFollowsTheAccent() {
        toggle.isOn = true
        const track = findChild(toggle, "accentTrack")
        tryCompare(track, "opacity", 1)
        AccentStore.update("lime", "transparent", "")
        tryVerify(() => Qt.colorEqual(AccentStore.drawn.from, AccentStore.accent.from), 3000)
        wait(50)
        const lime = grabImage(toggle).pixel(10, 13)
        AccentStore.update("magenta", "transparent", "")
        tryVerify(() => Qt.colorEqual(AccentStore.drawn.from, AccentStore.accent.from), 3000)
        wait(50)
        const magenta = grabImage(toggle).pixel(10, 13)
        verify(!Qt.colorEqual(lime, magenta), "the track repaints in the new accent")
        mouseClick(toggle)
        verify(!toggle.isOn)
        tryCompare(findChild(toggle, "knob"), "x", 3)
        testCase.grabImage(testCase).save(buildDir + "/controls.png")
    }
}
