import QtQuick
import Velto.Kit
import Velto.Shell

// The playing song's title and artist link, which give way to the seek bar's reading ("1:23  of 4:05")
// while the user hovers over or drags the bar. The title gives up its width before the artist does.
Item {
    id: scrub
    property string title
    // Empty for no artist part (and no separator).
    property string artist
    // The artist whose page the link opens; the shown artist when empty.
    property string artistPage
    // The seek bar's reading; empty while nobody is scrubbing.
    property string reading
    // The current song's length, 0 without one.
    property PlayingSong song: PlayingSong { player: Stores.player }
    property real duration: song.duration
    property font font: Theme.row
    property color color: Theme.primary
    property real readingSize: 22
    readonly property bool reads: reading !== ""
    readonly property bool hasArtist: artist !== ""

    implicitWidth: titleText.implicitWidth + (hasArtist ? separator.implicitWidth + link.implicitWidth : 0)
    implicitHeight: titleLine.height
    Accessible.role: Accessible.StaticText
    Accessible.name: reads ? reading + " " + total.text : (hasArtist ? title + " · " + artist : title)

    Row {
        id: titleLine
        objectName: "titleLine"
        width: scrub.width
        opacity: scrub.reads ? 0 : 1
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        Text {
            id: titleText
            objectName: "title"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, Math.max(0, scrub.width - (scrub.hasArtist
                                                                      ? separator.implicitWidth + link.implicitWidth : 0)))
            text: scrub.title
            font: scrub.font
            color: scrub.color
            elide: Text.ElideRight
            maximumLineCount: 1
        }
        Text {
            id: separator
            objectName: "separator"
            anchors.verticalCenter: parent.verticalCenter
            visible: scrub.hasArtist
            text: " · "
            font: scrub.font
            color: scrub.color
        }
        ArtistLink {
            id: link
            objectName: "artistLink"
            anchors.verticalCenter: parent.verticalCenter
            visible: scrub.hasArtist
            width: Math.min(implicitWidth, Math.max(0, scrub.width - titleText.width - separator.implicitWidth))
            name: scrub.artist
            artist: scrub.artistPage !== "" ? scrub.artistPage : scrub.artist
            font: scrub.font
            restColor: scrub.color
        }
    }

    // The reading, on the title line's bottom-leading corner; it may run wider than the title.
    Item {
        id: readingRow
        objectName: "readingRow"
        anchors.left: parent.left
        anchors.bottom: titleLine.bottom
        width: now.implicitWidth + 6 + total.implicitWidth
        height: now.implicitHeight
        opacity: scrub.reads ? 1 : 0
        visible: opacity > 0
        transform: Translate {
            y: scrub.reads || Motion.reduceMotion ? 0 : 4
            Behavior on y {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        DigitsText {
            id: now
            objectName: "reading"
            text: scrub.reading
            font: Qt.font({ family: "Inter", pixelSize: scrub.readingSize, weight: Font.Light })
            color: scrub.Theme.primary
        }
        DigitsText {
            id: total
            objectName: "total"
            x: now.implicitWidth + 6
            // On the reading's baseline.
            y: now.ascent - ascent
            text: Controls.readingTotal(scrub.duration)
            font: scrub.font
            color: scrub.color
        }
    }
}
