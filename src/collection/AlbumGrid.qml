pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Collection

// Albums as cover tiles under their groups' headings, in as many columns as the width allows. The rows
// (headings and rows of cells) come from the grid model, which also decides what the keys do; the owner
// keeps the selection (the model's `selection`, new ones through `selectionPicked`) and which column has
// the keyboard (`active`). Without `fixedWidth` the grid fills its place and scrolls; with one it is laid
// out for that width and grows to its full height (a page scrolls it).
FocusScope {
    id: grid
    property AlbumGridModel model
    property real minWidth: 150
    property real spacing: 24
    property bool showArtistLink: true
    property bool quietSelection: false
    property real fixedWidth: 0
    // The owner's width is final: until then no column count reaches the model and no cell is made, so the
    // rows are not cut and filled once for a passing width and again for the real one.
    property bool laidOut: true
    // At a fixed width, the rows after this many are made a little after the first frame (they lie below
    // the fold of the page holding the grid); 0 makes every row at once.
    property int eagerRows: 0
    // The grid holds its section's keyboard focus.
    property bool active: false
    readonly property bool scrolling: fixedWidth <= 0
    readonly property int columns: AlbumGridRules.columnsFor(scrolling ? width : fixedWidth, minWidth, spacing)
    readonly property real contentWidth: scrolling ? width : fixedWidth
    readonly property real cellWidth: Math.max(10, (contentWidth - (columns - 1) * spacing) / columns)
    readonly property alias view: listView
    // The grid wants the keyboard: the owner sets its focus value to the grid's.
    signal focusRequested

    implicitHeight: scrolling ? 0 : fixed.implicitHeight

    function takeFocus() {
        if (scrolling) listView.forceActiveFocus()
        else fixed.forceActiveFocus()
        if (model) model.focusTaken()
    }
    function handleKey(event: KeyEvent) {
        event.accepted = grid.model !== null
            && grid.model.key(event.key, event.modifiers, event.text, event.isAutoRepeat)
    }
    // Brings the selected album's row into view, moving the least that shows it.
    function reveal() {
        if (!scrolling || !model) return
        const row = model.selectedRow
        if (row < 0) return
        const from = listView.contentY
        listView.positionViewAtIndex(row, ListView.Contain)
        const to = listView.contentY
        if (Math.abs(to - from) < 0.5) return
        listView.contentY = from
        scroller.to = to
        scroller.restart()
    }
    onActiveChanged: if (active) takeFocus()
    readonly property bool sized: laidOut && contentWidth > 0
    function pushColumns() {
        if (model && sized) model.columns = columns
    }
    onColumnsChanged: {
        pushColumns()
        // Once the rows are laid out again.
        revealLater.restart()
    }
    onSizedChanged: pushColumns()
    Timer {
        id: revealLater
        interval: 0
        onTriggered: grid.reveal()
    }
    onModelChanged: pushColumns()
    // A cell's height beyond its square cover (title and second line), taken from the first cell made: a
    // row made later stands in at that height meanwhile.
    property real cellExtra: 40
    Connections {
        target: grid.model
        function onSelectionChanged() { grid.reveal() }
    }

    component GridRow: Item {
        id: gridRow
        required property int index
        required property bool heading
        required property string title
        required property bool topSpace
        required property var cells
        width: grid.contentWidth
        height: heading ? headingText.y + headingText.implicitHeight
                        : cellLoader.item ? (cellLoader.item as AlbumGridCells).implicitHeight
                                          : grid.cellWidth + grid.cellExtra
        property bool lifted: false
        // A hovered cell lifts above the rows around it.
        z: lifted ? 1 : 0

        Text {
            id: headingText
            visible: gridRow.heading
            y: gridRow.topSpace ? 12 : 0
            width: gridRow.width
            text: gridRow.title
            font: grid.Theme.heading
            color: grid.Theme.soft
            elide: Text.ElideRight
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        // A row that was handed a heading keeps its cells, hidden, for the next album row it is given.
        property bool keepsCells: false
        onHeadingChanged: if (heading && cellLoader.item) keepsCells = true
        // Rows below the fold of a fixed grid are made after the first frame, standing in at their final
        // height meanwhile.
        Loader {
            id: cellLoader
            active: !gridRow.heading || gridRow.keepsCells
            visible: !gridRow.heading
            asynchronous: !grid.scrolling && grid.eagerRows > 0 && gridRow.index >= grid.eagerRows
            Component.onCompleted: setSource("AlbumGridCells.qml", { grid: grid, cells: gridRow.cells })
            Binding {
                target: cellLoader.item
                property: "cells"
                value: gridRow.cells
                when: cellLoader.item !== null
            }
            Binding {
                target: gridRow
                property: "lifted"
                value: cellLoader.item ? (cellLoader.item as AlbumGridCells).lifted : false
                when: cellLoader.item !== null
            }
        }
    }

    ListView {
        id: listView
        objectName: "albumGridView"
        visible: grid.scrolling
        x: -6
        y: -6
        width: grid.width + 12
        height: grid.height + 12
        leftMargin: 6
        rightMargin: 6
        topMargin: 6
        bottomMargin: 6
        clip: true
        focus: grid.scrolling
        spacing: grid.spacing
        model: grid.scrolling ? grid.model : null
        boundsBehavior: Flickable.StopAtBounds
        reuseItems: true
        cacheBuffer: 400
        ScrollBar.vertical: ScrollBar {}
        Accessible.role: Accessible.List
        Accessible.name: "Albums"
        onActiveFocusChanged: if (activeFocus) grid.focusRequested()
        Keys.onPressed: (event) => grid.handleKey(event)
        delegate: GridRow {}
        NumberAnimation {
            id: scroller
            target: listView
            property: "contentY"
            duration: Motion.reduceMotion ? 0 : Motion.hoverMs
            easing: Motion.hover
        }
    }

    Column {
        id: fixed
        visible: !grid.scrolling
        width: grid.fixedWidth
        spacing: grid.spacing
        focus: !grid.scrolling
        Accessible.role: Accessible.List
        Accessible.name: "Albums"
        onActiveFocusChanged: if (activeFocus) grid.focusRequested()
        Keys.onPressed: (event) => grid.handleKey(event)
        Repeater {
            model: grid.scrolling || !grid.laidOut ? null : grid.model
            delegate: GridRow {}
        }
    }
}
