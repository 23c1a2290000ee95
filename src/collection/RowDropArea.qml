import QtQuick
import Velto.Collection

// Where a dragged pick can land on a song row or the end of a list: it reports the pick's data on a drop
// and takes the handler's answer.
DropArea {
    id: area
    // Called with the picks' data; returns whether the drop was taken.
    property var take: null
    keys: [SongRows.pickFormat]
    onDropped: (drop) => {
        const taken = area.take ? area.take(SongRows.picksOf(drop.getDataAsString(SongRows.pickFormat))) : false
        drop.accepted = taken
        if (taken) drop.acceptProposedAction()
    }
}
