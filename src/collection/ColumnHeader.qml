import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Collection

// The caption line above a collection column: how many things it holds and, when it can be re-sorted,
// the current sort as a small button that steps to the next one.
Row {
    id: header
    property int count: 0
    property string noun: ""
    // The label of the current sort; empty for a column without one.
    property string sort: ""
    // Whether the sort label is a button (it emits `sortClicked`).
    property bool sortable: false
    signal sortClicked

    height: 16
    spacing: 6

    Caps {
        objectName: "columnCount"
        anchors.verticalCenter: parent.verticalCenter
        text: ColumnText.count(header.count, header.noun)
        size: 11
        color: header.Theme.primary
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    // A fixed sort, not a button.
    Caps {
        visible: header.sort !== "" && !header.sortable
        anchors.verticalCenter: parent.verticalCenter
        text: header.sort
        size: 11
        color: header.Theme.muted
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Item {
        id: sortButton
        objectName: "sortButton"
        visible: header.sort !== "" && header.sortable
        anchors.verticalCenter: parent.verticalCenter
        width: sortRow.width
        height: sortRow.height
        readonly property color ink: hover.hovered ? header.Theme.primary : header.Theme.muted
        readonly property color chevronInk: hover.hovered ? header.Theme.primary : header.Theme.faint

        Accessible.role: Accessible.Button
        Accessible.name: ColumnText.sortButtonName(header.sort)
        Accessible.onPressAction: header.sortClicked()

        Row {
            id: sortRow
            spacing: 3
            Caps {
                anchors.verticalCenter: parent.verticalCenter
                text: header.sort
                size: 11
                color: sortButton.ink
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
            Symbol {
                anchors.verticalCenter: parent.verticalCenter
                name: "chevron.down"
                size: 8
                color: sortButton.chevronInk
                Behavior on color {
                    ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
                }
            }
        }
        HoverHandler {
            id: hover
        }
        TapHandler {
            onTapped: header.sortClicked()
        }
        // The desktop's hover help.
        ToolTip.visible: hover.hovered
        ToolTip.delay: 700
        ToolTip.text: "Sort another way"
    }
}
