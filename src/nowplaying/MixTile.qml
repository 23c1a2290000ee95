pragma ComponentBehavior: Bound
import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell
import Velto.Kit
import Velto.NowPlaying

// One tile of the Mixview map, drawn where its row of the controller's model puts it: the centre with its
// caption and round actions, a ring album or artist with its card under the pointer, or the Smart DJ tile.
// It flies out of the centre when the map opens, moves when the map re-centres, drops off when it leaves
// the map and flies home when Mixview closes; the controller says when, the tile runs the motion.
Item {
    id: tile
    required property MixviewController controller
    required property string tileId
    required property string kind
    required property bool centre
    required property real tileX
    required property real tileY
    required property real tileWidth
    required property real tileHeight
    required property int tileZ
    required property real entryDelay
    required property real closeDelay
    required property real offsetX
    required property real offsetY
    required property bool dropping
    required property bool leftward
    required property string cover
    required property string picture
    required property string firstName
    required property string secondName
    required property string label
    required property string hint
    required property string hoverHint
    required property string relation
    required property var cardLines
    required property bool showArtist
    required property var actionSymbols
    required property var actionLabels

    readonly property bool reduceMotion: controller.reduceMotion
    readonly property bool hovered: hover.hovered
    readonly property real pad: centre ? 5 : 0
    readonly property real captionHeight: centre ? 30 : 0
    readonly property int moveMs: reduceMotion ? MixTiming.reducedMs : Motion.tamskMs

    // The bloom: where the tile is drawn from, how large and how visible, apart from its place.
    property real bloomScale: 1
    property real bloomOpacity: 1
    property real bloomX: 0
    property real bloomY: 0
    property real lift: hovered && !centre && !reduceMotion ? 1.05 : 1
    Behavior on lift {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }

    objectName: "mixTile:" + tileId
    x: tileX
    y: tileY
    width: tileWidth
    height: tileHeight
    z: tileZ
    Behavior on x { enabled: tile.controller.moving; NumberAnimation { duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk } }
    Behavior on y { enabled: tile.controller.moving; NumberAnimation { duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk } }
    Behavior on width { enabled: tile.controller.moving; NumberAnimation { duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk } }
    Behavior on height { enabled: tile.controller.moving; NumberAnimation { duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk } }

    Accessible.role: Accessible.Button
    Accessible.name: label
    Accessible.description: hint
    Accessible.onPressAction: controller.open(tileId)

    function atStart() {
        bloomOpacity = 0
        bloomScale = reduceMotion ? 1 : 0.3
        bloomX = reduceMotion ? 0 : offsetX
        bloomY = reduceMotion ? 0 : offsetY
    }
    function enter() {
        closing.stop()
        dropOff.stop()
        atStart()
        entry.restart()
    }
    Component.onCompleted: {
        atStart()
        if (controller.shown && !controller.leaving) entry.start()
    }
    onDroppingChanged: {
        if (dropping) {
            entry.stop()
            dropOff.restart()
        } else {
            enter()
        }
    }
    Connections {
        target: tile.controller
        function onShownChanged() {
            if (tile.controller.shown) tile.enter()
            else if (tile.controller.leaving && !tile.dropping) {
                entry.stop()
                closing.restart()
            }
        }
    }

    SequentialAnimation {
        id: entry
        PauseAnimation { duration: tile.entryDelay * 1000 }
        ParallelAnimation {
            NumberAnimation { target: tile; property: "bloomScale"; to: 1; duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk }
            NumberAnimation { target: tile; property: "bloomX"; to: 0; duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk }
            NumberAnimation { target: tile; property: "bloomY"; to: 0; duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk }
            NumberAnimation { target: tile; property: "bloomOpacity"; to: 1; duration: tile.moveMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : Motion.tamsk }
        }
    }
    // Home to the centre: a ring tile runs its entry backwards, the centre shrinks where it is.
    SequentialAnimation {
        id: closing
        PauseAnimation { duration: tile.closeDelay * 1000 }
        ParallelAnimation {
            NumberAnimation { target: tile; property: "bloomScale"; to: tile.centre ? 0.8 : 0.3; duration: MixTiming.closeMs; easing: MixTiming.closeEasing }
            NumberAnimation { target: tile; property: "bloomX"; to: tile.centre ? 0 : tile.offsetX; duration: MixTiming.closeMs; easing: MixTiming.closeEasing }
            NumberAnimation { target: tile; property: "bloomY"; to: tile.centre ? 0 : tile.offsetY; duration: MixTiming.closeMs; easing: MixTiming.closeEasing }
            NumberAnimation { target: tile; property: "bloomOpacity"; to: 0; duration: MixTiming.closeMs; easing: MixTiming.closeEasing }
        }
    }
    // Off the map on a re-centre: it shrinks where it stands while it fades.
    ParallelAnimation {
        id: dropOff
        NumberAnimation { target: tile; property: "bloomScale"; to: tile.reduceMotion ? 1 : 0.7; duration: tile.reduceMotion ? MixTiming.reducedMs : MixTiming.dropMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : MixTiming.dropEasing }
        NumberAnimation { target: tile; property: "bloomOpacity"; to: 0; duration: tile.reduceMotion ? MixTiming.reducedMs : MixTiming.dropMs; easing: tile.reduceMotion ? MixTiming.reducedEasing : MixTiming.dropEasing }
        onFinished: tile.controller.exitEnded(tile.tileId)
    }

    readonly property HoverAction action0: HoverAction {
        symbol: tile.actionSymbols.length > 0 ? tile.actionSymbols[0] : ""
        label: tile.actionLabels.length > 0 ? tile.actionLabels[0] : ""
        onRun: tile.controller.runAction(tile.tileId, 0)
    }
    readonly property HoverAction action1: HoverAction {
        symbol: tile.actionSymbols.length > 1 ? tile.actionSymbols[1] : ""
        label: tile.actionLabels.length > 1 ? tile.actionLabels[1] : ""
        onRun: tile.controller.runAction(tile.tileId, 1)
    }
    readonly property HoverAction action2: HoverAction {
        symbol: tile.actionSymbols.length > 2 ? tile.actionSymbols[2] : ""
        label: tile.actionLabels.length > 2 ? tile.actionLabels[2] : ""
        onRun: tile.controller.runAction(tile.tileId, 2)
    }

    Item {
        id: mover
        width: tile.width
        height: tile.height
        x: tile.bloomX
        y: tile.bloomY
        opacity: tile.bloomOpacity
        scale: tile.bloomScale * tile.lift

        RectangularGlow {
            anchors.fill: parent
            anchors.topMargin: tile.centre ? 10 : 5
            anchors.bottomMargin: tile.centre ? -10 : -5
            glowRadius: tile.centre ? 26 : 12
            cornerRadius: glowRadius
            spread: 0
            color: Qt.rgba(0, 0, 0, tile.centre ? 0.7 : 0.5)
        }
        Rectangle {
            anchors.fill: parent
            color: Qt.rgba(28 / 255, 28 / 255, 28 / 255, tile.centre ? 1 : 0)
        }

        Item {
            id: art
            anchors { fill: parent; margins: tile.pad; bottomMargin: tile.pad + tile.captionHeight }
            clip: true

            // The picture is made at the tile's size on the map and only scaled while the tile grows or
            // shrinks to it: a re-centre then asks for one picture per tile, not one per frame.
            Item {
                id: artFrame
                width: Math.max(0, tile.tileWidth - 2 * tile.pad)
                height: Math.max(0, tile.tileHeight - 2 * tile.pad - tile.captionHeight)
                transform: Scale {
                    xScale: artFrame.width > 0 ? art.width / artFrame.width : 1
                    yScale: artFrame.height > 0 ? art.height / artFrame.height : 1
                }
                Artwork {
                    anchors.fill: parent
                    visible: tile.kind !== "smartDJ"
                    url: tile.cover
                    kind: tile.kind === "artist" ? "artist" : "album"
                    picture: tile.picture !== "" ? ArtworkCache.artistSource(tile.picture, ArtworkCache.revision) : ""
                    alignment: tile.picture !== "" ? Qt.AlignTop : Qt.AlignCenter
                }
                Rectangle {
                    objectName: "smartDJArt"
                    anchors.fill: parent
                    visible: tile.kind === "smartDJ"
                    gradient: AccentDownGradient {}
                    Symbol {
                        objectName: "smartDJSymbol"
                        anchors.centerIn: parent
                        size: tile.controller.symbolSize(tile.tileHeight)
                        width: size
                        height: size
                        name: "dot.radiowaves.left.and.right"
                        color: "white"
                    }
                }
            }
            // Any tile under the pointer brightens a little.
            Rectangle {
                anchors.fill: parent
                color: "white"
                opacity: tile.hovered ? Motion.hoverBrightness : 0
                visible: opacity > 0
                Behavior on opacity {
                    NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
        }

        // The centre's caption: the artist (a link on a centre album) and the title or the count line.
        Row {
            id: caption
            objectName: "mixCaption"
            visible: tile.centre
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: tile.pad }
            leftPadding: 2
            rightPadding: 2
            topPadding: 2
            height: tile.captionHeight
            spacing: 8
            Text {
                id: first
                anchors.verticalCenter: parent.verticalCenter
                text: tile.firstName
                font: tile.Theme.row
                color: "white"
                elide: Text.ElideRight
                width: Math.min(implicitWidth, caption.width - 4)
                maximumLineCount: 1
                Accessible.ignored: true
                HoverHint.text: tile.showArtist ? "Mixview of " + tile.firstName : ""
                HoverHint.hovering: tile.showArtist && link.hovered
                Rectangle {
                    objectName: "artistUnderline"
                    visible: tile.showArtist && link.hovered
                    y: first.baselineOffset + 2
                    width: first.width
                    height: 1
                    color: "white"
                }
                HoverHandler {
                    id: link
                    enabled: tile.showArtist
                    cursorShape: Qt.PointingHandCursor
                }
                MouseArea {
                    anchors.fill: parent
                    enabled: tile.showArtist
                    onClicked: tile.controller.showArtist(tile.tileId)
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: tile.secondName
                font: tile.Theme.row
                color: tile.Theme.secondary
                elide: Text.ElideRight
                width: Math.max(0, Math.min(implicitWidth, caption.width - first.width - 12))
                maximumLineCount: 1
                Accessible.ignored: true
            }
        }

        // The whole tile takes clicks; the artist link and the round actions lie above it.
        MouseArea {
            anchors.fill: parent
            z: -1
            onClicked: tile.controller.open(tile.tileId)
        }
        RightClickMenu {
            page: MixTileMenu { controller: tile.controller; tileId: tile.tileId }
        }

        HoverActions {
            objectName: "mixActions"
            anchors { top: parent.top; right: parent.right; margins: 13 }
            visible: opacity > 0
            opacity: tile.centre && tile.hovered ? 1 : 0
            size: 26
            actions: [tile.action0, tile.action1, tile.action2]
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
    }

    HoverHandler { id: hover }
    HoverHint.text: tile.hoverHint
    HoverHint.hovering: tile.hovered && tile.hoverHint !== ""
    onHoveredChanged: controller.hover(tileId, hovered)

    // A ring tile's card under the pointer: outward, a little above the tile; it takes no clicks.
    Rectangle {
        id: card
        objectName: "mixCard"
        readonly property point at: tile.controller.cardAt(tile.leftward, tile.width, width)
        x: at.x
        y: at.y
        width: Math.min(MixTiming.cardMaxWidth, lines.implicitWidth + 20)
        height: lines.implicitHeight + 16
        visible: opacity > 0
        opacity: !tile.centre && tile.hovered ? 1 : 0
        color: Qt.rgba(28 / 255, 28 / 255, 28 / 255, 1)
        border.width: 1
        border.color: tile.Theme.track
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        RectangularGlow {
            z: -1
            anchors.fill: parent
            anchors.topMargin: 4
            anchors.bottomMargin: -4
            glowRadius: 10
            cornerRadius: glowRadius
            color: Qt.rgba(0, 0, 0, 0.5)
        }
        Column {
            id: lines
            x: 10
            y: 8
            width: card.width - 20
            spacing: 1
            Repeater {
                model: tile.cardLines
                Text {
                    required property string modelData
                    text: modelData
                    width: Math.min(implicitWidth, card.width - 20)
                    font.pixelSize: 12
                    font.weight: Font.DemiBold
                    color: "white"
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    Accessible.ignored: true
                }
            }
            Text {
                text: tile.relation
                topPadding: 2
                width: Math.min(implicitWidth, lines.width)
                font: tile.Theme.detail
                color: tile.Theme.secondary
                elide: Text.ElideRight
                maximumLineCount: 1
                Accessible.ignored: true
            }
        }
    }
}
