pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls as C
import Velto.Shell
import Velto.Kit
import Velto.Quickplay

// A Smart DJ artist's tile. At rest: the picture grey and washed in the tile's tint (the washed pixels come
// from C++), the name written large. Lit (the pointer or the keyboard cursor on it): the true picture, the
// name dimmed, two round buttons and a white ring just outside. A click anywhere but the "Show" button
// starts the artist's mix.
Item {
    id: tile
    required property string name
    required property string artwork
    property color tint: "#8CC63F"
    property real nameSize: 28
    property bool cursor: false
    property list<HoverAction> actions
    // The right-click menu: the artist's own.
    property MenuSource menu
    signal play()
    signal show()

    readonly property bool hovered: hover.hovered
    readonly property bool lit: hovered || cursor
    readonly property string washSource: SmartDJLook.washSource(name, artwork, tint, ArtworkCache.revision)

    z: lit ? 1 : 0
    Accessible.role: Accessible.Button
    Accessible.name: "Smart DJ mix from " + name
    Accessible.onPressAction: tile.play()
    C.ToolTip.text: "Smart DJ mix from " + name
    C.ToolTip.visible: hovered
    C.ToolTip.delay: 700

    Item {
        id: art
        anchors.fill: parent
        clip: true

        // Lit: the true picture.
        Artwork {
            objectName: "djLitPicture"
            anchors.fill: parent
            url: tile.artwork
            kind: "artist"
            picture: ArtworkCache.artistSource(tile.name, ArtworkCache.revision)
            alignment: Qt.AlignTop
        }
        // At rest: the washed picture, cross-fading when the tint changes; the tint alone while there is no
        // picture to wash.
        Rectangle {
            anchors.fill: parent
            color: tile.tint
            opacity: tile.lit ? 0 : (rest.status === Image.Ready ? 0 : 0.6)
            Behavior on color {
                ColorAnimation { duration: 600; easing.type: Easing.InOutQuad }
            }
        }
        Image {
            id: previous
            anchors.fill: parent
            fillMode: Image.PreserveAspectCrop
            sourceSize.width: tile.width
            sourceSize.height: tile.height
            opacity: 0
            visible: !tile.lit
            NumberAnimation {
                id: fadeOut
                target: previous
                property: "opacity"
                from: 1
                to: 0
                duration: 600
                easing.type: Easing.InOutQuad
            }
        }
        Image {
            id: rest
            objectName: "djWash"
            anchors.fill: parent
            fillMode: Image.PreserveAspectCrop
            sourceSize.width: tile.width
            sourceSize.height: tile.height
            source: tile.width > 0 ? tile.shownWash : ""
            opacity: tile.lit ? 0 : 1
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }

        Column {
            objectName: "djName"
            x: tile.nameSize * 0.36
            anchors.bottom: parent.bottom
            anchors.bottomMargin: tile.nameSize
            opacity: tile.lit ? 0.22 : 1
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            Text {
                // Never shrunk, wrapped or elided: what passes the edge is cut by the tile.
                text: tile.name.toLowerCase()
                font.pixelSize: tile.nameSize
                font.weight: Font.Light
                color: "white"
                wrapMode: Text.NoWrap
                elide: Text.ElideNone
                Accessible.ignored: true
            }
            Caps {
                text: "smart dj"
                size: 10
                color: "white"
                Accessible.ignored: true
            }
        }
    }
    // The wash shown now; on a new tint the old one stays over it and fades out.
    property string shownWash
    Component.onCompleted: shownWash = washSource
    onWashSourceChanged: {
        if (rest.status === Image.Ready) {
            previous.source = shownWash
            fadeOut.restart()
        }
        shownWash = washSource
    }

    HoverHandler { id: hover }
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton
        onClicked: tile.play()
    }

    Row {
        objectName: "djButtons"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: tile.nameSize * 0.36
        spacing: tile.nameSize * 0.34
        opacity: tile.lit ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        DJButton {
            objectName: "djPlay"
            label: "Play Smart DJ"
            size: tile.nameSize
            mark: DJMark.SmartDJ
            onClicked: tile.play()
        }
        DJButton {
            objectName: "djShow"
            label: "Show " + tile.name
            size: tile.nameSize
            mark: DJMark.Artist
            onClicked: tile.show()
        }
    }

    Rectangle {
        objectName: "djRing"
        anchors.fill: parent
        anchors.margins: -4
        color: "transparent"
        border.width: 4
        border.color: "white"
        opacity: tile.lit ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
    }

    RightClickMenu {
        objectName: "djMenu"
        page: tile.menu
    }
}
