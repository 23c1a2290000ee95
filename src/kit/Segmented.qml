pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// A row of capsule segments from which one value is chosen. The caller owns the selection: a click emits
// `chosen`, even for the segment already chosen, and the caller sets `selection`.
Item {
    id: picker
    // [{ value, label }], in display order.
    property var options: []
    property var selection
    // The segment under the pointer, -1 for none.
    property int hovered: -1
    signal chosen(var value)

    // Entering a segment takes the hover; leaving clears it only while it is still that segment's, so a
    // move to a neighbour lights only the neighbour whichever event arrives first.
    function enter(index: int) {
        hovered = index;
    }
    function leave(index: int) {
        hovered = Controls.hoverAfterExit(hovered, index);
    }

    implicitWidth: row.implicitWidth + 4
    implicitHeight: row.implicitHeight + 4

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: "transparent"
        border.width: 1.5
        border.color: picker.Theme.border
    }
    Row {
        id: row
        x: 2
        y: 2
        Repeater {
            model: picker.options
            delegate: T.AbstractButton {
                id: segment
                required property var modelData
                required property int index
                readonly property bool selected: Controls.isSelected(modelData.value, picker.selection)
                readonly property bool lit: picker.hovered === index && !selected

                objectName: "segment" + index
                implicitWidth: contentItem.implicitWidth + 2 * 14
                implicitHeight: 28
                hoverEnabled: true
                focusPolicy: Qt.NoFocus
                containmentMask: CapsuleMask { width: segment.width; height: segment.height }
                Accessible.role: Accessible.Button
                Accessible.name: modelData.label
                Accessible.selected: selected
                onHoveredChanged: hovered ? picker.enter(index) : picker.leave(index)
                onClicked: picker.chosen(modelData.value)

                background: Rectangle {
                    radius: height / 2
                    color: segment.selected ? segment.Theme.primary
                                            : Qt.rgba(segment.Theme.primary.r, segment.Theme.primary.g,
                                                      segment.Theme.primary.b, segment.lit ? 0.1 : 0)
                    Behavior on color {
                        ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                    }
                }
                contentItem: Text {
                    text: segment.modelData.label
                    font: segment.Theme.meta
                    color: segment.selected ? segment.Theme.inverse : segment.Theme.soft
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
            }
        }
    }
}
