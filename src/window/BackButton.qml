import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// The round arrow that steps back through Mixview and the page history. Inactive, it is drawn faint and
// takes no clicks; only the circle takes clicks, and its hover fill shows only when it was active as the
// pointer came in.
Item {
    id: back
    property real size: 26
    readonly property AppModel app: Stores.app
    readonly property bool active: FrameRules.backActive(app.mixviewOpen, app.canGoBack)
    // The pointer came in while the button was active (and has not left).
    property bool hover: false
    readonly property alias button: button

    implicitWidth: size
    implicitHeight: size
    opacity: active ? 1 : 0.35
    // A button that stops acting loses its hover with it.
    onActiveChanged: if (!active) hover = false

    T.AbstractButton {
        id: button
        objectName: "backButton"
        anchors.fill: parent
        enabled: back.active
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.Button
        Accessible.name: "Back"
        onClicked: back.app.back()
        containmentMask: QtObject {
            function contains(point: point): bool {
                const r = button.width / 2;
                const dx = point.x - r, dy = point.y - button.height / 2;
                return dx * dx + dy * dy <= r * r;
            }
        }

        HoverHandler {
            id: hoverHandler
            onHoveredChanged: back.hover = hovered && back.active
        }

        contentItem: Item {
            Rectangle {
                objectName: "backFill"
                anchors.fill: parent
                radius: width / 2
                color: back.hover ? back.Theme.primary : "transparent"
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
            Symbol {
                anchors.centerIn: parent
                width: back.size * 0.45
                height: width
                size: width
                name: "arrow.left"
                color: back.hover ? back.Theme.inverse : back.Theme.primary
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
            CircleOutline {
                size: back.size
                ringColor: back.Theme.primary
            }
        }
        PressStyle { pressScale: 0.92 }
    }
}
