import QtQuick
import QtQuick.Controls as C
import Velto.Kit
import Velto.Shell

// An artwork tile: a cover or an artist's picture that fills the size its caller gives it, with an
// optional caption and, under the pointer or the keyboard cursor, a row of round actions in its top-right
// corner. It lifts above its neighbours while hovered: a caller that lays tiles out in separate columns
// raises the column too (bind its z to `lifted`). The ring lies outside the tile: parents must not clip.
Item {
    id: tile

    enum Label { Always, OnHover, Never }

    property var url
    property string kind: "album"
    property url picture
    property string title
    property string subtitle
    property int label: Tile.OnHover
    property list<HoverAction> actions
    property bool selected: false
    property bool ring: false
    property bool cursor: false
    property real lift: 1.04
    // Set when the tile has a double-click action (`doubleActivated`): its single clicks then wait out the
    // double-click interval.
    property bool hasDoubleAction: false
    // A click (`activated`, also the default action for assistive technology) and a double click.
    signal activated()
    signal doubleActivated()

    readonly property bool hovered: hover.hovered
    readonly property bool lifted: rules.lifted
    readonly property TileModel rules: TileModel {
        width: tile.width
        height: tile.height
        actionCount: tile.actions.length
        hovered: hover.hovered
        cursor: tile.cursor
        selected: tile.selected
        ring: tile.ring
        label: tile.label
        lift: tile.lift
        reduceMotion: Motion.reduceMotion
        title: tile.title
        subtitle: tile.subtitle
        accentText: Theme.accentText
    }
    // The action row and its hints are made the first time they are wanted: walls hold thousands of tiles.
    property bool actionsMade: false

    Accessible.role: Accessible.Button
    Accessible.name: rules.accessibleName
    Accessible.selectable: true
    Accessible.selected: selected
    Accessible.onPressAction: tile.activated()
    C.ToolTip.text: rules.tooltip
    C.ToolTip.visible: hover.hovered && rules.tooltip !== ""
    C.ToolTip.delay: 700

    HoverLift {
        lift: tile.lift
        hovered: tile.rules.lifted
        amount: tile.rules.brightness
        layerTarget: art
    }

    Item {
        id: art
        anchors.fill: parent
        clip: true

        Artwork {
            anchors.fill: parent
            url: tile.url
            kind: tile.kind
            picture: tile.picture
        }
        Rectangle {
            anchors.fill: parent
            color: "black"
            opacity: tile.rules.shade
            visible: opacity > 0
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Rectangle {
            objectName: "tileCaption"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: caption.implicitHeight + 12
            opacity: tile.rules.captionShown ? 1 : 0
            visible: opacity > 0
            gradient: Gradient {
                GradientStop { position: 0; color: "transparent" }
                GradientStop { position: 1; color: Qt.rgba(0, 0, 0, 0.7) }
            }
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            Column {
                id: caption
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.leftMargin: 8
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                spacing: 1
                Caps {
                    width: parent.width
                    size: 11
                    color: "white"
                    text: tile.title
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    Accessible.ignored: true
                }
                Caps {
                    width: parent.width
                    size: 9
                    color: "white"
                    opacity: 0.75
                    text: tile.subtitle
                    visible: text !== ""
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    Accessible.ignored: true
                }
            }
        }
    }

    Loader {
        id: actionRow
        objectName: "tileActions"
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.topMargin: tile.rules.actionInset
        anchors.rightMargin: tile.rules.actionInset
        active: tile.actionsMade || tile.rules.actionsShown
        opacity: tile.rules.actionsShown ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        sourceComponent: HoverActions {}
        Binding {
            target: actionRow.item
            property: "actions"
            value: tile.actions
            when: actionRow.item !== null
        }
        Binding {
            target: actionRow.item
            property: "limit"
            value: tile.rules.shownActions
            when: actionRow.item !== null
        }
        Binding {
            target: actionRow.item
            property: "size"
            value: tile.rules.actionSize
            when: actionRow.item !== null
        }
    }

    Rectangle {
        objectName: "tileRing"
        anchors.fill: parent
        anchors.margins: -4
        color: "transparent"
        border.width: tile.rules.ringWidth
        border.color: tile.rules.ringColor
        visible: tile.rules.ringWidth > 0
    }

    Connections {
        target: tile.rules
        function onChanged() {
            if (tile.rules.actionsShown) tile.actionsMade = true
        }
    }
    HoverHandler { id: hover }
    TapHandler {
        onTapped: taps.click()
    }
    // A view handing this tile other content drops a click still waiting to tell single from double.
    function cancelPendingClick() { taps.cancel() }
    Taps {
        id: taps
        hasDouble: tile.hasDoubleAction
        onSingle: tile.activated()
        onDoubled: tile.doubleActivated()
    }
}
