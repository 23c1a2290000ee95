import QtQuick
import Velto.PocketPlayer

// The pocket player as the player pages show it: at its true proportions (`pointsPerMm` points per
// millimetre of the real player, with a small margin), in its finish, its screen showing the player's menu
// over the cover of `art` or a glow in the accent colours. Lit in 3-D wherever Qt Quick renders through the
// GPU; the software scene graph cannot draw 3-D, and there the flat picture stands in. One element for a
// screen reader: "ivra hd, platinum".
Item {
    id: device
    property alias model: flat.model
    property alias finish: flat.finish
    property alias art: flat.art
    property alias pointsPerMm: flat.pointsPerMm
    readonly property alias accessibleName: flat.accessibleName
    readonly property alias screenShown: flat.screenShown
    readonly property bool threeD: GraphicsInfo.api !== GraphicsInfo.Software
        && GraphicsInfo.api !== GraphicsInfo.Unknown

    implicitWidth: flat.implicitWidth
    implicitHeight: flat.implicitHeight
    Accessible.role: Accessible.Graphic
    Accessible.name: device.accessibleName

    // Renders the player's screen in either case; drawn only where 3-D is not.
    IvraFlatPicture {
        id: flat
        anchors.fill: parent
        visible: !device.threeD
        Accessible.ignored: true
    }
    // The host keeps the scene until no frame can still be drawing it (see IvraSceneHost).
    IvraSceneHost {
        objectName: "deviceScene"
        anchors.fill: parent
        active: device.threeD
        model: flat.model
        finish: flat.finish
        picture: flat
        scene: Component {
            IvraScene {}
        }
    }
}
