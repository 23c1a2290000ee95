import QtQuick
import QtQuick.Controls.Basic
import QtTest
import Velto.Kit
import Velto.Shell

TestCase {
    id: testCase
    name: "Menus"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    TextField {
        id: field
        x: 300; y: 300; width: 200
    }
    Button {
        id: button
        x: 100; y: 40; width: 80; height: 24
        text: "open"
    }
    SignalSpy { id: clicks; target: button; signalName: "clicked" }
    Button {
        id: corner
        x: 1180; y: 740; width: 80; height: 24
        text: "corner"
    }
    MouseArea {
        id: rightTarget
        x: 900; y: 500; width: 100; height: 100
        acceptedButtons: Qt.RightButton
        property int presses: 0
        onPressed: presses++
    }
    // An application shortcut on a key the menu uses.
    Shortcut {
        id: downShortcut
        sequence: "Down"
        context: Qt.ApplicationShortcut
        property int fired: 0
        onActivated: fired++
    }

    MenuLayer {
        id: layer
        anchors.fill: parent
        dark: true
    }

    readonly property var plainPage: [{ items: [{ title: "one" }, { title: "two" }] },
                                      { title: "more", items: [{ title: "three", checked: true },
                                                               { title: "four", sub: [{ items: [{ title: "deep" }, { title: "deeper" }] }] }] }]

    function panels() { return layer.panels().filter(p => !p.closing) }
    function level(d) { return panels()[d].level }

    function init() {
        DropMenu.close()
        tryCompare(layer, "menuOpen", false)
        tryVerify(() => layer.panels().length === 0)
        menuProbe.clear()
        clicks.clear()
        downShortcut.fired = 0
        rightTarget.presses = 0
        field.text = ""
        testCase.forceActiveFocus()
    }

    function test_opensUnderItsButtonAndFadesIn() {
        menuProbe.show(plainPage, button)
        verify(layer.menuOpen)
        compare(panels().length, 1)
        const panel = panels()[0]
        compare(panel.x, 96)
        compare(panel.y, 70)
        // 4 rows, a divider and a heading.
        compare(panel.height, 12 + 4 * 28 + 11 + 20)
        tryCompare(panel, "opacity", 1)
        // The window's dark scheme, whatever lies under it.
        verify(panel.Theme.dark)
    }

    function test_nearTheCornerItStandsAboveAndInside() {
        menuProbe.show(plainPage, corner)
        const panel = panels()[0]
        compare(panel.x + panel.width, 1272)
        compare(panel.y + panel.height, 734)
    }

    function test_arrowsAndReturnRunARowAfterClosing() {
        menuProbe.show(plainPage, button)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Down)
        compare(level(0).lit, 1)
        compare(downShortcut.fired, 0, "the open menu took the shortcut's key")
        keyClick(Qt.Key_Return)
        compare(menuProbe.ran, ["two"])
        verify(!layer.menuOpen)
        // Closed panels fade out and go.
        tryVerify(() => layer.panels().length === 0)
        keyClick(Qt.Key_Down)
        compare(downShortcut.fired, 1, "with no menu open the shortcut fires")
    }

    function test_rightOpensASubPageAndLeftComesBack() {
        menuProbe.show(plainPage, button)
        keyClick(Qt.Key_Up)
        compare(level(0).lit, 3)
        keyClick(Qt.Key_Right)
        compare(panels().length, 2)
        compare(level(1).lit, 0)
        keyClick(Qt.Key_Left)
        compare(panels().length, 1)
        compare(level(0).lit, 3)
        keyClick(Qt.Key_Escape)
        verify(!layer.menuOpen)
    }

    function test_typingReachesTheTextField() {
        field.forceActiveFocus()
        menuProbe.show(plainPage, button)
        keyClick(Qt.Key_A)
        compare(field.text, "a")
        verify(layer.menuOpen)
        keyClick(Qt.Key_Return) // nothing lit: stays open
        verify(layer.menuOpen)
    }

    function test_clickOutsideClosesAndIsSwallowed() {
        menuProbe.show(plainPage, button)
        mouseClick(button)
        verify(!layer.menuOpen)
        compare(clicks.count, 0, "the opening button was not pressed again")
        mouseClick(button)
        compare(clicks.count, 1)
    }

    function test_rightClickOutsideReachesItsTarget() {
        menuProbe.show(plainPage, button)
        mouseClick(rightTarget, 10, 10, Qt.RightButton)
        verify(!layer.menuOpen)
        compare(rightTarget.presses, 1)
    }

    function test_pointerRestsOnARowToOpenItsSubPage() {
        menuProbe.show(plainPage, button)
        const panel = panels()[0]
        tryCompare(panel, "opacity", 1)
        // "four" is the last row: below the heading and the divider.
        mouseMove(panel, 50, 6 + 56 + 11 + 20 + 28 + 14)
        compare(level(0).lit, 3)
        tryVerify(() => panels().length === 2)
        const sub = panels()[1]
        compare(sub.x, panel.x + 238)
        mouseClick(sub, 50, 6 + 14)
        compare(menuProbe.ran, ["deep"])
        verify(!layer.menuOpen)
    }

    function test_aKeyboardLitRowScrollsIntoSight() {
        let rows = []
        for (let i = 0; i < 30; ++i) rows.push({ title: "row " + i })
        menuProbe.show([{ items: rows }], button)
        compare(panels()[0].height, 360)
        keyClick(Qt.Key_Up)
        compare(level(0).lit, 29)
        tryVerify(() => level(0).scrollY > 0)
        // The pointer finds the row now shown at the bottom.
        mouseMove(panels()[0], 50, 360 - 6 - 14)
        compare(level(0).lit, 29)
    }

    function test_atThePointerNearTheRightOpensToItsLeft() {
        menuProbe.showAt(plainPage, Qt.point(1200, 100), testCase)
        const panel = panels()[0]
        compare(panel.x, 960)
        compare(panel.y, 100)
    }

    function test_resizingTheWindowClosesTheMenu() {
        const window = testCase.Window.window
        menuProbe.show(plainPage, button)
        verify(layer.menuOpen)
        window.width = window.width + 20
        tryVerify(() => !layer.menuOpen)
        window.width = window.width - 20
    }

    // A destructive title and a check mark take the accent's text colour for the scheme they are drawn in.
    function test_accentTextFollowsTheScheme() {
        menuProbe.show([{ items: [{ title: "remove", destructive: true }, { title: "on", checked: true }] }], button)
        const panel = panels()[0]
        verify(panel.Theme.dark)
        compare(panel.Theme.accentText, AccentStore.drawn.text)
        compare(testCase.Theme.dark, false)
        compare(testCase.Theme.accentText, AccentStore.drawn.textOnLight)
        verify(!Qt.colorEqual(AccentStore.drawn.text, AccentStore.drawn.textOnLight))
        const title = findChild(panel, "row remove")
        compare(title.color, panel.Theme.accentText)
    }
}
