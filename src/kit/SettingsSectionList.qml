pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// The column of sections of a settings page. A click selects a section; Up and Down move the selection,
// held keys repeating, clamped at both ends. The page owns the selection and follows `chosen`.
FocusScope {
    id: list
    property var sections: []
    property var selection
    // Section → label, section → one-line hint.
    property var label: section => String(section)
    property var hint: section => ""
    signal chosen(var section)

    function labelOf(section) {
        return list.label.call(null, section);
    }
    function hintOf(section) {
        return list.hint.call(null, section);
    }

    implicitWidth: column.implicitWidth
    implicitHeight: column.implicitHeight
    activeFocusOnTab: true
    Accessible.role: Accessible.List

    // The list takes the keyboard each time it is shown.
    Component.onCompleted: if (visible) forceActiveFocus()
    onVisibleChanged: if (visible) forceActiveFocus()

    Keys.onPressed: event => {
        const step = Controls.sectionStep(sections, selection, event.key, event.modifiers);
        if (!step.handled) {
            event.accepted = false;
            return;
        }
        event.accepted = true;
        list.chosen(sections[step.index]);
    }

    Column {
        id: column
        width: list.width
        spacing: 2
        Repeater {
            model: list.sections
            delegate: T.AbstractButton {
                id: entry
                required property var modelData
                readonly property bool selected: Controls.isSelected(modelData, list.selection)

                width: column.width
                implicitWidth: content.implicitWidth
                implicitHeight: content.implicitHeight + 16
                focusPolicy: Qt.NoFocus
                Accessible.role: Accessible.ListItem
                Accessible.name: list.labelOf(modelData)
                Accessible.selected: selected
                onClicked: list.chosen(modelData)

                HoverRow {}
                Row {
                    id: content
                    y: 8
                    spacing: 13
                    Rectangle {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 3
                        height: 30
                        opacity: entry.selected ? 1 : 0
                        gradient: AccentDownGradient {}
                    }
                    Column {
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 2
                        Caps {
                            text: list.labelOf(entry.modelData)
                            size: 13
                            color: entry.selected ? entry.Theme.primary : entry.Theme.muted
                        }
                        Text {
                            text: list.hintOf(entry.modelData)
                            font: entry.Theme.detail
                            color: entry.Theme.muted
                        }
                    }
                }
            }
        }
    }
}
