pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell

// One line of the song block that is replaced whenever its identity changes: the old line slides 40 px to
// the left while it fades, the new one comes in `beat` steps after the block's first. The line is made from
// `content` with the song of that moment, so a leaving line keeps showing what it showed.
Item {
    id: swap
    // The line's identity: a change replaces the line.
    property var key
    property var song
    property int beat: 0
    property Component content: null
    property Item current: null
    // The line's own height, so the lines under it stand where they should.
    implicitHeight: current ? current.implicitHeight : 0
    implicitWidth: current ? current.implicitWidth : 0

    function replace() {
        if (!content) return
        if (current) {
            const old = current
            leaving.createObject(swap, { target: old }).start()
        }
        current = holder.createObject(swap, { song: swap.song })
    }

    onKeyChanged: replace()
    Component.onCompleted: if (!current) replace()

    // A line with its entrance.
    Component {
        id: holder
        Item {
            id: line
            property var song
            width: swap.width
            implicitWidth: loader.implicitWidth
            implicitHeight: loader.implicitHeight
            Loader {
                id: loader
                width: parent.width
                sourceComponent: swap.content
                onLoaded: item.song = Qt.binding(() => line.song)
            }
            StaggerIn { index: swap.beat }
        }
    }

    // The way out: 40 px to the left while fading, then the line is gone.
    Component {
        id: leaving
        ParallelAnimation {
            id: out
            property Item target
            NumberAnimation {
                target: out.target
                property: "x"
                to: Motion.reduceMotion ? 0 : -40
                duration: Motion.enterMs
                easing: Motion.enter
            }
            NumberAnimation {
                target: out.target
                property: "opacity"
                to: 0
                duration: Motion.enterMs
                easing: Motion.enter
            }
            onFinished: {
                out.target.destroy()
                out.destroy()
            }
        }
    }
}
