pragma ComponentBehavior: Bound
import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The top of the artist page, always dark: the user's picture of the artist or a slowly drifting strip of
// its newest covers, the name, the facts line and the buttons. It follows the page's scroll (HeroMotion):
// the picture moves at half speed and stretches while the page is pulled down, the hero darkens and the
// facts and buttons fade as it leaves. A picture file dropped on it becomes the artist's picture.
Item {
    id: hero
    objectName: "artistHero"
    property HeroMotion motion
    property ArtistPageModel model
    readonly property string name: model ? model.shownName : ""
    readonly property string picture: model && model.hasPicture
                                      ? ArtworkCache.artistSource(name, ArtworkCache.revision + pictureRevision) : ""
    property int pictureRevision: 0
    property bool dropping: false
    readonly property bool hovered: hover.hovered
    // The strip's slow zoom runs from the moment the hero shows, without reduce motion only.
    property bool drift: false
    Component.onCompleted: drift = !Motion.reduceMotion

    Theme.scheme: Theme.Dark
    clip: true
    Accessible.role: Accessible.Grouping
    Accessible.name: name

    Connections {
        target: Stores.pictures
        function onPictureFileChanged() { hero.pictureRevision++ }
    }

    // The picture or the strip, with the page's parallax and stretch.
    Item {
        id: imageLayer
        width: hero.width
        height: hero.height
        y: hero.motion ? hero.motion.parallax : 0
        transform: Scale {
            origin.x: imageLayer.width / 2
            origin.y: imageLayer.height
            xScale: hero.motion ? hero.motion.stretch : 1
            yScale: hero.motion ? hero.motion.stretch : 1
        }

        Artwork {
            anchors.fill: parent
            visible: hero.picture !== ""
            picture: hero.picture
            kind: "artist"
            alignment: Qt.AlignTop
        }
        ArtistCoverStrip {
            anchors.fill: parent
            visible: hero.picture === ""
            model: hero.model
            drift: hero.drift && visible
        }
    }

    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: Qt.rgba(0, 0, 0, 0.85) }
            GradientStop { position: 0.5; color: Qt.rgba(0, 0, 0, 0.4) }
            GradientStop { position: 1; color: "transparent" }
        }
    }
    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0.5; color: "transparent" }
            GradientStop { position: 1; color: Qt.rgba(0, 0, 0, 0.6) }
        }
    }
    Rectangle {
        objectName: "heroDarkening"
        anchors.fill: parent
        color: "black"
        opacity: hero.motion ? hero.motion.darkening : 0
    }

    Column {
        id: textBlock
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: 32
        anchors.rightMargin: 32
        anchors.bottomMargin: 26
        spacing: 6

        Text {
            objectName: "heroName"
            width: parent.width
            height: 86
            text: hero.name.toLowerCase()
            // The page's gliding name stands in its place unless motion is reduced.
            opacity: Motion.reduceMotion ? 1 : 0
            color: hero.Theme.primary
            font.pixelSize: 72
            font.weight: Font.Light
            font.family: hero.Theme.display.family
            fontSizeMode: Text.HorizontalFit
            minimumPixelSize: Math.round(72 * 0.45)
            verticalAlignment: Text.AlignVCenter
            maximumLineCount: 1
            elide: Text.ElideRight
            Accessible.role: Accessible.Heading
            Accessible.name: hero.name
        }
        Item {
            width: parent.width
            height: 16 + 6 + 44
            opacity: 1 - (hero.motion ? hero.motion.fade : 0)
            transform: Translate { y: hero.motion ? -hero.motion.textRise : 0 }
            Text {
                objectName: "heroFacts"
                width: parent.width
                height: 16
                text: hero.model ? hero.model.facts : ""
                font: hero.Theme.meta
                color: hero.Theme.soft
                elide: Text.ElideRight
                verticalAlignment: Text.AlignVCenter
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Row {
                x: -4
                y: 22
                height: 44
                spacing: 4
                CircleButton {
                    anchors.verticalCenter: parent.verticalCenter
                    size: 30
                    symbol: "play.fill"
                    filled: true
                    label: "Play All"
                    onClicked: hero.model.playAll()
                }
                CircleButton {
                    anchors.verticalCenter: parent.verticalCenter
                    size: 30
                    symbol: "shuffle"
                    label: "Shuffle"
                    onClicked: hero.model.shuffle()
                }
                Item { width: 8; height: 1 }
                CircleButton {
                    anchors.verticalCenter: parent.verticalCenter
                    size: 30
                    symbol: "dot.radiowaves.left.and.right"
                    label: "Smart DJ"
                    onClicked: hero.model.smartDJ()
                }
                CircleButton {
                    anchors.verticalCenter: parent.verticalCenter
                    size: 30
                    symbol: "circle.hexagongrid"
                    label: "Mixview"
                    onClicked: Stores.app.openMixview("artist", hero.name)
                }
                MoreButton {
                    anchors.verticalCenter: parent.verticalCenter
                    size: 30
                    page: ArtistMoreMenu { name: hero.name }
                }
            }
        }
    }

    CircleButton {
        objectName: "changePicture"
        visible: hero.picture !== ""
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 16 - (width - 30) / 2
        anchors.bottomMargin: 22 - (height - 30) / 2
        size: 30
        symbol: "photo"
        label: "Change Picture"
        opacity: hero.hovered ? 1 : 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        onClicked: PictureChooser.chooseArtistPicture(hero.name, this)
    }

    // What a drag of picture files over the hero looks like.
    Rectangle {
        anchors.fill: parent
        visible: opacity > 0
        opacity: hero.dropping ? 1 : 0
        color: Qt.rgba(0, 0, 0, 0.55)
        border.width: 2
        border.color: hero.Theme.accentFrom
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        Column {
            anchors.centerIn: parent
            spacing: 8
            Symbol {
                anchors.horizontalCenter: parent.horizontalCenter
                width: 28
                height: 28
                size: 28
                name: "photo"
                color: "white"
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "Drop to use as " + hero.name + "'s picture"
                font.pixelSize: 12
                color: "white"
            }
        }
    }

    HoverHandler {
        id: hover
    }
    DropArea {
        anchors.fill: parent
        keys: ["text/uri-list"]
        onEntered: (drag) => hero.dropping = drag.hasUrls
        onExited: hero.dropping = false
        onDropped: (drop) => {
            hero.dropping = false
            if (drop.hasUrls && hero.model.dropPicture(drop.urls)) drop.accept(Qt.CopyAction)
        }
    }
    RightClickMenu {
        page: ArtistHeroMenu { name: hero.name }
    }
}
