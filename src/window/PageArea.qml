import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Collection
import Velto.PocketPlayer
import Velto.Settings
import Velto.Quickplay

// The page area: the page the navigation model names, sliding in from the right when going deeper and from
// the left when going back (fading instead with reduce motion), clipped so it never passes over the chrome.
StackView {
    id: area
    property int page: Nav.Page.quickplay
    property bool forward: true
    // The slide of the change under way, taken when the page changes: the navigation model publishes the
    // direction first, then the page.
    property pageTransition slide: Motion.page(true, Motion.reduceMotion)

    // Which view fills the area for each page: adding a page is one row. A page whose view is not built
    // shows nothing; Now Playing never reaches the page area (it takes over the whole window). The rows'
    // components are made by the slot's Loader, in the slot's context: a file with bound components
    // would refuse that, so this one is not bound.
    component PageRow: QtObject {
        required property int page
        property Component view: null
    }
    property list<PageRow> table: [
        PageRow { page: Nav.Page.quickplay; view: Component { QuickplayView {} } },
        PageRow { page: Nav.Page.collection; view: Component { CollectionView {} } },
        PageRow { page: Nav.Page.nowPlaying },
        PageRow { page: Nav.Page.playerSummary; view: Component { PlayerSummaryView {} } },
        PageRow { page: Nav.Page.playerSettings; view: Component { PlayerSettingsView {} } },
        PageRow { page: Nav.Page.settings; view: Component { SettingsView {} } }
    ]

    function viewFor(page: int): Component {
        for (let i = 0; i < table.length; ++i)
            if (table[i].page === page) return table[i].view
        return null
    }

    clip: true
    Component.onCompleted: push(pageSlot, { page: area.page, view: area.viewFor(area.page) }, StackView.Immediate)
    onPageChanged: {
        slide = Motion.page(forward, Motion.reduceMotion)
        replace(pageSlot, { page: area.page, view: area.viewFor(area.page) })
    }

    // A slot is told its page and view when it is made.
    Component {
        id: pageSlot
        Item {
            id: slot
            property int page: -1
            property Component view: null
            objectName: "page-" + page
            Loader {
                objectName: "pageView"
                anchors.fill: parent
                sourceComponent: slot.view
            }
        }
    }

    // The slide is in points, whatever the area's width.
    replaceEnter: Transition {
        ParallelAnimation {
            NumberAnimation { property: "x"; from: area.slide.insertFrom.x; to: 0; duration: Motion.enterMs; easing: Motion.enter }
            NumberAnimation { property: "opacity"; from: area.slide.insertFrom.opacity; to: 1; duration: Motion.enterMs; easing: Motion.enter }
        }
    }
    replaceExit: Transition {
        ParallelAnimation {
            NumberAnimation { property: "x"; from: 0; to: area.slide.removeTo.x; duration: Motion.enterMs; easing: Motion.enter }
            NumberAnimation { property: "opacity"; from: 1; to: area.slide.removeTo.opacity; duration: Motion.enterMs; easing: Motion.enter }
        }
    }
}
