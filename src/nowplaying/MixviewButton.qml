import QtQuick
import Velto.Kit
import Velto.Shell

// The round button that opens Mixview centred on an artist (`kind` "artist", the name) or an album
// ("album", its identity).
CircleButton {
    property string kind: "artist"
    property string value

    symbol: "circle.hexagongrid"
    filled: false
    label: "Mixview"
    onClicked: Stores.app.openMixview(kind, value)
}
