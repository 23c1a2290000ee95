import QtQuick
import QtTest
import Velto.Shell
import Velto.PocketPlayer

TestCase {
    id: testCase
    name: "PlanViews"
    when: windowShown
    visible: true
    width: 600
    height: 1100

    Column {
        width: 560
        StorageBar {
            id: storage
            width: 400
            title: "after syncing"
            capacity: 3720000000
            musicBytes: 5000000000
        }
        SyncPlanList {
            id: lightList
            width: parent.width
            list: planProbe.list
        }
        Item {
            id: darkSide
            width: parent.width
            height: darkList.height
            Theme.scheme: Theme.Dark
            Rectangle {
                anchors.fill: parent
                color: darkSide.Theme.base
            }
            SyncPlanList {
                id: darkList
                width: parent.width
                list: planProbe.list
                onOpenSettings: testCase.settingsOpened += 1
            }
        }
    }

    property int settingsOpened: 0

    function test_emptyPlanTellsWhyAndLeadsToSettings() {
        const cases = [{ music: "choose", text: "Nothing chosen yet. Right-click an artist, album or song and choose Add to Player, or drag it onto the player at the bottom left." },
                       { music: "all", text: "Nothing is set to go on your player." },
                       { music: "none", text: "Nothing is set to go on your player." }]
        for (const c of cases) {
            planProbe.show({ music: c.music })
            compare(findChildrenNamed(darkList, "planSection").length, 0)
            const text = findChildNamed(darkList, "planEmptyText")
            verify(text.visible)
            compare(text.text, c.text)
            verify(text.width <= 400)
        }
        const pill = findChildNamed(darkList, "planSettings")
        verify(pill.visible)
        compare(pill.Accessible.name, "sync settings")
        settingsOpened = 0
        mouseClick(pill)
        compare(settingsOpened, 1)
        planProbe.show({ going: 1 })
        verify(!findChildNamed(darkList, "planEmptyText").visible)
        verify(!pill.visible)
    }

    function headings(list) {
        const out = []
        for (const section of findChildrenNamed(list, "planSection"))
            out.push(findChildNamed(section, "planHeading"))
        return out
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

    function test_sectionsDrawWhatTheListSays() {
        planProbe.show({ going: 9, left: 3, converted: 2 })
        const sections = findChildrenNamed(lightList, "planSection")
        compare(sections.length, 2)
        compare(findChildrenNamed(sections[0], "planAlbum").length, 4)
        compare(findChildrenNamed(sections[1], "planAlbum").length, 2)
        compare(findChildNamed(sections[0], "planNote").text, "2 converted to AAC at 256 kbps")
        compare(findChildNamed(sections[1], "planMore").text, "and 1 more album")
        verify(!findChildNamed(sections[1], "planNote").visible)
        const row = findChildrenNamed(sections[0], "planAlbum")[0]
        compare(row.Accessible.name, "Going Album 1 by Going, 1 song")
        verify(row.height > 0 && row.width === lightList.width)
    }

    function test_headingColoursFollowSchemeAndAccent() {
        AccentStore.update("magenta", "black", "")
        planProbe.show({ going: 1, left: 1, unplayable: 1 })
        const light = headings(lightList)
        const dark = headings(darkList)
        compare(light.length, 3)
        compare(light[0].color, lightList.Theme.secondary)
        compare(dark[0].color, darkList.Theme.secondary)
        verify(!Qt.colorEqual(light[0].color, dark[0].color))
        for (let i = 1; i < 3; ++i) {
            tryCompare(light[i], "color", AccentStore.drawn.textOnLight)
            compare(dark[i].color, AccentStore.drawn.text)
        }
        verify(!Qt.colorEqual(light[1].color, dark[1].color))
        compare(dark[1].color, AccentStore.preset("magenta").text)
        AccentStore.update("lime", "black", "")
        tryVerify(() => Qt.colorEqual(AccentStore.drawn.text, AccentStore.accent.text), 3000)
        verify(!Qt.colorEqual(dark[1].color, AccentStore.preset("magenta").text))
        compare(dark[1].color, AccentStore.accent.text)
        compare(light[1].color, AccentStore.accent.textOnLight)
        compare(dark[0].color, darkList.Theme.secondary)
    }

    function test_storageBarShowsOverflow() {
        const free = findChildNamed(storage, "storageFreeFigure")
        compare(free.text, "  doesn't fit, 1.3 GB too much")
        compare(free.color, storage.Theme.accentText)
        compare(findChildNamed(storage, "storageFill").width, 400)
        compare(findChildNamed(storage, "storageLegend").text, "music 5.0 GB")
        compare(findChildNamed(storage, "storageSquare").color, storage.Theme.accentFrom)
        storage.musicBytes = 2500000000
        compare(free.text, "  1.2 GB")
        compare(free.color, storage.Theme.soft)
        fuzzyCompare(findChildNamed(storage, "storageFill").width, 400 * 2.5 / 3.72, 0.01)
        compare(findChildNamed(storage, "storageMusic").Accessible.name, "AFTER SYNCING  2.5 GB")
        // What is drawn: the fill ends where the fraction says, the rest is the track.
        const track = findChildNamed(storage, "storageTrack")
        const image = grabImage(track)
        verify(!Qt.colorEqual(image.pixel(200, 7), track.color))
        verify(Qt.colorEqual(image.pixel(300, 7), track.color))
    }

    // Saves both schemes of a full plan and the bar into the build folder, to compare with the design.
    function test_zz_pictures() {
        planProbe.show({ going: 9, left: 3, unplayable: 1, converted: 2 })
        waitForRendering(testCase)
        const image = grabImage(testCase)
        image.save(planProbe.shotPath("pocketplayer-plan-list"))
    }
}
