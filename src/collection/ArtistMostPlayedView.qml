pragma ComponentBehavior: Bound
import QtQuick
import Velto.Shell
import Velto.Collection

// The artist's most played songs, at most five: nothing at all while none has been played.
Column {
    id: block
    property string artistName
    readonly property ArtistMostPlayed songs: ArtistMostPlayed {
        library: Stores.library
        player: Stores.player
        artist: block.artistName
    }
    visible: songs.count > 0
    height: visible ? implicitHeight : 0
    spacing: 16

    ColumnHeader {
        count: block.songs.count
        noun: "song"
        sort: "most played"
    }
    Column {
        width: block.width
        Repeater {
            model: block.songs
            delegate: SongRow {
                width: block.width
                list: block.songs
                columns: false
                subtitle: block.songs.subtitleAt(index)
                onPlay: block.songs.play(index)
            }
        }
    }
}
