import QtQuick
import QtQuick.Templates as T
import Qt5Compat.GraphicalEffects
import Velto.Kit
import Velto.PocketPlayer
import Velto.Shell

// The footer's pocket player: opens the My Player pages, and takes picks dragged from the pages (only
// picks: files dragged from outside fall through to the window's drop panel). While a drag of picks is
// over it, it grows and glows in the accent.
Item {
    id: pocket
    required property FooterModel model
    readonly property AppModel app: Stores.app
    readonly property bool sample: app.samplePlayer
    property bool dropping: false
    readonly property alias button: button

    implicitWidth: 44
    implicitHeight: 50
    scale: dropping && !Motion.reduceMotion ? 1.15 : 1
    Behavior on scale {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }

    // The glow: a soft accent disc, 1.4 times the button's circle, behind it.
    RadialGradient {
        objectName: "dropGlow"
        anchors.centerIn: parent
        width: pocket.width * 1.4 + 20
        height: width
        opacity: pocket.dropping ? 0.35 : 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        gradient: Gradient {
            GradientStop { position: 0; color: pocket.Theme.accentFrom }
            GradientStop { position: 0.3; color: pocket.Theme.accentTo }
            GradientStop { position: 0.5; color: "transparent" }
        }
    }

    T.AbstractButton {
        id: button
        objectName: "pocketPlayerButton"
        anchors.fill: parent
        hoverEnabled: true
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.Button
        Accessible.name: FrameRules.playerLabel(pocket.sample)
        HoverHint.text: FrameRules.playerHint()
        HoverHint.hovering: hovered
        onClicked: pocket.app.go(Nav.Page.playerSummary)

        contentItem: Item {
            Column {
                anchors.centerIn: parent
                spacing: 3
                IvraGlyph {
                    objectName: "playerGlyph"
                    anchors.horizontalCenter: parent.horizontalCenter
                    model: pocket.model.playerGlyph
                    color: pocket.sample ? pocket.Theme.primary : pocket.Theme.soft
                }
                Text {
                    objectName: "battery"
                    anchors.horizontalCenter: parent.horizontalCenter
                    visible: pocket.sample
                    text: FrameRules.batteryText()
                    font: pocket.Theme.detail
                    color: pocket.Theme.primary
                }
            }
        }
        HoverLift { lift: 1.08 }
    }

    DropArea {
        objectName: "pickDrop"
        anchors.fill: parent
        keys: [Picks.mimeType()]
        onEntered: pocket.dropping = true
        onExited: pocket.dropping = false
        onDropped: drop => {
            pocket.dropping = false;
            if (pocket.model.dropPicks([drop.getDataAsArrayBuffer(Picks.mimeType())]))
                drop.accept(Qt.CopyAction);
        }
    }
}
