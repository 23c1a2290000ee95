import QtQuick
import QtTest
import Velto.Kit
import Velto.Shell

TestCase {
    id: testCase
    name: "PlayingControls"
    when: windowShown
    visible: true
    width: 1000
    height: 600

    TransportControls {
        id: transport
        x: 20; y: 20
    }
    TransportControls {
        id: small
        x: 200; y: 20
        sizeScale: 0.8
    }
    ScrubTitle {
        id: title
        x: 20; y: 80; width: 400
        title: "Harvest Moon"
        readingSize: 22
    }
    SeekBar {
        id: footerBar
        x: 20; y: 140; width: 400
        times: SeekBarModel.Remaining
        readsAbove: true
    }
    SeekBar {
        id: plainBar
        x: 20; y: 200; width: 400
        times: SeekBarModel.Total
    }
    Flickable {
        id: page
        x: 500; y: 20; width: 400; height: 300
        contentHeight: 2000
        VolumeControl {
            id: volume
            y: 40
        }
        VolumeReadout {
            id: readout
            x: 200; y: 40
        }
    }
    MenuLayer {
        anchors.fill: parent
        dark: false
    }

    function init() {
        mouseMove(testCase, 990, 590)
        page.contentY = 0
        Stores.player.volume = 0.5
    }

    function test_transport() {
        compare(transport.width, 108)
        const play = findChild(transport, "playPause")
        verify(!Stores.player.isPlaying)
        compare(play.symbol, "play.fill")
        compare(play.label, "Play")
        compare(findChild(small, "previous").size, 26 * 0.8)
        compare(findChild(small, "playPause").size, 36 * 0.8)
        for (const name of ["previous", "playPause", "next"]) {
            const b = findChild(small, name)
            compare(b.width, 36)
            compare(b.height, 44)
            verify(b.enabled)
        }
    }

    function test_scrubTitle() {
        title.artist = ""
        title.reading = ""
        verify(!findChild(title, "separator").visible)
        title.artist = "Neil Young"
        verify(findChild(title, "separator").visible)
        compare(findChild(title, "titleLine").opacity, 1)

        title.duration = 245
        title.reading = "2:10"
        compare(findChild(title, "reading").text, "2:10")
        compare(findChild(title, "total").text, "of 4:05")
        tryCompare(findChild(title, "titleLine"), "opacity", 0)
        title.duration = 0
        compare(findChild(title, "total").text, "of 0:00")
        title.reading = ""
        tryCompare(findChild(title, "readingRow"), "visible", false)

        // The two bars: the first present reading is what the title shows.
        compare(Controls.firstReading([footerBar.reading, "0:42"]), "0:42")
    }

    function test_artistLinkOpensThePageItNames() {
        title.reading = ""
        title.artist = "Neil Young & Crazy Horse"
        title.artistPage = "Neil Young"
        const link = findChild(title, "artistLink")
        compare(link.showText, "Show Neil Young")
        mouseClick(link, 5, link.height / 2)
        compare(Stores.app.selectedArtist, "Neil Young")
        title.artistPage = ""
        mouseClick(link, 5, link.height / 2)
        compare(Stores.app.selectedArtist, "Neil Young & Crazy Horse")
    }

    function test_seekBarWithoutASong() {
        const row = findChild(footerBar, "timeRow")
        compare(findChild(footerBar, "elapsed").text, "0:00")
        compare(findChild(footerBar, "end").text, "-0:00")
        compare(findChild(plainBar, "end").text, "0:00")
        // Hovering: the reading is absent without a song, and a bar that reads above hides its times.
        mouseMove(footerBar, 100, 9)
        verify(footerBar.model.hovering)
        compare(footerBar.reading, "")
        tryCompare(row, "opacity", 0)
        mouseMove(plainBar, 100, 9)
        verify(plainBar.model.hovering)
        tryCompare(findChild(footerBar, "timeRow"), "opacity", 1)
        compare(findChild(plainBar, "timeRow").opacity, 1)
        mouseMove(testCase, 990, 590)
        verify(!plainBar.model.hovering)
    }

    SignalSpy { id: frameSpy; target: footerBar.frames; signalName: "triggered" }

    function test_pausedBarAsksForNoFrames() {
        verify(!Stores.player.isPlaying)
        verify(!footerBar.frames.running)
        frameSpy.clear()
        wait(2000)
        compare(frameSpy.count, 0)
    }

    function test_wheelSetsTheVolumeAndLeavesThePageAlone() {
        mouseWheel(volume, 60, 22, 0, 120)
        compare(Stores.player.volume, 0.53)
        compare(page.contentY, 0)
        mouseWheel(readout, 20, 10, 0, -120)
        fuzzyCompare(Stores.player.volume, 0.50, 1e-9)
        compare(page.contentY, 0)
        // Elsewhere the page scrolls as ever.
        mouseWheel(page, 300, 250, 0, -120)
        tryVerify(() => page.contentY > 0)
    }

    function test_sliderToTheEndMutesAndTheSpeakerRestores() {
        // The player remembers 0.7 as the level to come back to.
        Stores.player.volume = 0.7
        Stores.player.toggleMute()
        Stores.player.toggleMute()
        const slider = findChild(volume, "slider")
        mousePress(slider, 40, 22)
        mouseMove(slider, -30, 22)
        mouseRelease(slider, -30, 22)
        compare(Stores.player.volume, 0)
        compare(Stores.player.volumeText, "muted")
        compare(findChild(volume, "volumeLabel").text, "muted")
        compare(findChild(volume, "speakerSymbol").name, "speaker.fill")
        tryCompare(volume.cross, "drawn", 1)
        compare(volume.speaker.tint, volume.Theme.accentText)
        compare(volume.speaker.HoverHint.text, "Unmute")
        mouseClick(volume.speaker)
        compare(Stores.player.volume, 0.7)
        tryCompare(volume.cross, "drawn", 0)
        compare(volume.speaker.HoverHint.text, "Mute")
        testCase.grabImage(page).save(buildDir + "/volume.png")
    }

    function test_readoutDragsFromWhereItWasAndClicksMute() {
        const cx = readout.width / 2
        mousePress(readout, cx, 10)
        mouseMove(readout, cx + 35, 10)
        mouseMove(readout, cx + 70, 10)
        verify(readout.dragging)
        verify(!readout.HoverHint.hovering)
        mouseRelease(readout, cx + 70, 10)
        compare(Stores.player.volume, 1)
        Stores.player.volume = 0.5
        mousePress(readout, cx, 10)
        mouseMove(readout, cx - 35, 10)
        mouseMove(readout, cx - 70, 10)
        mouseRelease(readout, cx - 70, 10)
        compare(Stores.player.volume, 0)
        compare(readout.Accessible.description, "Muted")
        // A press that moves 2 px is a click: it unmutes.
        mousePress(readout, cx, 10)
        mouseMove(readout, cx + 2, 10)
        mouseRelease(readout, cx + 2, 10)
        verify(Stores.player.volume >= 0.05)
        Stores.player.volume = 0.756
        compare(Stores.player.volumeText, "volume 76")
        compare(readout.Accessible.description, "75")
        // A screen reader's steps, and the readout's press action, which is a click's.
        Stores.player.volume = 0.5
        readout.Accessible.increaseAction()
        fuzzyCompare(Stores.player.volume, 0.55, 1e-9)
        volume.Accessible.decreaseAction()
        fuzzyCompare(Stores.player.volume, 0.5, 1e-9)
        compare(volume.Accessible.description, "50")
        readout.Accessible.pressAction()
        compare(Stores.player.volume, 0)
        readout.Accessible.pressAction()
        fuzzyCompare(Stores.player.volume, 0.5, 1e-9)
    }
}
