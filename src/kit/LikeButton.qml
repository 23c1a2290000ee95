pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Playback
import Velto.Shell

// The heart that likes or unlikes a song, bare (a small heart, as in the footer) or round (a heart in a
// circle). `song` is the song's path, empty for none. A like of the shown song fills the heart from its
// centre and pops it; an unlike drains it; another song shows its state at once.
T.AbstractButton {
    id: button
    property string song
    property real size: 36
    property bool bare: false
    // The height of the round look's clickable frame.
    property real frameHeight: 44
    property Player player: Stores.player
    readonly property LikeModel likes: LikeModel {
        player: button.player
        song: button.song
        reduceMotion: Motion.reduceMotion
    }
    readonly property likeLook look: likes.look(bare, likes.liked, hovered, size, frameHeight, Theme.primary,
                                                    Theme.secondary, Theme.inverse, Theme.accentFrom)

    implicitWidth: look.frameWidth
    implicitHeight: look.frameHeight
    enabled: likes.hasSong
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: likes.accessibleName
    HoverHint.text: bare ? "" : likes.hintText
    HoverHint.hovering: hovered && !bare
    HoverHint.edge: HoverHint.Top
    onClicked: likes.toggle()

    FrameAnimation {
        running: button.likes.animating && button.visible
        onTriggered: button.likes.refresh()
    }

    contentItem: Item {
        Rectangle {
            anchors.centerIn: parent
            width: button.size
            height: button.size
            radius: width / 2
            visible: !button.bare
            color: button.look.disc
            Behavior on color {
                ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            CircleOutline {
                size: button.size
                ringColor: button.look.ring
            }
        }
        Heart {
            objectName: "heart"
            anchors.centerIn: parent
            width: Math.ceil(button.look.glyph) + 2
            height: width
            glyph: button.look.glyph
            fill: button.likes.fill
            scale: button.likes.popScale
            outline: button.look.outline
            from: Theme.accentFrom
            to: Theme.accentTo
            Behavior on outline {
                ColorAnimation { duration: button.likes.colorMs; easing: Motion.hover }
            }
        }
    }
    PressStyle { pressScale: 0.92 }
}
