import QtQuick
import QtQuick3D
import QtTest
import Velto.PocketPlayer

// The 3-D player drawn on a real display: its nodes, its lit display, the light that leaves the glass out, clicks passing through and a still picture that draws no new frames.
TestCase {
    id: testCase
    name: "IvraScene"
    when: windowShown
    visible: true
    width: 400
    height: 400

    property int clicks: 0
    property int frames: 0

    Connections {
        target: testCase.Window.window
        function onFrameSwapped() { testCase.frames++ }
    }

    Component {
        id: sceneMaker
        Item {
            id: holder
            property alias host: host
            readonly property var scene: host.item
            width: 161
            height: 345 // the flash at 3.6 points per millimetre
            MouseArea {
                anchors.fill: parent
                onClicked: testCase.clicks++
            }
            IvraSceneHost {
                id: host
                anchors.fill: parent
                model: "flash"
                finish: Ivra.signature("flash")
                scene: Component {
                    IvraScene {}
                }
            }
        }
    }

    function findNamed(node, name) {
        if (node.objectName === name)
            return node
        const kids = node.children || []
        for (let i = 0; i < kids.length; ++i) {
            const found = findNamed(kids[i], name)
            if (found)
                return found
        }
        return null
    }

    function parts(scene, group) {
        const repeater = findNamed(scene.scene, group === "litParts" ? "litRepeater" : "glassRepeater")
        let out = []
        for (let i = 0; i < repeater.count; ++i)
            out.push(repeater.objectAt(i))
        return out
    }

    function brightness(image, x, y) {
        const c = image.pixel(x, y)
        return 255 * (c.r + c.g + c.b) / 3
    }

    function settle(holder) {
        waitForRendering(holder)
        wait(50)
        waitForRendering(holder)
    }

    function test_a_firstFrame() {
        for (const round of ["first", "second"]) {
            sceneProbe.startClock()
            const holder = createTemporaryObject(sceneMaker, testCase)
            waitForRendering(holder)
            console.log(round + " frame of the flash at 3.6 points per mm: " + sceneProbe.elapsedMs().toFixed(1) + " ms")
            verify(sceneProbe.graphicsApi(holder) !== 0, "rendered through the GPU path, not the software scene graph")
        }
    }

    // A page can close while its scene's first frame is still being drawn (on a software renderer its
    // shaders take seconds): the scene outlives the page, draws one empty frame, and only then goes.
    function test_sceneOutlivesItsPageUntilItHasDrawnEmpty() {
        const holder = sceneMaker.createObject(testCase)
        wait(30)
        verify(holder.scene !== null)
        verify(sceneProbe.deleteAndWatch(holder, holder.scene), "the scene is not deleted with its page")
        verify(!sceneProbe.watchedDrawsItsBody(), "it drops its body")
        tryVerify(() => !sceneProbe.watchedAlive(), 30000, "it goes once it has drawn")
    }

    function test_inactiveHostLetsItsSceneGo() {
        const holder = createTemporaryObject(sceneMaker, testCase)
        const first = holder.scene
        verify(first !== null)
        sceneProbe.watch(first)
        holder.host.active = false
        compare(holder.scene, null)
        tryVerify(() => !sceneProbe.watchedAlive(), 30000)
        holder.host.active = true
        verify(holder.scene !== null, "active again, the host makes a new scene")
        compare(holder.scene.width, 161)
        compare(holder.scene.model, "flash")
    }

    // Pages opened and closed while their scenes are still drawing their first frames: nothing is freed
    // under the render thread, and the next scene draws.
    function test_sceneRemovedBeforeItsFirstFrame() {
        for (let i = 0; i < 12; ++i) {
            const early = sceneMaker.createObject(testCase)
            wait((i * 37) % 250)
            early.destroy()
        }
        const holder = createTemporaryObject(sceneMaker, testCase)
        settle(holder)
        verify(brightness(grabImage(holder), 80, 40) < 250, "the next scene draws its body")
    }

    function test_nodesStayForANewScreenAndGoForANewModel() {
        const holder = createTemporaryObject(sceneMaker, testCase)
        const scene = holder.scene
        settle(holder)
        const before = parts(scene, "litParts").concat(parts(scene, "glassParts"))
        compare(before.length, 7)
        sceneProbe.showScreen(scene.stage, "white")
        settle(holder)
        const same = parts(scene, "litParts").concat(parts(scene, "glassParts"))
        compare(same.length, before.length)
        for (let i = 0; i < same.length; ++i)
            verify(before.indexOf(same[i]) >= 0, "a new screen keeps the body's nodes")
        fuzzyCompare(scene.camera.z, 341.431, 0.001)

        const names = before.map(p => p.objectName)
        holder.host.model = "hd"
        holder.host.finish = Ivra.signature("hd")
        settle(holder)
        const hd = holder.scene
        verify(hd !== scene, "another body comes in a new scene")
        const after = parts(hd, "litParts").concat(parts(hd, "glassParts"))
        compare(after.length, 16)
        for (let i = 0; i < after.length; ++i)
            verify(before.indexOf(after[i]) < 0, "no flash node is left")
        verify(names.indexOf("pad ring") >= 0)
        verify(after.every(p => p.objectName !== "pad ring"))
        fuzzyCompare(hd.camera.z, 381.4016, 0.001)

        // The screen changes on the new body and after another finish, and the display shows it.
        sceneProbe.showScreen(hd.stage, "half")
        settle(holder)
        holder.host.finish = Ivra.finishes("hd")[1]
        settle(holder)
        sceneProbe.showScreen(holder.scene.stage, "white")
        settle(holder)
        verify(brightness(grabImage(holder), 80, 150) > 150, "the hd's display glows")
    }

    function test_displayGlowsWithTheScreen() {
        const holder = createTemporaryObject(sceneMaker, testCase)
        const scene = holder.scene
        // The display's middle, upper and lower quarter, in the picture (345 points for 95.97 mm).
        const s = 345 / 95.97
        const x = Math.round(161 / 2)
        const upper = Math.round(345 / 2 - 30 * s), lower = Math.round(345 / 2 - 8 * s)

        // The display's glass reflects the studio whatever it shows, so "black" is what a black screen shows.
        sceneProbe.showScreen(scene.stage, "black")
        settle(holder)
        const black = grabImage(holder)
        const blackUpper = brightness(black, x, upper), blackLower = brightness(black, x, lower)
        verify(blackUpper < 120 && blackLower < 120, "a black screen is dark, " + blackUpper + ", " + blackLower)

        sceneProbe.showScreen(scene.stage, "none")
        settle(holder)
        let image = grabImage(holder)
        verify(Math.abs(brightness(image, x, upper) - blackUpper) < 8,
               "no screen: a black display, " + brightness(image, x, upper) + " against " + blackUpper)

        sceneProbe.showScreen(scene.stage, "half")
        settle(holder)
        image = grabImage(holder)
        image.save(sceneProbe.shotPath("ivra-scene-half-screen"))
        verify(brightness(image, x, upper) > 150, "white above lights the upper half, " + brightness(image, x, upper))
        verify(Math.abs(brightness(image, x, lower) - blackLower) < 8,
               "black below stays dark, " + brightness(image, x, lower) + " against " + blackLower)
    }

    // With the lights off and the body hidden, a chrome ball in the scene shows what the studio alone does:
    // light from above (the bright sky and the top panel), darkness below.
    function test_studioLightsMetalFromAbove() {
        const holder = createTemporaryObject(sceneMaker, testCase)
        const scene = holder.scene
        findNamed(scene.scene, "body").visible = false
        const top = scene.scene.children
        for (let i = 0; i < top.length; ++i)
            if (top[i].brightness !== undefined)
                top[i].brightness = 0
        const ball = Qt.createQmlObject(`import QtQuick3D
            Model {
                source: "#Sphere"
                scale: Qt.vector3d(0.3, 0.3, 0.3)
                materials: PrincipledMaterial { baseColor: "white"; metalness: 1; roughness: 0.25 }
            }`, scene.scene)
        settle(holder)
        // The ball's radius is 15 mm, 54 points in the picture; its centre is the picture's.
        const x = Math.round(161 / 2), y = Math.round(345 / 2)
        // The ball's shaders are new to the window: their first frame can take seconds on a software renderer.
        tryVerify(() => brightness(grabImage(holder), x, y - 40) > 120, 30000, "the studio lights the ball")
        const image = grabImage(holder)
        image.save(sceneProbe.shotPath("ivra-scene-studio-ball"))
        const above = brightness(image, x, y - 40), below = brightness(image, x, y + 40)
        verify(above > 120, "lit from above, " + above)
        verify(above > below + 60, "brighter above than below, " + above + " against " + below)
        ball.destroy()
    }

    function test_glassIsOutsideTheFourthLight() {
        const holder = createTemporaryObject(sceneMaker, testCase)
        holder.host.model = "hd"
        settle(holder)
        const scene = holder.scene
        const lit = findNamed(scene.scene, "litParts")
        let rim = null
        const top = scene.scene.children
        for (let i = 0; i < top.length; ++i)
            if (top[i].scope !== undefined && top[i].scope)
                rim = top[i]
        verify(rim !== null)
        compare(rim.scope, lit)
        const glass = parts(scene, "glassParts")
        compare(glass.length, 3)
        for (const p of glass)
            compare(p.materials[0].surface.name, "glass")
        for (const p of parts(scene, "litParts"))
            verify(p.materials[0].surface.name !== "glass", p.objectName)
    }

    function test_clicksReachWhatLiesBeneath() {
        const holder = createTemporaryObject(sceneMaker, testCase)
        settle(holder)
        clicks = 0
        mouseClick(holder.scene, 80, 170)
        compare(clicks, 1)
    }

    function test_stillPictureDrawsNoNewFrames() {
        const holder = createTemporaryObject(sceneMaker, testCase)
        settle(holder)
        // What arrives late on a busy machine (the screen's picture, a scene of an earlier case retiring)
        // draws a frame or two; once the window has been quiet for a while, a still scene keeps it quiet.
        // A scene that animates never lets it become quiet.
        let quiet = false
        for (let tries = 0; tries < 40 && !quiet; ++tries) {
            frames = 0
            wait(250)
            quiet = frames === 0
        }
        verify(quiet, "the window kept drawing frames")
        frames = 0
        wait(500)
        compare(frames, 0)
    }
}
