pragma ComponentBehavior: Bound
import QtQuick
import Velto.Collection

// The cells of one row of an album grid, made by the grid's row: at once, or just after the first frame
// for a row below the fold of a fixed-width grid.
//
// A list view hands a row that left the screen to another album row: the row's cells are then only told
// their new albums, and none is made or destroyed (a screenful of new cells is more than one frame's work).
// A row makes cells for the albums it first shows; once it is handed a row of another length it holds one
// cell per column from then on, the places past a short row's end standing empty and hidden. So a short
// row costs no hidden cells in the first frame, and a reused row is made anew at most once.
Row {
    id: cellRow
    required property AlbumGrid grid
    required property var cells
    // A hovered cell lifts its row above the rows around it.
    property bool lifted: false
    // What the cells read of the grid; the grid may go first when a page is torn down.
    readonly property real cellWidth: grid ? grid.cellWidth : 0
    readonly property AlbumGridModel model: grid ? grid.model : null
    readonly property bool active: grid !== null && grid.active
    readonly property bool showArtistLink: grid !== null && grid.showArtistLink
    readonly property bool quietSelection: grid !== null && grid.quietSelection
    readonly property int count: cells ? cells.length : 0
    // The albums of the first row shown; -1 until the row is complete.
    property int firstCount: -1
    property bool whole: false
    readonly property bool reusable: grid !== null && grid.scrolling
    readonly property int places: !reusable ? count : whole ? (grid ? grid.columns : 0)
                                                         : firstCount < 0 ? count : firstCount
    onCountChanged: if (reusable && firstCount >= 0 && count !== firstCount) whole = true
    Component.onCompleted: firstCount = count

    spacing: grid ? grid.spacing : 0

    Repeater {
        model: cellRow.places
        delegate: AlbumCell {
            required property int index
            entry: cellRow.cells && index < cellRow.cells.length ? cellRow.cells[index] : null
            width: cellRow.cellWidth
            albums: cellRow.model
            selected: cellRow.model !== null && albumId !== "" && cellRow.model.selection === albumId
            cursor: selected && cellRow.active
            showArtistLink: cellRow.showArtistLink
            quiet: cellRow.quietSelection
            onLiftedChanged: cellRow.lifted = lifted
            // What a cell needs beyond its square cover, for the rows still to be made.
            onImplicitHeightChanged: {
                if (cellRow.grid && implicitHeight > width) cellRow.grid.cellExtra = implicitHeight - width
            }
            onOpen: {
                if (!cellRow.grid) return
                cellRow.model.selectionPicked(albumId)
                cellRow.grid.focusRequested()
                cellRow.grid.takeFocus()
            }
        }
    }
}
