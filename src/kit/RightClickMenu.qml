import QtQuick
import Velto.Kit

// A right-click menu for the item it lies in: a right click, or a left click with Ctrl, anywhere on the
// item opens `page` at the pointer, built at that moment. Every other press, hover, wheel and drag passes
// through to the item and its children.
//
//     Tile {
//         RightClickMenu { page: AlbumMenu { albumID: album.id; showInCollection: true } }
//     }
RightClickCatcher {
    id: catcher
    anchors.fill: parent

    TapHandler {
        id: right
        acceptedButtons: Qt.RightButton
        // Taking the press for itself: the right click goes no further.
        gesturePolicy: TapHandler.WithinBounds
        onPressedChanged: if (right.pressed) catcher.openAt(right.point.position)
    }
    TapHandler {
        id: controlLeft
        acceptedButtons: Qt.LeftButton
        acceptedModifiers: Qt.ControlModifier
        gesturePolicy: TapHandler.WithinBounds
        onPressedChanged: if (controlLeft.pressed) catcher.openAt(controlLeft.point.position)
    }
}
