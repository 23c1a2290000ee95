import QtQuick
import Velto.Kit
import Velto.Playback
import Velto.Shell

// How far the song has played, and the place to move it: hovering shows the time under the pointer (as
// `reading`, for a title line to show), a click glides to the point and seeks, a drag scrubs with quick
// seeks and one exact seek on release. Every decision is the model's; this draws it.
Item {
    id: bar
    property Player player: Stores.player
    property PlayingSong song: PlayingSong { player: bar.player }
    // The thickness of the bar.
    property real barHeight: 2
    // The played part in the accent gradient instead of the primary colour.
    property bool gradient: false
    property int times: SeekBarModel.NoTimes
    property color timeColor: Theme.soft
    // The parent shows the reading in its title line, so the time row hides while hovering or dragging.
    property bool readsAbove: false
    readonly property real barWidth: Math.max(area.width, 1)
    readonly property string reading: model.reading
    readonly property bool active: model.hovering || model.dragging
    readonly property alias model: model
    readonly property alias frames: frames

    implicitWidth: 200
    implicitHeight: 18 + (times !== SeekBarModel.NoTimes ? 3 + timeRow.implicitHeight : 0)
    Accessible.role: Accessible.Slider
    Accessible.name: "Position"
    Accessible.description: Theme.formatTime(player ? player.position : 0)
    Accessible.onIncreaseAction: model.increase()
    Accessible.onDecreaseAction: model.decrease()

    SeekBarModel {
        id: model
        player: bar.player
        hasSong: bar.song.present
        duration: bar.song.duration
        position: bar.player ? bar.player.position : 0
        isPlaying: bar.player ? bar.player.isPlaying : false
        reduceMotion: Motion.reduceMotion
        times: bar.times
        width: bar.barWidth
        onScrubRequested: seconds => bar.player.scrub(seconds)
        onSeekRequested: seconds => bar.player.seek(seconds)
    }
    // Up to one frame per display refresh while the bar can move; none while paused, dragging or with
    // reduce motion, when the bar redraws only as the player's state changes.
    FrameAnimation {
        id: frames
        running: model.animating && bar.visible
        onTriggered: model.refresh()
    }

    Item {
        id: area
        objectName: "barArea"
        width: bar.width
        height: 18

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width
            height: bar.barHeight
            color: bar.Theme.primary
            opacity: bar.active ? 0.3 : 0.2
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Rectangle {
            objectName: "played"
            anchors.verticalCenter: parent.verticalCenter
            width: model.fraction * bar.barWidth
            height: bar.barHeight
            visible: !bar.gradient
            color: bar.Theme.primary
            opacity: bar.active ? 1 : 0.85
        }
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: model.fraction * bar.barWidth
            height: bar.barHeight
            visible: bar.gradient
            gradient: AccentGradient {}
        }
        Rectangle {
            objectName: "tick"
            anchors.verticalCenter: parent.verticalCenter
            x: model.tickX
            width: 2
            height: model.dragging ? 10 : 7
            color: bar.Theme.primary
            opacity: bar.active ? 1 : 0
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Rectangle {
            objectName: "pointerMark"
            anchors.verticalCenter: parent.verticalCenter
            x: model.pointerX
            width: 1
            height: 8
            visible: model.hovering && !model.dragging
            color: bar.Theme.primary
            opacity: 0.5
        }
        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            preventStealing: true
            onPositionChanged: mouse => {
                model.hover(mouse.x);
                if (pressed)
                    model.move(mouse.x, mouse.y, bar.barWidth);
            }
            onEntered: model.hover(mouseX)
            onExited: model.leave()
            onPressed: mouse => model.press(mouse.x, mouse.y)
            onReleased: mouse => model.release(mouse.x, bar.barWidth)
            onCanceled: model.release(mouseX, bar.barWidth)
        }
    }

    Item {
        id: timeRow
        objectName: "timeRow"
        y: 18 + 3
        width: bar.width
        implicitHeight: elapsed.implicitHeight
        height: implicitHeight
        visible: bar.times !== SeekBarModel.NoTimes
        opacity: bar.readsAbove && bar.active ? 0 : 1
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        DigitsText {
            id: elapsed
            objectName: "elapsed"
            text: model.elapsedText
            font: bar.Theme.detail
            color: model.dragging ? bar.Theme.primary : bar.timeColor
        }
        DigitsText {
            objectName: "end"
            anchors.right: parent.right
            text: model.endText
            font: bar.Theme.detail
            color: model.dragging ? bar.Theme.primary : bar.timeColor
        }
    }
}
