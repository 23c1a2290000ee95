import QtQuick
import Velto.Shell

// Put inside a view the user may drag to the pocket player or a playlist: a press and a move past the
// drag distance start a platform drag of `pick`, with its card under the pointer. Clicks still reach the
// view beneath.
Item {
    id: pickDrag
    // A pick from `Picks` (or an object with "kind", "key", "name" and optionally "by").
    property var pick
    readonly property bool dragging: source.dragging
    readonly property alias source: source

    anchors.fill: parent

    PickDragSource {
        id: source
        pick: pickDrag.pick
    }
    DragHandler {
        target: null
        enabled: source.valid
        onActiveChanged: if (active) source.start(pickDrag)
    }
}
