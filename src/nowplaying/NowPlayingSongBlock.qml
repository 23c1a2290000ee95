import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell
import Velto.NowPlaying

// The song block at the lower left of Now Playing: the cover card, which turns over when the album
// changes, and beside it the artist, the album, the title and the like button, each replaced on its own
// when what it shows changes.
Row {
    id: block
    property NowPlayingController controller
    readonly property SongBlock model: model
    readonly property real side: 150

    spacing: 22.5

    SongBlock {
        id: model
        source: block.controller
        reduceMotion: Motion.reduceMotion
    }

    T.AbstractButton {
        id: coverButton
        objectName: "cover"
        width: block.side
        height: block.side
        hoverEnabled: true
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.Button
        Accessible.name: model.coverName
        HoverHint.text: model.coverHelp
        HoverHint.hovering: hovered
        onClicked: block.controller.showAlbum()

        contentItem: Item {}
        background: null

        Item {
            id: card
            anchors.fill: parent
            objectName: "coverCard"
            // The card comes in once: it fades in and grows toward the top trailing side.
            property bool arrived: false
            opacity: arrived ? 1 : 0
            transform: [
                Scale {
                    origin.x: 0
                    origin.y: card.height
                    xScale: card.arrived || Motion.reduceMotion ? 1 : 0.94
                    yScale: xScale
                    Behavior on xScale {
                        NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
                    }
                },
                Rotation {
                    objectName: "coverTurn"
                    origin.x: card.width / 2
                    origin.y: card.height / 2
                    axis { x: 0; y: 1; z: 0 }
                    angle: model.angle
                    Behavior on angle {
                        enabled: model.angleMs > 0
                        NumberAnimation { duration: model.angleMs; easing: model.angleEasing }
                    }
                }
            ]
            Behavior on opacity {
                NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
            }
            Timer {
                interval: 120
                running: true
                onTriggered: card.arrived = true
            }
            Rectangle {
                anchors.fill: parent
                color: "white"
            }
            Artwork {
                objectName: "coverArt"
                anchors.fill: parent
                anchors.margins: 5
                kind: "album"
                url: String(model.shownCover) !== "" ? model.shownCover : undefined
            }
        }
    }

    Item {
        id: texts
        width: Math.max(0, block.width - block.side - block.spacing)
        height: block.side
        layer.enabled: true
        layer.effect: SoftShadow {
            color: Qt.rgba(0, 0, 0, 0.45)
            radius: 8
            dx: 0
            dy: 1
        }

        Column {
            width: parent.width
            SwapLine {
                objectName: "artistLine"
                width: parent.width
                key: model.artistKey
                song: model.song
                beat: 4
                content: Component {
                    Item {
                        property var song
                        implicitHeight: artistLink.implicitHeight + 12
                        implicitWidth: artistLink.implicitWidth
                        ArtistLink {
                            id: artistLink
                            y: 12
                            width: Math.min(implicitWidth, parent.width)
                            name: parent.song ? parent.song.artist : ""
                            artist: parent.song ? parent.song.albumArtist : ""
                            font { family: "Inter"; pixelSize: 28; weight: Font.Bold; capitalization: Font.AllUppercase }
                            restColor: "white"
                        }
                    }
                }
            }
            SwapLine {
                objectName: "albumLine"
                width: parent.width
                key: model.albumKey
                song: model.song
                beat: 5
                content: Component {
                    Text {
                        property var song
                        text: song ? song.album : ""
                        font { family: "Inter"; pixelSize: 23; weight: Font.Light; capitalization: Font.AllUppercase }
                        color: "white"
                        maximumLineCount: 1
                        elide: Text.ElideRight
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                    }
                }
            }
            SwapLine {
                objectName: "titleLine"
                width: parent.width
                key: model.songKey
                song: model.song
                beat: 6
                content: Component {
                    Item {
                        property var song
                        implicitHeight: title.implicitHeight + 10
                        implicitWidth: title.implicitWidth
                        Text {
                            id: title
                            y: 10
                            width: parent.width
                            text: parent.song ? parent.song.title : ""
                            font { family: "Inter"; pixelSize: 24; weight: Font.Medium }
                            color: Theme.primary
                            maximumLineCount: 1
                            elide: Text.ElideRight
                            Accessible.role: Accessible.StaticText
                            Accessible.name: text
                        }
                    }
                }
            }
        }
        SwapLine {
            objectName: "likeLine"
            x: -2
            anchors.bottom: parent.bottom
            width: 60
            height: 32
            key: model.songKey
            song: model.song
            beat: 7
            content: Component {
                Item {
                    property var song
                    implicitWidth: like.implicitWidth
                    implicitHeight: like.implicitHeight
                    LikeButton {
                        id: like
                        song: parent.song ? parent.song.path : ""
                        size: 32
                        frameHeight: 32
                        bare: false
                    }
                }
            }
        }
    }
}
