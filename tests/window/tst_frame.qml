import QtQuick
import QtTest
import Velto.Shell
import Velto.Window

// The window's frame with the application's real stores: header, back button, notices and footer.
TestCase {
    id: testCase
    name: "Frame"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    RootView {
        id: root
        anchors.fill: parent
    }

    Component {
        id: testPanel
        Rectangle { objectName: "testPanel"; color: "red" }
    }

    readonly property AppModel app: Stores.app

    function item(name) {
        const found = findChild(root, name)
        verify(found, name)
        return found
    }

    function goTo(page) {
        app.go(page)
        tryCompare(app, "page", page)
        tryCompare(item("pageArea"), "busy", false)
    }

    function clearHistory() {
        for (let i = 0; i < 40 && app.canGoBack; ++i) {
            app.back()
            wait(1)
        }
        verify(!app.canGoBack)
        tryCompare(item("pageArea"), "busy", false)
    }

    function pickJSON(name) {
        return JSON.stringify({ kind: "artist", key: name.toLowerCase(), name: name })
    }

    function init() {
        app.closeMixview()
        app.samplePlayer = false
        const popup = item("upNextPopup")
        popup.close()
        tryCompare(popup, "visible", false)
        item("footer").queuePanel = null
        goTo(Nav.Page.quickplay)
        tryCompare(item("chromeMixview"), "visible", false)
    }

    function test_headerSelectsThePagesButton_data() {
        return [
            { tag: "quickplay", page: Nav.Page.quickplay, selected: ["quickplay"] },
            { tag: "player settings", page: Nav.Page.playerSettings, selected: ["my player"] },
            { tag: "player summary", page: Nav.Page.playerSummary, selected: ["my player"] },
            { tag: "settings", page: Nav.Page.settings, selected: ["settings"] },
        ]
    }
    function test_headerSelectsThePagesButton(data) {
        goTo(data.page)
        for (const title of ["quickplay", "collection", "my player", "settings"])
            compare(item("header " + title).selected, data.selected.indexOf(title) >= 0, title)
    }

    function test_headerButtonsGoToTheirPages() {
        mouseClick(item("header collection"))
        tryCompare(app, "page", Nav.Page.collection)
        mouseClick(item("header my player"))
        tryCompare(app, "page", Nav.Page.playerSummary)
        mouseClick(item("header settings"))
        tryCompare(app, "page", Nav.Page.settings)
    }

    function test_headerPlacement() {
        // The back button stands 38 px below the window's top; the name is the account's first word.
        const back = item("back")
        compare(back.mapToItem(root, 0, 0).y, 38)
        compare(back.mapToItem(root, 0, 0).x, 34)
        compare(item("firstName").text, FrameRules.firstName)
        const avatar = item("avatar")
        compare(avatar.width, 40)
        compare(avatar.mapToItem(root, avatar.width, 0).x, root.width - 28)
    }

    function test_backInactiveWithoutHistory() {
        goTo(Nav.Page.collection)
        clearHistory()
        const page = app.page
        const back = item("back")
        compare(back.active, false)
        fuzzyCompare(back.opacity, 0.35, 0.001)
        mouseMove(back, back.width / 2, back.height / 2)
        wait(50)
        compare(back.hover, false)
        compare(item("backFill").color, Qt.rgba(0, 0, 0, 0))
        mouseClick(back, back.width / 2, back.height / 2)
        wait(50)
        compare(app.page, page)
        mouseMove(root, 600, 400)

        // With Mixview open it acts even though the history is empty.
        app.openMixview("artist", "Someone")
        compare(back.active, true)
        compare(back.opacity, 1)
        app.closeMixview()
    }

    function test_backHoverAndClickWithHistory() {
        goTo(Nav.Page.collection)
        const back = item("back")
        verify(back.active)
        mouseMove(back, back.width / 2, back.height / 2)
        tryCompare(back, "hover", true)
        // The corner of the square is outside the circle and takes no click.
        mouseClick(back, 1, 1)
        wait(50)
        compare(app.page, Nav.Page.collection)
        mouseClick(back, back.width / 2, back.height / 2)
        tryCompare(app, "page", Nav.Page.quickplay)
        mouseMove(root, 600, 400)
    }

    function test_footerWithNothingPlaying() {
        verify(Stores.player.current === undefined)
        const title = item("scrubTitle")
        compare(title.title, "nothing playing")
        compare(title.artist, "")
        compare(findChild(title, "artistLink").visible, false)
        compare(item("cover").kind, "song")
        compare(item("like").enabled, false)
        compare(item("like").song, "")
        mouseClick(item("coverButton"))
        wait(Motion.enterMs)
        compare(app.page, Nav.Page.quickplay)
        compare(item("footer").height, 104)
    }

    function test_playerGlyphOnlyForExactlyHd_data() {
        return [
            { tag: "hd", model: "hd", glyph: "hd" },
            { tag: "HD", model: "HD", glyph: "flash" },
            { tag: "flash", model: "flash", glyph: "flash" },
        ]
    }
    function test_playerGlyphOnlyForExactlyHd(data) {
        Stores.defaults.write("player.model", data.model)
        compare(item("playerGlyph").model, data.glyph)
        Stores.defaults.write("player.model", "flash")
    }

    function test_samplePlayerLabels() {
        const button = item("pocketPlayerButton")
        const glyph = item("playerGlyph")
        compare(item("battery").visible, false)
        compare(button.Accessible.name, "My player, not connected")
        compare(glyph.color, button.Theme.soft)
        app.samplePlayer = true
        compare(item("battery").visible, true)
        compare(item("battery").text, "82%")
        compare(button.Accessible.name, "My player, 82% battery")
        compare(glyph.color, button.Theme.primary)
        mouseClick(button)
        tryCompare(app, "page", Nav.Page.playerSummary)
    }

    function test_upNextWithoutAPanelIsNotOffered() {
        compare(item("upNext").visible, false)
    }

    function test_upNextClickedTwiceOpensAndCloses() {
        item("footer").queuePanel = testPanel
        const button = item("upNext")
        verify(button.visible)
        const popup = item("upNextPopup")
        mouseClick(button)
        tryCompare(popup, "opened", true)
        verify(findChild(popup.contentItem, "testPanel"))
        compare(popup.width, 340)
        compare(popup.height, 440)
        // Above the bar, inside the window.
        const top = popup.contentItem.mapToItem(root, 0, 0)
        verify(top.y + popup.height <= item("footerSlot").mapToItem(root, 0, 0).y + 30, "above the footer " + top.y)
        verify(top.x >= 0, "inside the window " + top.x)
        mouseClick(button)
        tryCompare(popup, "visible", false)
        // A press elsewhere closes it too.
        mouseClick(button)
        tryCompare(popup, "opened", true)
        mouseClick(root, 640, 300)
        tryCompare(popup, "visible", false)
    }

    function test_escapeClosesUpNextBeforeGoingBack() {
        goTo(Nav.Page.collection)
        item("footer").queuePanel = testPanel
        const popup = item("upNextPopup")
        mouseClick(item("upNext"))
        tryCompare(popup, "opened", true)
        keyClick(Qt.Key_Escape)
        tryCompare(popup, "visible", false)
        wait(50)
        compare(app.page, Nav.Page.collection)
        // With it closed, Escape is the window's again.
        root.forceActiveFocus()
        keyClick(Qt.Key_Escape)
        tryCompare(app, "page", Nav.Page.quickplay)
    }

    function test_stripStaysCentredBetweenUnequalGroups() {
        const footer = item("footer")
        const strip = item("nowPlayingStrip")
        const left = item("leftGroup"), right = item("rightGroup")
        // What the groups hold differs a lot; the room they get does not.
        verify(right.childrenRect.width > left.childrenRect.width + 100)
        compare(left.width, right.width)
        const centre = strip.mapToItem(footer, strip.width / 2, 0).x
        fuzzyCompare(centre, footer.width / 2, 0.5)
        // The cover is a square as tall as the title and seek column.
        compare(item("info").width, 230)
        verify(item("info").height > 40)
        compare(item("coverButton").width, item("info").height)
        compare(item("coverButton").height, item("info").height)
        compare(strip.width, item("info").height + 14 + 230)
    }

    function test_noticeShowsEachDropsNotice() {
        const footer = item("footer")
        verify(footer.model.dropPicks([pickJSON("Notice Artist " + Date.now())]))
        const notices = item("notices")
        tryCompare(notices.banner, "shown", true)
        verify(notices.banner.text.indexOf("Notice Artist") >= 0, notices.banner.text)
        compare(item("noticeText").text, notices.banner.text)
        compare(item("noticeText").font.capitalization, Font.AllUppercase)
        compare(item("noticeBanner").height, 30)
        // Gone 2.4 s after its arrival.
        tryCompare(notices.banner, "shown", false, 4000)
    }

    function test_noticePostedDuringNowPlayingIsNotShownAfter() {
        goTo(Nav.Page.nowPlaying)
        verify(item("footer").model.dropPicks([pickJSON("While Away " + Date.now())]))
        goTo(Nav.Page.collection)
        const notices = item("notices")
        compare(notices.banner.shown, false)
        wait(100)
        compare(notices.banner.shown, false)
    }

    function test_aBadPickIsRefused() {
        const before = Stores.player.noticeId
        verify(!item("footer").model.dropPicks(["{\"kind\":\"nothing\"}"]))
        compare(Stores.player.noticeId, before)
    }
}
