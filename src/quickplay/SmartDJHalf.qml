pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.Quickplay

// The Smart DJ half: a tile for each Smart DJ artist, washed in colours chosen so that neighbours differ,
// then, while fewer than five are kept, the tile that adds one.
Item {
    id: half
    required property QuickplayPage page
    required property QuickplayModel content
    readonly property real s: page.scale
    readonly property int arrival: page.smartDJArrival
    readonly property real tileWidth: Math.round(176 * s)
    readonly property real tileHeight: Math.round(132 * s)

    SmartDJWashes {
        id: washes
        model: half.content
        pictures: Stores.pictures
    }

    Row {
        id: row
        objectName: "smartDJRow"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 12
        spacing: 8 * half.s

        Repeater {
            model: half.content.smartDJ
            SmartDJTile {
                id: djTile
                required property int index
                required property string itemId
                required property string key
                width: half.tileWidth
                height: half.tileHeight
                objectName: itemId
                name: key
                tint: { washes.chosen; return washes.tint(key, index) }
                nameSize: SmartDJLook.nameSize(half.s)
                cursor: half.page.cursor === itemId
                actions: [pinAction, showAction, removeAction]
                menu: ArtistMenu {
                    name: djTile.key
                    showInCollection: true
                }
                onPlay: half.page.startSmartDJ(key)
                onShow: half.page.showArtist(key)

                readonly property bool pinned: Stores.app && Stores.app.pins && half.page.pinned("artist:" + key)
                readonly property HoverAction pinAction: HoverAction {
                    symbol: djTile.pinned ? "pin.slash" : "pin"
                    label: djTile.pinned ? "Unpin from Quickplay" : "Pin to Quickplay"
                    onRun: half.page.togglePin("artist:" + djTile.key)
                }
                readonly property HoverAction showAction: HoverAction {
                    symbol: "arrow.up.right"
                    label: "Show in Collection"
                    onRun: half.page.showArtist(djTile.key)
                }
                readonly property HoverAction removeAction: HoverAction {
                    symbol: "minus"
                    label: "Remove from Smart DJ"
                    onRun: half.page.toggleSmartDJ(djTile.key)
                }
                Arrival { index: djTile.index; token: half.arrival }
            }
        }
        AddSmartDJTile {
            id: add
            objectName: "dj:add"
            visible: half.content.smartDJ.count <= 4
            width: half.tileWidth
            height: half.tileHeight
            page: half.page
            cursor: half.page.cursor === "dj:add"
            Arrival { index: half.content.smartDJ.count; token: half.arrival }
        }
    }
}
