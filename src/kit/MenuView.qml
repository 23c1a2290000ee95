pragma ComponentBehavior: Bound
import QtQuick
import Velto.Kit
import Velto.Shell

// One level of an open menu in its panel: the sections with their dividers and headings, the rows with
// their highlight, checks and chevrons, in a scroll area for long pages. Where every entry lies is decided
// by the level; the view draws, scrolls and hands the pointer to it.
Item {
    id: panel
    required property MenuLevel level
    // Set by the layer when the level closes: the panel fades out and is then removed.
    property bool closing: false

    x: level.frame.x
    y: level.frame.y
    width: level.frame.width
    height: level.frame.height
    opacity: 0
    enabled: !closing
    Accessible.role: Accessible.PopupMenu
    Accessible.name: "menu"

    Component.onCompleted: appear.start()
    onClosingChanged: if (closing) {
        appear.stop();
        disappear.start();
    }

    ParallelAnimation {
        id: appear
        NumberAnimation { target: panel; property: "opacity"; to: 1; duration: 160; easing: Motion.enter }
        NumberAnimation { target: slide; property: "x"; to: 0; duration: 160; easing: Motion.enter }
        NumberAnimation { target: slide; property: "y"; to: 0; duration: 160; easing: Motion.enter }
    }
    NumberAnimation { id: disappear; target: panel; property: "opacity"; to: 0; duration: 80 }

    Item {
        id: menu
        width: 240
        height: list.height + 12
        transform: Translate { id: slide; x: panel.level.slideX; y: panel.level.slideY }
        onHeightChanged: panel.level.measured(height)
        clip: true

        Rectangle {
            anchors.fill: parent
            color: menu.Theme.panel
        }

        ListView {
            id: list
            objectName: "menuRows"
            y: 6
            width: 240
            height: panel.level.scrollHeight
            clip: true
            model: panel.level
            boundsBehavior: contentHeight > height ? Flickable.DragAndOvershootBounds : Flickable.StopAtBounds
            onContentYChanged: panel.level.scrollY = contentY - originY
            delegate: Entry {}
        }

        // The scroll indicator, shown while the page is taller than its area.
        Rectangle {
            visible: list.contentHeight > list.height
            x: menu.width - 5
            y: list.y + list.visibleArea.yPosition * list.height
            width: 3
            height: list.visibleArea.heightRatio * list.height
            radius: 1.5
            color: menu.Theme.faint
        }

        // The pointer goes to the level, which finds the row under it; wheel events pass on to the list.
        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onPositionChanged: mouse => panel.level.hover(Qt.point(mouse.x, mouse.y))
            onEntered: panel.level.hover(Qt.point(mouseX, mouseY))
            onExited: panel.level.leave()
            onClicked: mouse => panel.level.click(Qt.point(mouse.x, mouse.y))
        }

        Rectangle {
            anchors.fill: parent
            color: "transparent"
            border.color: menu.Theme.line
            border.width: 1
        }
    }

    Connections {
        target: panel.level
        function onReveal(entry: int) {
            list.positionViewAtIndex(entry, ListView.Contain);
        }
    }

    component Entry: Item {
        id: entry
        required property int index
        required property int kind
        required property string title
        required property int row
        required property real extent
        required property bool checked
        required property bool destructive
        required property bool hasPage
        required property bool rowEnabled
        required property string trailing
        readonly property bool isRow: kind === MenuLevel.Row
        readonly property bool highlighted: isRow && (panel.level.lit === row || panel.level.opened === row)

        width: 240
        height: extent
        Accessible.role: isRow ? Accessible.MenuItem : (kind === MenuLevel.Heading ? Accessible.StaticText
                                                                                     : Accessible.Separator)
        Accessible.name: title
        Accessible.checkable: checked
        Accessible.checked: checked
        Accessible.selected: checked
        Accessible.focused: highlighted
        Accessible.onPressAction: if (isRow) panel.level.choose(row)

        Rectangle {
            visible: entry.kind === MenuLevel.Divider
            y: 5
            width: parent.width
            height: 1
            color: entry.Theme.line
        }
        Caps {
            visible: entry.kind === MenuLevel.Heading
            x: 14
            y: 4
            width: parent.width - 28
            text: entry.title
            size: 10
            color: entry.Theme.secondary
            elide: Text.ElideRight
        }
        Rectangle {
            visible: entry.isRow
            anchors.fill: parent
            color: entry.Theme.primary
            opacity: entry.highlighted ? 0.08 : 0
        }
        Text {
            objectName: "row " + entry.title
            visible: entry.isRow
            anchors.verticalCenter: parent.verticalCenter
            x: 14
            // At least 8 px between the title and what trails it.
            width: parent.width - 28 - (tail.width > 0 ? tail.width + 8 : 0)
            text: entry.title
            font: entry.Theme.row
            elide: Text.ElideRight
            maximumLineCount: 1
            color: !entry.rowEnabled ? entry.Theme.faint
                                     : (entry.destructive ? entry.Theme.accentText : entry.Theme.primary)
        }
        Row {
            id: tail
            visible: entry.isRow
            anchors.right: parent.right
            anchors.rightMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8
            Text {
                visible: entry.trailing !== ""
                anchors.verticalCenter: parent.verticalCenter
                text: entry.trailing
                font: entry.Theme.meta
                color: entry.Theme.faint
            }
            Symbol {
                visible: entry.checked
                anchors.verticalCenter: parent.verticalCenter
                width: 11
                height: 11
                name: "checkmark"
                size: 11
                color: entry.Theme.accentText
            }
            Symbol {
                visible: entry.hasPage
                anchors.verticalCenter: parent.verticalCenter
                width: 9
                height: 9
                name: "chevron.right"
                size: 9
                color: entry.highlighted ? entry.Theme.primary : entry.Theme.faint
            }
        }
    }
}
