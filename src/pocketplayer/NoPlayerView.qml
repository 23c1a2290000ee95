pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// "My Player" while no player is picked: says so, and shows both models; a click on one picks it to
// preview the player pages with.
Column {
    id: page
    spacing: 14
    topPadding: 40

    Text {
        objectName: "noPlayerTitle"
        text: "no player connected"
        font.family: Theme.display.family
        font.pixelSize: Theme.display.pixelSize
        font.weight: Theme.display.weight
        font.letterSpacing: Theme.display.letterSpacing
        color: page.Theme.primary
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    BalancedText {
        objectName: "noPlayerText"
        size: 13
        maxWidth: 560
        color: page.Theme.secondary
        text: "Plug your Ivra in with its USB cable and it shows up here. Syncing to it is coming in a later version of VELTO, so for now pick yours to preview these pages with it."
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Item {
        width: lineup.implicitWidth
        height: lineup.implicitHeight + 36

        RowLayout {
            id: lineup
            y: 36
            spacing: 64

            Repeater {
                model: Ivra.models()

                LineupItem {
                    id: tile
                    required property string modelData
                    required property int index
                    objectName: "lineup-" + modelData
                    Layout.alignment: Qt.AlignBottom
                    model: modelData
                    art: Stores.library ? Stores.library.latestArt : ""
                    onClicked: Ivra.pick(Stores.defaults, Stores.app, tile.modelData)

                    StaggerIn {
                        index: tile.index
                    }
                }
            }
        }
    }
}
