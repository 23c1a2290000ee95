pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Quickplay

// The pins, new and history half: three titled columns of artwork mosaics in a strip that scrolls sideways.
// The cuts, the tile places and the scroll offsets come from the page controller.
Item {
    id: half
    required property QuickplayPage page
    required property QuickplayModel content
    readonly property real s: page.scale
    readonly property int arrival: page.collectionArrival

    Flickable {
        id: strip
        objectName: "collectionStrip"
        anchors.fill: parent
        flickableDirection: Flickable.HorizontalFlick
        boundsBehavior: Flickable.StopAtBounds
        contentWidth: columns.width + 120
        contentHeight: height
        // Ours: most mice here have only a vertical wheel, which a sideways Flickable ignores.
        interactive: true
        clip: false

        NumberAnimation {
            id: glide
            target: strip
            property: "contentX"
            duration: Motion.enterMs
            easing: Motion.enter
        }

        Row {
            id: columns
            x: 60
            y: 12
            spacing: 52 * half.s
            Column_ { column: 0; items: half.content.pins; trailing: true }
            Column_ { column: 1; items: half.content.newItems }
            Column_ { column: 2; items: half.content.history }
        }
    }
    WheelHandler {
        target: null
        acceptedDevices: PointerDevice.Mouse | PointerDevice.TouchPad
        onWheel: event => {
            const d = event.angleDelta.y !== 0 ? event.angleDelta.y : event.angleDelta.x
            const to = strip.contentX - d
            strip.contentX = half.page.scrollToShow(to, strip.width, strip.contentWidth, to, to)
        }
    }

    // Scrolls just far enough to show a tile (in the strip's content).
    function reveal(item: Item) {
        const p = item.mapToItem(strip.contentItem, 0, 0)
        const to = half.page.scrollToShow(strip.contentX, strip.width, strip.contentWidth, p.x - 12, p.x + item.width + 12)
        if (to === strip.contentX) return
        glide.stop()
        glide.to = to
        glide.start()
    }

    component Column_: Item {
        id: col
        required property int column
        required property QuickItemModel items
        property bool trailing: false
        readonly property var slots: half.page.columnSlots(column, items.count, half.s)
        readonly property var outlines: half.page.outlineSlots(column, half.s)
        readonly property real mosaicWidth: {
            const list = items.count > 0 ? slots : outlines
            let w = 0
            for (let i = 0; i < list.length; ++i) w = Math.max(w, list[i].x + list[i].width)
            return w
        }
        readonly property real tilesTop: title.height - 20 * half.s

        width: Math.max(mosaicWidth, title.width - 3 * half.s)
        height: tilesTop + 2 * Math.round(78 * half.s) + Math.round(4 * half.s)
        // A lifted tile's ring and scale pass over the next column.
        z: lifted ? 1 : 0
        property bool lifted: false

        StaggerIn { index: col.column }

        Text {
            id: title
            objectName: "columnTitle" + col.column
            x: col.trailing ? col.width - width + 3 * half.s : -3 * half.s
            text: half.page.columnTitle(col.column)
            font.pixelSize: 64 * half.s
            font.weight: Font.Light
            color: col.Theme.muted
            Accessible.role: Accessible.Heading
            Accessible.name: text
            Arrival { index: 5 * col.column; token: half.arrival }
        }

        Item {
            id: mosaic
            y: col.tilesTop
            x: col.trailing ? col.width - col.mosaicWidth : 0
            width: col.mosaicWidth

            // An empty column: faint outlines of its cuts with a line of help at the top right.
            Repeater {
                model: col.items.count === 0 ? col.outlines : []
                Rectangle {
                    required property var modelData
                    x: modelData.x
                    y: modelData.y
                    width: modelData.width
                    height: modelData.height
                    color: "transparent"
                    border.width: 1
                    border.color: Qt.alpha(col.Theme.primary, 0.1)
                }
            }
            Text {
                objectName: "columnHint" + col.column
                visible: col.items.count === 0
                width: Math.round(1.8 * Math.round(78 * half.s)) - 8 * half.s
                x: mosaic.width - width - 8 * half.s
                y: 26 * half.s
                text: half.page.columnHint(col.column)
                font.pixelSize: 13 * Math.min(half.s, 1.4)
                color: col.Theme.muted
                horizontalAlignment: Text.AlignRight
                wrapMode: Text.Wrap
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }

            Repeater {
                model: col.items
                QuickTile {
                    id: quickTile
                    required property int index
                    readonly property var place: col.slots[index] ?? ({x: 0, y: 0, width: 0, height: 0, chunk: 0})
                    page: half.page
                    x: place.x
                    y: place.y
                    width: place.width
                    height: place.height
                    z: lifted ? 1 : 0
                    onLiftedChanged: col.lifted = lifted
                    onCursorChanged: if (cursor) half.reveal(this)
                    Arrival { index: half.page.columnWave(col.column) + quickTile.place.chunk; token: half.arrival }
                }
            }
        }
    }
}
