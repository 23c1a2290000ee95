import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Library
import Velto.NowPlaying
import Velto.Playback
import Velto.Shell

// The small floating player: the playing song's cover with the way back to the main window, its title and
// artist, the seek bar and the transport buttons, always dark. It reads only the library, the player and
// the window opener. Moving and closing belong to the window it sits in, which answers the two signals.
Rectangle {
    id: view
    objectName: "miniPlayer"
    property Player player: Stores.player
    property LibraryStore library: Stores.library
    property WindowOpener windows: Stores.windows
    readonly property alias model: model

    // A press and drag on the cover (not on one of its buttons): the window should follow the pointer.
    signal moveRequested
    // The close button: the window should go away until it is opened again.
    signal closeRequested

    Theme.scheme: Theme.Dark
    width: model.viewWidth
    implicitWidth: model.viewWidth
    implicitHeight: column.implicitHeight
    height: implicitHeight
    color: model.background
    focus: true
    Keys.onPressed: event => event.accepted = model.key(event.key, event.modifiers)
    Accessible.role: Accessible.Pane
    Accessible.name: "Mini Player"

    MiniPlayerModel {
        id: model
        player: view.player
        library: view.library
        windows: view.windows
    }

    FloatingWindow {}

    // A round button over the cover: a symbol in a shaded circle.
    component RoundButton: T.AbstractButton {
        id: round
        property string symbol
        property real size
        property real symbolSize
        property real shade
        width: size
        height: size
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.Button
        contentItem: Item {}
        background: Rectangle {
            radius: width / 2
            color: Qt.rgba(0, 0, 0, round.shade)
            opacity: round.pressed ? Motion.pressOpacity : 1
            Symbol {
                anchors.centerIn: parent
                width: round.symbolSize
                height: round.symbolSize
                size: round.symbolSize
                name: round.symbol
                color: "white"
            }
        }
    }

    Column {
        id: column
        width: model.viewWidth

        Item {
            id: coverArea
            objectName: "miniCover"
            width: model.viewWidth
            height: model.coverHeight

            Artwork {
                anchors.centerIn: parent
                width: model.viewWidth
                height: model.coverHeight
                url: model.cover
                kind: model.placeholderKind
                Accessible.role: Accessible.Graphic
                Accessible.name: model.present ? "Cover" : "No song"
            }
            // The window has no title bar: the cover is where it is held to move it. A button keeps the press
            // it took, so a drag that starts on one never moves the window.
            DragHandler {
                id: mover
                target: null
                grabPermissions: PointerHandler.TakeOverForbidden
                onActiveChanged: if (active) view.moveRequested()
            }
            RoundButton {
                objectName: "miniClose"
                anchors { left: parent.left; top: parent.top; margins: model.buttonInset }
                symbol: "xmark"
                size: model.closeButtonSize
                symbolSize: model.closeSymbolSize
                shade: model.buttonShade
                Accessible.name: "Close"
                onClicked: view.closeRequested()
            }
            RoundButton {
                objectName: "miniFullWindow"
                anchors { right: parent.right; top: parent.top; margins: model.buttonInset }
                symbol: "arrow.up.left.and.arrow.down.right"
                size: model.fullButtonSize
                symbolSize: model.fullSymbolSize
                shade: model.buttonShade
                Accessible.name: "Back to the full window"
                onClicked: model.openFullWindow()
            }
        }

        Column {
            id: panel
            objectName: "miniPanel"
            width: model.viewWidth
            leftPadding: model.panelSides
            rightPadding: model.panelSides
            topPadding: model.panelEnds
            bottomPadding: model.panelEnds
            spacing: model.panelSpacing
            readonly property real lineWidth: width - leftPadding - rightPadding

            Text {
                objectName: "miniTitle"
                width: panel.lineWidth
                text: model.title
                font: view.Theme.tileName
                color: view.Theme.primary
                elide: Text.ElideRight
                maximumLineCount: 1
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Text {
                objectName: "miniArtist"
                width: panel.lineWidth
                text: model.artist
                font: view.Theme.row
                color: view.Theme.secondary
                elide: Text.ElideRight
                maximumLineCount: 1
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Item {
                width: panel.lineWidth
                height: model.seekGap + seekBar.implicitHeight
                SeekBar {
                    id: seekBar
                    objectName: "miniSeekBar"
                    y: model.seekGap
                    width: parent.width
                    player: view.player
                    song: PlayingSong { player: view.player; library: view.library }
                    barHeight: model.seekHeight
                    gradient: true
                    times: SeekBarModel.Total
                    timeColor: view.Theme.secondary
                    readsAbove: false
                }
            }
            Item {
                width: panel.lineWidth
                height: transport.implicitHeight
                TransportControls {
                    id: transport
                    objectName: "miniTransport"
                    anchors.horizontalCenter: parent.horizontalCenter
                    player: view.player
                    sizeScale: model.transportScale
                }
            }
        }
    }
}
