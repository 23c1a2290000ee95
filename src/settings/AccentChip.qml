import QtQuick
import QtQuick.Shapes
import QtQuick.Templates as T
import Velto.Shell
import Velto.Settings

// One accent choice: its colours, its name, and a bar under the chosen one.
T.AbstractButton {
    id: chip
    required property string choice
    property bool selected: false
    // The chosen pocket player's top colour, for the player chip.
    property color playerTop

    readonly property var preset: AccentStore.preset(choice)
    readonly property var playerAccent: ThemeSettings.playerSwatch(playerTop)
    readonly property color fromColor: choice === "player" ? playerAccent.from : (preset ? preset.from : "transparent")
    readonly property color toColor: choice === "player" ? playerAccent.to : (preset ? preset.to : "transparent")
    readonly property var stops: ThemeSettings.coverStops()

    implicitWidth: Math.max(64, caption.implicitWidth)
    implicitHeight: column.implicitHeight
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: AccentStore.choiceName(choice)
    Accessible.selected: selected

    Column {
        id: column
        spacing: 8
        Item {
            id: swatch
            objectName: "swatch"
            width: 64
            height: 40
            opacity: chip.selected || chip.hovered ? 1 : 0.6
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
            Rectangle {
                anchors.fill: parent
                visible: chip.choice !== "cover"
                gradient: Gradient {
                    orientation: Gradient.Horizontal
                    GradientStop { position: 0; color: chip.fromColor }
                    GradientStop { position: 1; color: chip.toColor }
                }
            }
            Shape {
                anchors.fill: parent
                visible: chip.choice === "cover"
                ShapePath {
                    strokeWidth: 0
                    strokeColor: "transparent"
                    fillGradient: ConicalGradient {
                        centerX: swatch.width / 2
                        centerY: swatch.height / 2
                        angle: 0
                        GradientStop { position: chip.stops[0].position; color: chip.stops[0].color }
                        GradientStop { position: chip.stops[1].position; color: chip.stops[1].color }
                        GradientStop { position: chip.stops[2].position; color: chip.stops[2].color }
                        GradientStop { position: chip.stops[3].position; color: chip.stops[3].color }
                        GradientStop { position: chip.stops[4].position; color: chip.stops[4].color }
                        GradientStop { position: chip.stops[5].position; color: chip.stops[5].color }
                        GradientStop { position: chip.stops[6].position; color: chip.stops[6].color }
                    }
                    startX: 0
                    startY: 0
                    PathLine { x: swatch.width; y: 0 }
                    PathLine { x: swatch.width; y: swatch.height }
                    PathLine { x: 0; y: swatch.height }
                    PathLine { x: 0; y: 0 }
                }
            }
        }
        Caps {
            id: caption
            text: AccentStore.choiceName(chip.choice)
            size: 9
            color: chip.selected ? chip.Theme.primary : (chip.hovered ? chip.Theme.soft : chip.Theme.muted)
            Accessible.ignored: true
        }
        Rectangle {
            objectName: "underline"
            width: 64
            height: 3
            color: chip.selected ? chip.Theme.primary : "transparent"
        }
    }
}
