pragma ComponentBehavior: Bound
import QtQuick
import Velto.Kit

// A row of round action buttons, one per action in order, vertically centred: 6 px apart framed, 2 px bare.
Row {
    id: row
    property list<HoverAction> actions
    property real size: 26
    property bool bare: false
    // Shows only the first `limit` actions (all when negative).
    property int limit: -1

    spacing: RoundActions.spacing(bare)
    Repeater {
        model: row.limit >= 0 ? Math.min(row.limit, row.actions.length) : row.actions.length
        RoundAction {
            required property int index
            anchors.verticalCenter: parent ? parent.verticalCenter : undefined
            hoverAction: row.actions[index]
            size: row.size
            bare: row.bare
        }
    }
}
