import QtQuick
import Velto.PocketPlayer

// The pocket player as the player pages show it: at its true proportions (`pointsPerMm` points per
// millimetre of the real player, with a small margin), in its finish, its screen showing the player's menu
// over the cover of `art` or a glow in the accent colours. One element for a screen reader:
// "ivra hd, platinum".
IvraFlatPicture {
    id: device
    Accessible.role: Accessible.Graphic
    Accessible.name: device.accessibleName
}
