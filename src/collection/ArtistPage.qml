pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The chosen artist's page: one scroll of the hero, the albums, the most played songs and the similar
// artists. As the hero scrolls away the name glides out of it into a compact bar along the top edge. How
// everything moves with the scroll comes from HeroMotion.
Item {
    id: page
    objectName: "artistPage"
    property ArtistSection section
    readonly property string artistName: section ? section.artistName : ""
    readonly property alias flick: flick
    readonly property alias motion: motion
    readonly property alias model: pageModel
    readonly property real columnWidth: width

    Accessible.role: Accessible.Pane
    Accessible.name: artistName

    HeroMotion {
        id: motion
        // Negative while the page is pulled down past its top.
        scrolled: flick.contentY - flick.originY
        pageHeight: page.height
        pageWidth: page.columnWidth
        reduceMotion: Motion.reduceMotion
    }
    ArtistPageModel {
        id: pageModel
        app: Stores.app
        library: Stores.library
        player: Stores.player
        pictures: Stores.pictures
        name: page.artistName
    }

    // Enters sliding in from the right.
    opacity: 0
    transform: Translate { id: entering; x: Motion.reduceMotion ? 0 : 30 }
    Component.onCompleted: {
        entrance.start()
        shownAlbum = albumID
    }
    ParallelAnimation {
        id: entrance
        NumberAnimation { target: page; property: "opacity"; to: 1; duration: Motion.enterMs; easing: Motion.enter }
        NumberAnimation { target: entering; property: "x"; to: 0; duration: Motion.enterMs; easing: Motion.enter }
    }

    // A newly opened album (not the first one shown) is scrolled into view, just far enough.
    property string shownAlbum: ""
    readonly property string albumID: section ? section.albumID : ""
    onAlbumIDChanged: {
        const first = shownAlbum === ""
        shownAlbum = albumID
        if (first || albumID === "") return
        const cell = albums.cellFor(albumID)
        if (!cell) return
        const top = cell.mapToItem(flick.contentItem, 0, 0).y
        const bottom = top + cell.height
        let target = flick.contentY
        if (top < flick.contentY) target = top
        else if (bottom > flick.contentY + flick.height) target = bottom - flick.height
        if (target !== flick.contentY) {
            scrollTo.to = target
            scrollTo.restart()
        }
    }
    NumberAnimation {
        id: scrollTo
        target: flick
        property: "contentY"
        duration: Motion.hoverMs
        easing: Motion.hover
    }

    Flickable {
        id: flick
        objectName: "artistScroll"
        x: -6
        width: page.columnWidth + 12
        height: page.height
        clip: true
        contentWidth: width
        contentHeight: Math.max(content.implicitHeight + 32, motion.minimumContent)
        ScrollBar.vertical: ScrollBar {}

        Column {
            id: content
            x: 6
            width: page.columnWidth
            spacing: 30

            ArtistHero {
                width: page.columnWidth
                height: motion.height
                motion: motion
                model: pageModel
            }

            Column {
                x: 32
                width: motion.contentWidth
                spacing: 44

                ArtistAlbumBlock {
                    id: albums
                    width: parent.width
                    section: page.section
                }
                ArtistMostPlayedView {
                    width: parent.width
                    artistName: page.artistName
                }
                ArtistSimilarView {
                    width: parent.width
                    artistName: page.artistName
                    section: page.section
                }
            }
        }
    }

    ArtistBar {
        width: page.columnWidth
        model: pageModel
        progress: motion.barProgress
        showsName: Motion.reduceMotion
        Behavior on progress {
            enabled: Motion.reduceMotion
            NumberAnimation { duration: 200; easing.type: Easing.InOutQuad }
        }
    }

    // The hero's name, drawn over the page so it can leave the hero and settle in the bar.
    Item {
        id: glidingName
        objectName: "glidingName"
        visible: !Motion.reduceMotion
        x: motion.nameX
        y: motion.nameTop
        width: page.columnWidth - 64
        height: 86
        scale: motion.nameScale
        transformOrigin: Item.Left
        Accessible.ignored: true
        Text {
            anchors.fill: parent
            text: page.artistName.toLowerCase()
            color: "white"
            opacity: 1 - motion.progress
            font.pixelSize: 72
            font.weight: Font.Light
            font.family: page.Theme.display.family
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.round(72 * 0.45)
            verticalAlignment: Text.AlignVCenter
            maximumLineCount: 1
            elide: Text.ElideRight
        }
        Text {
            anchors.fill: parent
            text: page.artistName.toLowerCase()
            color: page.Theme.primary
            opacity: motion.progress
            font.pixelSize: 72
            font.weight: Font.Light
            font.family: page.Theme.display.family
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.round(72 * 0.45)
            verticalAlignment: Text.AlignVCenter
            maximumLineCount: 1
            elide: Text.ElideRight
        }
    }
}
