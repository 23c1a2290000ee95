pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Quickplay
import Velto.Kit
import Velto.Collection

// The collection page: "music", the four section buttons, the chosen section and the library's status
// line; the empty-library page instead while the library holds no song. The section is kept by the
// navigation model; choosing the section already shown keeps its view and state.
Item {
    id: page
    objectName: "collectionView"
    readonly property bool empty: SongLists.all.total === 0
    readonly property int section: Stores.app ? Stores.app.collectionTamsk : Nav.CollectionTamsk.artists

    // The other sections come with their own views.
    function viewFor(section: int): string {
        if (section === Nav.CollectionTamsk.playlists) return "PlaylistBrowser.qml"
        if (section === Nav.CollectionTamsk.artists) return "ArtistBrowser.qml"
        if (section === Nav.CollectionTamsk.albums) return "AlbumWall.qml"
        return section === Nav.CollectionTamsk.songs ? "AllSongs.qml" : ""
    }

    EmptyLibraryView {
        anchors.fill: parent
        visible: page.empty
    }

    Item {
        anchors.fill: parent
        anchors.leftMargin: 34
        anchors.topMargin: 10
        anchors.rightMargin: 28
        visible: !page.empty

        Item {
            id: titleRow
            width: parent.width
            height: pageTitle.implicitHeight
            Text {
                id: pageTitle
                text: "music"
                font: page.Theme.pageTitle
                color: page.Theme.primary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Row {
                anchors.right: parent.right
                anchors.baseline: pageTitle.baseline
                spacing: 22
                Repeater {
                    model: [
                        { title: "artists", value: Nav.CollectionTamsk.artists },
                        { title: "albums", value: Nav.CollectionTamsk.albums },
                        { title: "songs", value: Nav.CollectionTamsk.songs },
                        { title: "playlists", value: Nav.CollectionTamsk.playlists }
                    ]
                    delegate: MenuButton {
                        required property var modelData
                        objectName: "section-" + modelData.title
                        title: modelData.title
                        size: 15
                        selected: page.section === modelData.value
                        onClicked: Stores.app.collectionTamsk = modelData.value
                        // A pick held on "playlists" opens it, to be dropped on a playlist there.
                        SpringLoaded {
                            active: parent.modelData.value === Nav.CollectionTamsk.playlists && !parent.selected
                            onOpen: Stores.app.collectionTamsk = Nav.CollectionTamsk.playlists
                        }
                    }
                }
            }
        }

        // The chosen section. A section that is left is hidden at once and dropped a moment later, once the
        // new one has been drawn: tearing down a section full of tiles costs about as much as making one,
        // and the new section's first frame need not wait for it.
        FocusScope {
            id: sectionView
            objectName: "collectionSection"
            anchors.top: titleRow.bottom
            anchors.topMargin: 22
            anchors.bottom: status.top
            anchors.bottomMargin: 6
            width: parent.width
            focus: true
            // Keyed by the section: the same section again keeps the shown view.
            readonly property string source: page.empty ? "" : page.viewFor(page.section)
            property string shownSource: ""
            // The shown section's view; null while there is none.
            property Item item: null

            function show() {
                if (shownSource === source) return
                shownSource = source
                const old = item
                item = null
                if (old) {
                    old.visible = false
                    old.destroy(1000)
                }
                if (source === "") return
                const component = Qt.createComponent(source)
                if (component.status !== Component.Ready) {
                    console.warn(component.errorString())
                    return
                }
                // Made at its size, so its grids are cut for the real width from the start.
                const made = component.createObject(sectionView, {
                    focus: true,
                    width: sectionView.width,
                    height: sectionView.height
                })
                made.width = Qt.binding(() => sectionView.width)
                made.height = Qt.binding(() => sectionView.height)
                item = made
            }
            onSourceChanged: show()
            Component.onCompleted: show()
        }

        StatusLine {
            id: status
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 6
            width: parent.width
        }
    }
}
