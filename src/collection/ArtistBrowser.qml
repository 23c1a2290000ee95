pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell
import Velto.Kit
import Velto.Collection

// The artists section: the column of every album artist under "All artists", and beside it the chosen
// artist's page or, with none chosen, the wall of artists. The column's cursor is the chosen artist: moving
// it opens that artist at once. The rules live in ArtistSection.
FocusScope {
    id: browser
    readonly property ArtistSection rules: ArtistSection {
        app: Stores.app
        library: Stores.library
        player: Stores.player
        defaults: Stores.defaults
    }
    readonly property ArtistListModel artists: ArtistListModel {
        library: Stores.library
        allRow: true
    }
    readonly property alias list: artistList
    readonly property bool columnActive: rules.focusColumn === CollectionColumn.Focus.artists

    // Set once, just after the section appears; the column then takes the keyboard.
    Timer {
        interval: 0
        running: true
        onTriggered: {
            browser.rules.focusColumn = CollectionColumn.Focus.artists
            browser.showChosen()
        }
    }
    onColumnActiveChanged: if (columnActive) artistList.forceActiveFocus()

    // The chosen artist's row in view, by row number: an artist named "all" is a row like any other.
    function showChosen() {
        const row = Math.max(0, rules.artistIndex)
        if (row < artistList.count) artistList.positionViewAtIndex(row, ListView.Contain)
    }
    Connections {
        target: browser.rules
        function onArtistKeyChanged() { browser.showChosen() }
    }

    Item {
        id: column
        width: 200
        height: parent.height
        StaggerIn { index: 0 }

        ColumnHeader {
            id: header
            count: browser.artists.artistCount
            noun: "artist"
            sort: "a–z"
        }

        ListView {
            id: artistList
            objectName: "artistColumn"
            anchors.top: header.bottom
            anchors.topMargin: 12
            anchors.bottom: parent.bottom
            x: -8
            width: parent.width + 16
            leftMargin: 8
            rightMargin: 8
            clip: true
            focus: true
            model: browser.artists
            reuseItems: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            Accessible.role: Accessible.List
            Accessible.name: "Artists"
            onActiveFocusChanged: if (activeFocus) browser.rules.focusColumn = CollectionColumn.Focus.artists

            Keys.onPressed: (event) => {
                event.accepted = browser.rules.key(event.key, event.modifiers, event.text, event.isAutoRepeat,
                                                   artistList.Window.activeFocusItem)
            }

            delegate: ArtistRow {
                required property int index
                required property string name
                required property bool isAll
                width: artistList.width - 16
                rowName: name
                all: isAll
                selected: browser.rules.artistIndex === index
                cursor: selected && artistList.activeFocus
                onClicked: {
                    browser.rules.clickRow(index)
                    artistList.forceActiveFocus()
                }
            }
        }
    }

    Item {
        id: right
        x: column.width + 36
        width: parent.width - x
        height: parent.height

        ArtistWall {
            anchors.fill: parent
            visible: !browser.rules.hasArtist
            section: browser.rules
            StaggerIn { index: 1 }
        }

        // One page per artist: choosing another artist makes a new page, so its scroll starts at the top.
        Repeater {
            model: browser.rules.artistKey !== "" ? [browser.rules.artistKey] : []
            delegate: ArtistPage {
                // Made inside `right`, whose size it takes.
                anchors.fill: parent
                section: browser.rules
            }
        }
    }
}
