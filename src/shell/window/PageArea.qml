import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell

// The page area: the page the navigation model names, sliding in from the right when going deeper and from
// the left when going back (fading instead with reduce motion), clipped so it never passes over the chrome.
// Each page's own view fills its slot as the pages are built.
StackView {
    id: area
    property int page: Nav.quickplay
    property bool forward: true
    readonly property var slide: Motion.page(forward, Motion.reduceMotion)

    clip: true
    initialItem: pageSlot
    onPageChanged: replace(pageSlot, { page: area.page })

    Component {
        id: pageSlot
        Item {
            property int page: area.page
            objectName: "page-" + page
        }
    }

    replaceEnter: Transition {
        ParallelAnimation {
            NumberAnimation { property: "x"; from: area.slide.insertFrom.x * area.width; to: 0; duration: Motion.enterMs; easing: Motion.enter }
            NumberAnimation { property: "opacity"; from: area.slide.insertFrom.opacity; to: 1; duration: Motion.enterMs; easing: Motion.enter }
        }
    }
    replaceExit: Transition {
        ParallelAnimation {
            NumberAnimation { property: "x"; from: 0; to: area.slide.removeTo.x * area.width; duration: Motion.enterMs; easing: Motion.enter }
            NumberAnimation { property: "opacity"; from: 1; to: area.slide.removeTo.opacity; duration: Motion.enterMs; easing: Motion.enter }
        }
    }
}
