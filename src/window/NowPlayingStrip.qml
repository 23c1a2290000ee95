import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// The song that plays, in the middle of the footer: its cover (which opens Now Playing), the title line
// with the artist link and the heart, and the seek bar, whose reading takes the title's place while the
// user hovers over or drags it. The cover is a square as tall as the title and seek column.
Item {
    id: strip
    readonly property PlayingSong song: PlayingSong {
        player: Stores.player
        library: Stores.library
    }
    readonly property string reading: seekBar.reading
    readonly property real infoHeight: info.height > 0 ? info.height : 56

    implicitWidth: FrameRules.stripWidth(infoHeight)
    implicitHeight: infoHeight

    T.AbstractButton {
        id: cover
        objectName: "coverButton"
        width: strip.infoHeight
        height: strip.infoHeight
        hoverEnabled: true
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.Button
        Accessible.name: "Now playing"
        onClicked: if (strip.song.present) Stores.app.go(Nav.Page.nowPlaying)
        contentItem: Artwork {
            objectName: "cover"
            url: strip.song.present ? strip.song.artwork : undefined
            kind: strip.song.present ? "album" : "song"
        }
        HoverLift { lift: 1.05 }
    }

    Column {
        id: info
        objectName: "info"
        x: strip.infoHeight + 14
        width: 230
        spacing: 4

        Item {
            width: parent.width
            height: Math.max(title.implicitHeight, titleEnd.implicitHeight)
            ScrubTitle {
                id: title
                objectName: "scrubTitle"
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width - titleEnd.width
                song: strip.song
                title: strip.song.present ? strip.song.title : "nothing playing"
                artist: strip.song.artist
                artistPage: strip.song.albumArtist
                reading: strip.reading
                font: strip.Theme.meta
                color: strip.Theme.soft
                readingSize: 26
            }
            LikeButton {
                id: titleEnd
                objectName: "like"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                song: strip.song.path
                size: 26
                bare: true
                frameHeight: 44
            }
        }
        SeekBar {
            id: seekBar
            objectName: "seekBar"
            width: parent.width
            barHeight: 2
            gradient: false
            times: SeekBarModel.Remaining
            timeColor: strip.Theme.soft
            readsAbove: true
            song: strip.song
        }
    }
}
