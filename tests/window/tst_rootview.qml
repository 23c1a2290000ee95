import QtQuick
import QtQuick.Controls.Basic
import QtTest
import Velto.Shell
import Velto.Window

TestCase {
    id: testCase
    name: "RootView"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    RootView {
        id: root
        anchors.fill: parent
        // A stand-in for Mixview, which closes on seeds the (empty) library lacks: these tests look at where
        // it lies and what it covers.
        mixview: Component { Item {} }
    }

    // A text field and a button elsewhere in the window, to hold the focus.
    TextField {
        id: field
        x: 300; y: 300; width: 200
    }
    Button {
        id: button
        x: 300; y: 360
        text: "button"
    }
    SignalSpy { id: clicks; target: button; signalName: "clicked" }

    // A page's own keys: taken after the focused control, before the window's.
    KeyLayer {
        id: pageKeys
        kind: KeyLayer.Page
        active: false
        onPressed: event => { if (event.key === Qt.Key_Escape) event.accepted = true }
    }

    // A drag source for what a user may drag over the window.
    Item {
        id: dragSource
        width: 10; height: 10
        x: 600; y: 400
        Drag.dragType: Drag.Internal
        Drag.hotSpot: Qt.point(5, 5)
    }

    readonly property AppModel app: Stores.app

    function init() {
        root.forceActiveFocus()
        pageKeys.active = false
        clicks.clear()
        app.closeMixview()
        app.go(Nav.Page.quickplay)
        tryCompare(app, "page", Nav.Page.quickplay)
        tryCompare(item("pageArea"), "busy", false)
        tryCompare(item("chromeMixview"), "visible", false)
    }

    function item(name) {
        const found = findChild(root, name)
        verify(found, name)
        return found
    }

    function test_nowPlayingTakesTheWholeWindow() {
        app.go(Nav.Page.nowPlaying)
        tryCompare(item("nowPlayingBranch"), "opacity", 1)
        tryCompare(item("chrome"), "visible", false)
        app.go(Nav.Page.collection)
        tryCompare(item("chrome"), "opacity", 1)
        tryCompare(item("nowPlayingBranch"), "visible", false)
    }

    function test_plumWashOnQuickplayOnly() {
        const background = item("chromeBackground")
        compare(background.plum, true)
        app.go(Nav.Page.collection)
        tryCompare(background, "plum", false)
        app.back()
        tryCompare(background, "plum", true)
    }

    function test_pagesSlideByPointsNotByWidth_data() {
        return [
            { tag: "forward", to: Nav.Page.collection, arriving: 80, leaving: -48 },
            { tag: "back", to: -1, arriving: -80, leaving: 48 },
        ]
    }
    function test_pagesSlideByPointsNotByWidth(data) {
        const area = item("pageArea")
        if (data.to < 0) {
            app.go(Nav.Page.collection)
            tryCompare(app, "page", Nav.Page.collection)
            tryCompare(area, "busy", false)
            app.back()
            tryCompare(app, "page", Nav.Page.quickplay)
        } else {
            app.go(data.to)
            tryCompare(app, "page", data.to)
        }
        const arrivingName = "page-" + app.page
        wait(Motion.enterMs / 4)
        const arriving = findChild(area, arrivingName)
        verify(arriving)
        verify(area.busy, "the slide is running")
        // Part way in: between rest and the start of the slide, on the side the direction gives.
        verify(Math.abs(arriving.x) > 0 && Math.abs(arriving.x) <= Math.abs(data.arriving), "arriving x " + arriving.x)
        verify(Math.sign(arriving.x) === Math.sign(data.arriving), "arriving from the right side " + arriving.x)
        let leaving = null
        for (let i = 0; i < area.children.length; ++i) {
            const child = area.children[i]
            if (child !== arriving && child.objectName.startsWith("page-") && child.visible) leaving = child
        }
        verify(leaving, "the leaving page is still drawn")
        verify(Math.abs(leaving.x) > 0 && Math.abs(leaving.x) <= Math.abs(data.leaving), "leaving x " + leaving.x)
        verify(Math.sign(leaving.x) === Math.sign(data.leaving), "leaving to the other side " + leaving.x)
        tryCompare(area, "busy", false)
        compare(arriving.x, 0)
    }

    // A page with a view in the page table shows it: its view is made in the page's slot.
    function test_everyBuiltPageShowsItsView() {
        const area = item("pageArea")
        let built = 0
        for (let i = 0; i < area.table.length; ++i) {
            const row = area.table[i]
            if (!row.view || row.page === Nav.Page.nowPlaying) continue
            ++built
            app.go(row.page)
            tryCompare(app, "page", row.page)
            tryCompare(area, "busy", false)
            const view = findChild(findChild(area, "page-" + row.page), "pageView")
            verify(view, "page " + row.page)
            tryCompare(view, "status", Loader.Ready)
            verify(view.item, "page " + row.page + " has its view")
        }
        verify(built > 0)
    }

    function test_mixviewLiesOverHeaderAndPageNotTheFooterOrTitleBand() {
        app.openMixview("artist", "Someone")
        const mixview = item("chromeMixview")
        tryCompare(mixview, "opacity", 1)
        // Header and page are out of reach of assistive technology, the footer and the menus are not.
        tryCompare(item("chromeContent"), "visible", false)
        verify(item("footerSlot").visible)
        verify(mixview.mapToItem(root, 0, 0).y >= 30, "below the title band")
        const footerTop = item("footerSlot").mapToItem(root, 0, 0).y
        verify(mixview.mapToItem(root, 0, mixview.height).y <= footerTop,
               "above the footer " + mixview.mapToItem(root, 0, mixview.height).y + " " + footerTop)
        app.closeMixview()
        tryCompare(item("chromeContent"), "visible", true)
    }

    function test_mixviewOverNowPlaying() {
        app.go(Nav.Page.nowPlaying)
        app.openMixview("artist", "Someone Else")
        tryCompare(item("nowPlayingMixview"), "opacity", 1)
        compare(item("chromeMixview").visible, false)
        tryCompare(item("nowPlayingSlot"), "visible", false)
        app.closeMixview()
        tryCompare(item("nowPlayingSlot"), "visible", true)
    }

    function test_dragsWithoutFilesAreRefused_data() {
        return [
            { tag: "text", mime: { "text/plain": "hello" }, accepted: false },
            { tag: "web address", mime: { "text/uri-list": "https://example.com/song.mp3" }, accepted: false },
        ]
    }
    // A drag of files is shown accepted by the program's smoke test, which hands the window real files.
    function test_dragsWithoutFilesAreRefused(data) {
        dragSource.Drag.mimeData = data.mime
        dragSource.Drag.active = true
        compare(Stores.root.dropping, data.accepted)
        compare(dragSource.Drag.target !== null, data.accepted)
        dragSource.Drag.cancel()
        dragSource.Drag.active = false
        compare(Stores.root.dropping, false)
    }

    function test_escapeClosesAnOpenMenuFirst() {
        app.go(Nav.Page.collection)
        const menu = item("addMusicChoice")
        menu.open()
        tryCompare(menu, "opened", true)
        keyClick(Qt.Key_Escape)
        tryCompare(menu, "visible", false)
        compare(app.page, Nav.Page.collection, "the open menu took the key, the page stayed")
        keyClick(Qt.Key_Escape)
        compare(app.page, Nav.Page.quickplay, "with nothing open, Escape goes back")
    }

    function test_spaceWithAMenuOpenLeavesPlaybackAlone() {
        const menu = item("addMusicChoice")
        menu.open()
        tryCompare(menu, "opened", true)
        const playing = Stores.player.isPlaying
        keyClick(Qt.Key_Space)
        compare(Stores.player.isPlaying, playing)
        menu.close()
        tryCompare(menu, "visible", false)
    }

    function test_textFieldKeepsItsKeys() {
        app.go(Nav.Page.collection)
        field.text = ""
        field.forceActiveFocus()
        keyClick(Qt.Key_Space)
        compare(field.text, " ")
        keyClick(Qt.Key_Escape)
        verify(field.activeFocus, "the field keeps the focus")
        compare(app.page, Nav.Page.collection, "Escape in a text being edited does not go back")
    }

    function test_focusedControlTakesSpace() {
        button.forceActiveFocus()
        keyClick(Qt.Key_Space)
        compare(clicks.count, 1)
    }

    function test_pageKeysComeBeforeTheWindows() {
        app.go(Nav.Page.collection)
        pageKeys.active = true
        keyClick(Qt.Key_Escape)
        compare(app.page, Nav.Page.collection, "the page took Escape")
        pageKeys.active = false
        keyClick(Qt.Key_Escape)
        compare(app.page, Nav.Page.quickplay)
    }
}
