pragma ComponentBehavior: Bound
import QtQuick
import Qt5Compat.GraphicalEffects
import Velto.Shell
import Velto.Kit
import Velto.Collection

// Up to eight artists of the collection close to this one, each with the reason; a tile opens that artist.
// Nothing at all while there are none.
Column {
    id: block
    property string artistName
    property ArtistSection section
    readonly property ArtistSimilar similar: ArtistSimilar {
        relations: Stores.relations
        library: Stores.library
        lastFM: Stores.lastFM
        artist: block.artistName
    }
    visible: similar.count > 0
    height: visible ? implicitHeight : 0
    spacing: 16

    Caps {
        text: block.similar.title
        size: 11
        color: block.Theme.primary
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    ListView {
        id: row
        objectName: "similarArtists"
        x: -6
        width: block.width + 12
        height: 140 + 6 + 4 + 18 + 4 + 16 + 12
        orientation: ListView.Horizontal
        spacing: 20
        leftMargin: 6
        rightMargin: 46
        topMargin: 6
        clip: true
        model: block.similar
        boundsBehavior: Flickable.StopAtBounds
        Accessible.role: Accessible.List
        Accessible.name: block.similar.title
        layer.enabled: true
        // The row fades out at its right end.
        layer.effect: OpacityMask {
            maskSource: Rectangle {
                width: row.width
                height: row.height
                gradient: Gradient {
                    orientation: Gradient.Horizontal
                    GradientStop { position: 0.88; color: "black" }
                    GradientStop { position: 1; color: "transparent" }
                }
            }
        }

        delegate: Column {
            id: column
            required property string name
            required property string reason
            required property string artwork
            width: 140
            spacing: 4
            z: tile.lifted ? 1 : 0

            readonly property HoverAction smartDJAction: HoverAction {
                symbol: "dot.radiowaves.left.and.right"
                label: "Smart DJ"
                onRun: {
                    Stores.player.smartDJ(column.name)
                    Stores.app.go(Nav.Page.nowPlaying)
                }
            }

            Tile {
                id: tile
                width: 140
                height: 140
                url: column.artwork
                kind: "artist"
                picture: ArtworkCache.artistSource(column.name, ArtworkCache.revision)
                title: column.name
                label: Tile.Never
                ring: true
                lift: 1.04
                actions: [column.smartDJAction]
                onActivated: if (block.section) block.section.showArtist(column.name)
                // Beneath the tile's own children, so the Smart DJ button takes its clicks.
                RightClickMenu {
                    z: -1
                    page: ArtistMenu { name: column.name }
                }
            }
            Item { width: 1; height: 2 }
            Text {
                width: 140
                text: column.name
                font: column.Theme.row
                color: column.Theme.primary
                elide: Text.ElideRight
                maximumLineCount: 1
                Accessible.ignored: true
            }
            Text {
                width: 140
                text: column.reason
                font: column.Theme.detail
                color: column.Theme.secondary
                elide: Text.ElideRight
                maximumLineCount: 1
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
    }
}
