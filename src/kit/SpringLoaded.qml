import QtQuick
import Velto.Kit
import Velto.Shell

// Makes the item it fills spring open under a held player pick: a pick resting on it for half a second
// calls `open`, while a bar along its foot fills in exactly that time. The item is a drop target for picks
// only to take the drag; every drop is refused, so the drag goes back.
//
//     SpringLoaded { active: true; onOpen: Stores.app.collectionTamsk = Nav.Playlists }
Item {
    id: root
    anchors.fill: parent
    property alias active: spring.active
    property alias spring: spring
    // How full the bar is, 0 … 1.
    property alias fill: bar.fill
    signal open()

    Spring {
        id: spring
        onOpen: root.open()
        onStateChanged: {
            grow.stop()
            shrink.stop()
            if (spring.state === Spring.Filling) grow.start()
            else if (spring.state === Spring.Idle) shrink.start()
            else bar.fill = 0 // fired: the view opened, the bar goes at once
        }
    }

    DropArea {
        anchors.fill: parent
        enabled: spring.active
        keys: [spring.pickFormat]
        onEntered: (drag) => { drag.accept(Qt.CopyAction); spring.enter() }
        onExited: spring.leave()
        onDropped: (drop) => { drop.accept(Qt.IgnoreAction); spring.leave() }
    }

    // Laid over the foot of the item and moved 5 px down; it grows from the leading edge.
    Rectangle {
        id: bar
        objectName: "springBar"
        property real fill: 0
        visible: spring.active
        width: parent.width
        height: 2
        y: parent.height - height + 5
        gradient: AccentGradient {}
        transform: Scale { origin.x: 0; xScale: bar.fill }

        NumberAnimation {
            id: grow
            target: bar; property: "fill"; to: 1
            duration: spring.delayMs
            easing.type: Easing.Linear
        }
        NumberAnimation {
            id: shrink
            target: bar; property: "fill"; to: 0
            duration: Motion.hoverMs
            easing: Motion.hover
        }
    }
}
