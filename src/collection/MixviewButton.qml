import QtQuick
import Velto.Kit
import Velto.Shell

// The round button that opens Mixview centred on an artist (`kind` "artist", `value` its name) or an album
// (`kind` "album", `value` its identity).
CircleButton {
    id: button
    property string kind: "album"
    property string value
    symbol: "circle.hexagongrid"
    label: "Mixview"
    onClicked: if (Stores.app) Stores.app.openMixview(button.kind, button.value)
}
