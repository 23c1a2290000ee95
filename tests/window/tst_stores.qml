import QtQuick
import QtTest
import Velto.Shell
import Velto.PocketPlayer

// The stores as a view reads and drives them: songs by path, the player's commands and current song, and
// settings bound one key at a time.
TestCase {
    id: testCase
    name: "Stores"
    when: windowShown

    property string tonePath: testMusicFolder + "/tone.wav"
    property string brokenPath: testMusicFolder + "/garbage.m4a"

    Setting { id: fade; key: "fadeOnPause" }
    Setting { id: equalizer; key: "showEqualizer" }
    Setting { id: fadeAgain; key: "fadeOnPause" }

    ChosenPlayerWatch { id: chosen; defaults: Stores.defaults }

    SignalSpy { id: fadeSpy; target: fade; signalName: "valueChanged" }
    SignalSpy { id: currentSpy; target: Stores.player; signalName: "currentChanged" }
    SignalSpy { id: noticeSpy; target: Stores.player; signalName: "noticeChanged" }

    function initTestCase() {
        Stores.library.useFolder(Qt.resolvedUrl("file://" + testMusicFolder))
        tryVerify(() => Stores.library.song(tonePath) !== undefined, 10000, "the test folder was scanned")
    }

    function test_aSongIsReadAndPlayedThroughTheStores() {
        const song = Stores.library.song(tonePath)
        compare(song.title, "Tone wav")
        compare(song.album, "Test Album")
        compare(song.artist, "Test Artist")
        verify(song.valid)
        verify(Stores.library.album(song.albumID).valid)
        compare(Stores.library.artist("test artist").name, "Test Artist")
        compare(Stores.library.song(testMusicFolder + "/not there.mp3"), undefined)

        currentSpy.clear()
        Stores.player.play([tonePath])
        compare(currentSpy.count, 1)
        compare(Stores.player.current.path, tonePath)
        compare(Stores.player.current.title, "Tone wav")
        verify(Stores.player.isPlaying)
        Stores.player.toggle()
    }

    function test_aSettingIsToldOnlyOfItsOwnKey() {
        compare(fade.value, true, "read as the declared default while unwritten")
        fadeSpy.clear()
        equalizer.value = false
        compare(fadeSpy.count, 0)
        compare(equalizer.value, false)
        fade.value = false
        compare(fadeSpy.count, 1)
        compare(fadeAgain.value, false)
        compare(Stores.defaults.read("fadeOnPause"), false)
        fade.value = true
        equalizer.value = true
    }

    function test_anUnplayableFileIsToldOnce() {
        noticeSpy.clear()
        Stores.player.play([brokenPath])
        tryVerify(() => noticeSpy.count > 0, 10000)
        wait(1000)
        compare(noticeSpy.count, 1)
        verify(Stores.player.noticeText.startsWith("couldn't play"))
    }

    function test_helpersTheViewsShare() {
        const grey = ColorMath.mixed("#000000", "#ffffff", 0.5)
        verify(Math.abs(grey.r - 0.5) < 0.01)
        verify(Ivra.finishes("hd").length > 0)
        compare(Ivra.finishes("HD").length, 0)
        verify(Ivra.capacities("flash").length > 0)
        compare(chosen.player.model, "flash")
        Stores.defaults.write("player.model", "hd")
        compare(chosen.player.model, "hd")
        compare(chosen.player.finish.name, Ivra.finishes("hd")[0].name)
        Stores.defaults.write("player.model", "flash")
        compare(Stores.playlistCoverURLs([tonePath, tonePath]).length, 1)
        compare(Stores.playlistCoverURLs(["/nowhere.mp3"]).length, 0)
        verify(Array.isArray(Stores.relations.related("Test Artist", 5)))
        compare(Stores.windows.open("settings"), false)
    }
}
