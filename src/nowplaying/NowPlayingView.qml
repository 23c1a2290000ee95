import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Kit
import Velto.Quickplay
import Velto.Shell
import Velto.NowPlaying

// Now Playing, the page that fills the window: a slowly zooming grey wall of covers washed in the playing
// album's colours, the song block, the light band and the controls, which fade away after three quiet
// seconds of music. Its rules are its controller's; this file draws them and forwards input.
Item {
    id: page
    objectName: "nowPlayingView"
    readonly property NowPlayingController controller: controller
    readonly property real zoom: zoomed && !Motion.reduceMotion ? 1.08 : 1
    property bool zoomed: false
    // The window's back button, 44 px across: the window module gives it, as the pages sit below it.
    property Component backButton: null

    Accessible.role: Accessible.Pane
    Accessible.name: "Now Playing"

    NowPlayingController {
        id: controller
        player: Stores.player
        library: Stores.library
        app: Stores.app
        windows: Stores.windows
        reduceMotion: Motion.reduceMotion
    }
    Component.onCompleted: {
        controller.start()
        zoomed = true
    }

    // Any move of the pointer over the page is a sign of the user, and so is a click that no control
    // takes; a double click makes the window full screen and back.
    HoverHandler {
        // A press or release where the pointer already was is no movement.
        property point last: Qt.point(-1, -1)
        onPointChanged: {
            const at = point.position
            if (at.x === last.x && at.y === last.y) return
            last = at
            controller.pointerMoved()
        }
    }
    TapHandler {
        onTapped: controller.wake()
        onDoubleTapped: controller.toggleFullScreen(page)
    }

    // The page's keys, asked after any focused control and before the window's own.
    KeyLayer {
        kind: KeyLayer.Page
        onPressed: event => event.accepted = controller.key(event.key, event.modifiers)
    }

    // The tint the wall is washed in, moving to each album's colours over its time.
    QtObject {
        id: tint
        property color base: controller.tintBase
        property color glow: controller.tintGlow
        Behavior on base {
            ColorAnimation { duration: controller.tintMs; easing.type: Easing.InOutQuad }
        }
        Behavior on glow {
            ColorAnimation { duration: controller.tintMs; easing.type: Easing.InOutQuad }
        }
    }

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(10 / 255, 10 / 255, 10 / 255, 1)
    }

    // The wall: the covers made grey, washed in the two colours and lit from the top right, composited
    // as one picture and then drifted between 1 and 1.08 around (0.6, 0.4).
    Item {
        id: wallGroup
        objectName: "wallGroup"
        anchors.fill: parent
        clip: true

        CoverWall {
            id: covers
            objectName: "coverWall"
            width: page.width * 1.08
            albumArtist: controller.albumArtist
        }
        TintedWall {
            id: wall
            objectName: "wall"
            width: covers.width
            height: covers.height
            source: covers
            base: tint.base
            glow: tint.glow
            glowRadius: page.width * 0.6
            transform: Scale {
                origin.x: wall.width * 0.6
                origin.y: wall.height * 0.4
                xScale: page.zoom
                yScale: page.zoom
                Behavior on xScale {
                    enabled: !Motion.reduceMotion
                    NumberAnimation { duration: 40000; easing.type: Easing.InOutQuad }
                }
                Behavior on yScale {
                    enabled: !Motion.reduceMotion
                    NumberAnimation { duration: 40000; easing.type: Easing.InOutQuad }
                }
            }
        }

        // The shadow in the lower left that carries the song block.
        LinearGradient {
            anchors.fill: parent
            start: Qt.point(0, height)
            end: Qt.point(width * 0.7, height * 0.3)
            gradient: Gradient {
                GradientStop { position: 0; color: Qt.rgba(0, 0, 0, 0.78) }
                GradientStop { position: 0.5; color: Qt.rgba(0, 0, 0, 0.2) }
                GradientStop { position: 1; color: "transparent" }
            }
        }

        Loader {
            id: songBlock
            objectName: "songBlock"
            active: controller.present
            x: 60
            y: page.height - 150 - height
            width: Math.min(page.width - 120, 760)
            height: 150
            // Made when a song becomes current, gone when none is: its lines start from their entrances.
            source: "NowPlayingSongBlock.qml"
        }
        Binding {
            target: songBlock.item
            property: "controller"
            value: controller
            when: songBlock.item !== null
        }
    }

    // The drift repeats for ever, reversing each time: 1 → 1.08 → 1 every 80 s.
    Timer {
        interval: 40000
        repeat: true
        running: page.zoomed && !Motion.reduceMotion
        onTriggered: page.zoomed = !page.zoomed
    }

    // The dark band along the bottom.
    Rectangle {
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 220
        gradient: Gradient {
            GradientStop { position: 0; color: "transparent" }
            GradientStop { position: 1; color: Qt.rgba(0, 0, 0, 0.6) }
        }
    }

    LightBand {
        objectName: "lightBand"
        bandHeight: 46
        span: 0.6
    }

    // The controls: faded out and out of reach while hidden.
    Item {
        id: controls
        objectName: "controls"
        anchors.fill: parent
        opacity: controller.controlsShown ? 1 : 0
        enabled: controller.controlsShown
        Behavior on opacity {
            NumberAnimation { duration: 400; easing.type: Easing.InOutQuad }
        }

        Item {
            x: 18
            y: 40
            width: 44
            height: 44
            Loader {
                objectName: "back"
                sourceComponent: page.backButton
            }
            StaggerIn { index: 2 }
        }

        Item {
            id: bottomBar
            objectName: "bottomBar"
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom; leftMargin: 28; rightMargin: 28; bottomMargin: 16 }
            height: Math.max(titleColumn.implicitHeight, controlColumn.implicitHeight)
            RiseIn { delay: 0.35 }

            Column {
                id: titleColumn
                objectName: "titleColumn"
                anchors.verticalCenter: parent.verticalCenter
                x: (parent.width - width) / 2
                width: 420
                spacing: 4
                ScrubTitle {
                    width: parent.width
                    title: controller.present ? controller.song.title : ""
                    artist: controller.present ? controller.song.artist : ""
                    artistPage: controller.present ? controller.song.albumArtist : ""
                    reading: seekBar.reading
                    font: page.Theme.meta
                    color: "white"
                    readingSize: 34
                }
                SeekBar {
                    id: seekBar
                    objectName: "seekBar"
                    width: parent.width
                    barHeight: 2
                    gradient: false
                    times: SeekBarModel.Remaining
                    timeColor: "white"
                    readsAbove: true
                }
            }

            Column {
                id: controlColumn
                objectName: "controlColumn"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: -4
                Row {
                    anchors.horizontalCenter: parent.horizontalCenter
                    IconButton {
                        objectName: "upNext"
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "list.bullet"
                        label: "Up Next"
                        isOn: controller.showQueue
                        onClicked: controller.toggleQueue()
                    }
                    IconButton {
                        objectName: "repeat"
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "repeat"
                        label: "Repeat"
                        isOn: Stores.player.repeatAll
                        onClicked: Stores.player.repeatAll = !Stores.player.repeatAll
                    }
                    IconButton {
                        objectName: "shuffle"
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "shuffle"
                        label: "Shuffle"
                        isOn: Stores.player.shuffle
                        onClicked: Stores.player.shuffle = !Stores.player.shuffle
                    }
                    TransportControls {
                        objectName: "transport"
                        anchors.verticalCenter: parent.verticalCenter
                        sizeScale: 0.85
                    }
                    IconButton {
                        objectName: "mixview"
                        anchors.verticalCenter: parent.verticalCenter
                        visible: controller.present
                        symbol: "circle.hexagongrid"
                        label: "Mixview"
                        onClicked: controller.openMixview()
                    }
                    IconButton {
                        objectName: "miniPlayer"
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "rectangle.inset.bottomright.filled"
                        label: "Mini Player"
                        onClicked: controller.openMiniPlayer()
                    }
                }
                VolumeReadout {
                    anchors.horizontalCenter: parent.horizontalCenter
                    color: page.Theme.primary
                }
            }
        }
    }

    // Up Next, above the bottom bar at the right; it slides in from the right edge while fading in.
    QueuePanel {
        id: queue
        objectName: "queuePanel"
        width: 340
        height: controller.queueHeight(page.height)
        y: page.height - 104 - height
        x: controller.showQueue || Motion.reduceMotion ? page.width - 28 - width : page.width
        opacity: controller.showQueue ? 1 : 0
        visible: opacity > 0
        Behavior on x {
            NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
        }
        Behavior on opacity {
            NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
        }
    }
}
