import QtQuick
import QtTest
import Velto.Shell
import Velto.Quickplay

// The page over a library without songs: only the empty-library view, and no keys taken.
Item {
    id: root
    width: 1060
    height: 600

    Component {
        id: page
        QuickplayView { anchors.fill: parent }
    }

    TestCase {
        name: "QuickplayView"
        when: windowShown

        function find(item, name) {
            if (item.objectName === name) return item
            for (let i = 0; i < item.children.length; ++i) {
                const hit = find(item.children[i], name)
                if (hit) return hit
            }
            return null
        }

        function test_anEmptyLibraryShowsTheEmptyView() {
            const view = createTemporaryObject(page, root)
            verify(view.empty)
            verify(find(view, "emptyTitle") !== null)
            compare(find(view, "quickplayHalves").visible, false)
            view.forceActiveFocus()
            keyClick(Qt.Key_Up)
            compare(view.page.front, QuickplayHalf.Half.collection)
        }
    }
}
