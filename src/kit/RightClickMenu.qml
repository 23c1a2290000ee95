import QtQuick
import Velto.Kit

// A right-click menu for the item it lies in: a right click, or a left click with Ctrl, anywhere on the
// item opens `page` at the pointer, built at that moment. Every other press, hover, wheel and drag passes
// through to the item and its children. The Menu key and Shift+F10 open the page under the item while it
// has the focus; a view with hover actions and no page of its own gives `actions` for them instead.
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
        // Without a page the view has no right-click menu, and its clicks pass on.
        enabled: catcher.page !== null
        // Taking the press for itself: the right click goes no further.
        gesturePolicy: TapHandler.WithinBounds
        onPressedChanged: if (right.pressed) catcher.openAt(right.point.position)
    }
    TapHandler {
        id: controlLeft
        acceptedButtons: Qt.LeftButton
        acceptedModifiers: Qt.ControlModifier
        enabled: catcher.page !== null
        gesturePolicy: TapHandler.WithinBounds
        onPressedChanged: if (controlLeft.pressed) catcher.openAt(controlLeft.point.position)
    }
}
