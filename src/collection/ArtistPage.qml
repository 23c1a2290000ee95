pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The chosen artist's page: one scroll of the hero, the albums, the most played songs and the similar
// artists, with the open album's songs in a column at the right. As the hero scrolls away the name glides
// out of it into a compact bar along the top edge. How everything moves with the scroll comes from
// HeroMotion; the album grid's rules and keys from the section's grid model.
Item {
    id: page
    objectName: "artistPage"
    property ArtistSection section
    readonly property string artistName: section ? section.artistName : ""
    readonly property alias flick: flick
    readonly property alias motion: motion
    readonly property alias model: pageModel
    readonly property alias grid: grid
    readonly property alias songs: songs
    readonly property bool hasSongs: albumID !== ""
    // How far the open album's songs have come in: they arrive and leave in the page's entering motion,
    // and the page column narrows and widens with them.
    property real songsShown: hasSongs ? 1 : 0
    Behavior on songsShown {
        enabled: page.settled
        NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
    }
    readonly property real columnWidth: motion.columnWidth(width, songsShown)
    // The album the songs' column shows; kept while the column leaves.
    property string songsAlbum: ""
    property bool settled: false

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
        songsAlbum = albumID
        settled = true
        // The grid or the songs of the page this one replaces had the keyboard: they have it here too.
        if (grid.active) grid.takeFocus()
        else if (songs.active) songs.takeFocus()
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
        if (albumID !== "") songsAlbum = albumID
        const first = shownAlbum === ""
        shownAlbum = albumID
        if (first || albumID === "") return
        const cell = cellOf(grid, albumID)
        if (!cell) return
        const top = cell.mapToItem(flick.contentItem, 0, 0).y
        const target = motion.revealOffset(top, top + cell.height, flick.contentY, flick.height)
        if (Math.abs(target - flick.contentY) < 0.5) return
        scrollTo.to = target
        scrollTo.restart()
    }
    // The grid's cell of an album, found among the grid's rows; null when it has none.
    function cellOf(item: Item, id: string): Item {
        const cell = item as AlbumCell
        if (cell && cell.albumId === id) return cell
        for (let i = 0; i < item.children.length; ++i) {
            const found = cellOf(item.children[i], id)
            if (found) return found
        }
        return null
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

                Column {
                    width: parent.width
                    spacing: 16
                    ColumnHeader {
                        width: parent.width
                        count: grid.model ? grid.model.albumCount : 0
                        noun: "album"
                        sort: page.section ? page.section.albumSortLabel : ""
                        sortable: true
                        onSortClicked: page.section.nextAlbumSort()
                    }
                    AlbumGrid {
                        id: grid
                        objectName: "artistAlbumGrid"
                        width: parent.width
                        fixedWidth: motion.contentWidth
                        // The page's own width comes after it is made; cells are made for the real one.
                        laidOut: page.width > 0
                        // The rows that can show under the hero at the top are made at once, the rest
                        // just after the first frame.
                        eagerRows: Math.max(1, Math.ceil(Math.max(0, page.height - motion.height)
                                                         / (grid.cellWidth + grid.spacing)))
                        model: page.section ? page.section.albumGrid : null
                        minWidth: 150
                        spacing: 24
                        showArtistLink: false
                        quietSelection: true
                        active: page.section !== null && page.section.focusColumn === CollectionColumn.Focus.albums
                        onFocusRequested: page.section.focusColumn = CollectionColumn.Focus.albums
                    }
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

    // The open album's songs; Left in them gives the grid the keyboard.
    AlbumSongs {
        id: songs
        objectName: "artistAlbumSongs"
        visible: page.songsShown > 0
        opacity: page.songsShown
        x: page.motion.songsX(page.width, page.songsShown, Motion.reduceMotion)
        width: 380
        height: page.height
        albumId: page.songsAlbum
        showArtist: false
        active: page.section !== null && page.section.focusColumn === CollectionColumn.Focus.songs
        onFocusRequested: page.section.focusColumn = CollectionColumn.Focus.songs
        onLeftPressed: page.section.focusColumn = CollectionColumn.Focus.albums
    }

    ArtistBar {
        id: bar
        width: page.columnWidth
        model: pageModel
        progress: motion.barProgress
        // Of the progress shown, which with reduce motion eases in after the switch.
        takesClicks: motion.takesClicks(bar.progress)
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
