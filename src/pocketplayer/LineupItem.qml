import QtQuick
import QtQuick.Templates as T
import Velto.Shell
import Velto.PocketPlayer

// One model on the no-player page: its picture in its showcase colour, its line name and year. Under the
// pointer the picture lifts and the texts light up; a click picks the model.
T.AbstractButton {
    id: tile
    required property string model
    property url art
    // How far the picture is lifted, following the pointer.
    property real lift: tile.hovered ? 6 : 0

    hoverEnabled: true
    implicitWidth: contentItem.implicitWidth
    implicitHeight: contentItem.implicitHeight
    Accessible.role: Accessible.Button
    Accessible.name: Ivra.lineupAccessibleName(tile.model)

    Behavior on lift {
        NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }

    contentItem: Column {
        spacing: 18

        IvraDevice {
            objectName: "lineupPicture"
            model: tile.model
            finish: Ivra.signature(tile.model)
            art: tile.art
            pointsPerMm: 3.6
            transform: Translate { y: -tile.lift }
        }
        Column {
            spacing: 3
            Text {
                objectName: "lineupName"
                text: Ivra.lineName(tile.model)
                font.family: "Inter"
                font.pixelSize: 20
                font.weight: Font.Light
                color: tile.hovered ? tile.Theme.primary : tile.Theme.soft
                Accessible.ignored: true
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
            Caps {
                objectName: "lineupYear"
                text: Ivra.year(tile.model)
                size: 11
                color: tile.hovered ? tile.Theme.accentText : tile.Theme.muted
                Accessible.ignored: true
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
        }
    }
}
