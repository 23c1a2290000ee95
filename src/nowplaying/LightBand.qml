import QtQuick
import Velto.Shell
import Velto.NowPlaying

// The light band on the bottom edge of whatever holds it, in the appearance of the views around it.
VisualizerGlow {
    id: band
    player: Stores.player
    dark: band.Theme.dark
    reduceMotion: Motion.reduceMotion
    showEqualizer: equalizer.value === true
    height: bandHeight + 80
    anchors.left: parent ? parent.left : undefined
    anchors.right: parent ? parent.right : undefined
    anchors.bottom: parent ? parent.bottom : undefined
    Accessible.ignored: true

    Setting {
        id: equalizer
        key: "showEqualizer"
    }
}
