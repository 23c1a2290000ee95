pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.NowPlaying

// The wall of 72 covers behind Now Playing, leaning toward the playing album artist.
MosaicLayout {
    id: wall
    // The album artist of the playing song; undefined while nothing plays.
    property var albumArtist
    readonly property alias model: walls

    columns: 12
    spacing: 3
    Accessible.ignored: true

    CoverWallModel {
        id: walls
        library: Stores.library
        pictures: Stores.pictures
        albumArtist: wall.albumArtist
        running: wall.visible
    }

    Repeater {
        model: walls
        delegate: FlipTile {
            id: tile
            MosaicLayout.span: tile.span
            flips: !Motion.reduceMotion
        }
    }
}
