#pragma once

#include "library/Artist.h"
#include "library/Playlist.h"
#include "shell/Navigation.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

class AppModel;
class LibraryStore;
class Player;
class PlaylistStore;

// One tile of the pins, new or history column: an album, an artist, or a playlist with its songs as they
// were resolved when the content was built.
struct QuickItem {
    struct PlaylistSongs {
        Playlist playlist;
        QList<Song> songs;
        friend bool operator==(const PlaylistSongs&, const PlaylistSongs&) = default;
    };
    std::variant<Album, Artist, PlaylistSongs> value;

    static QuickItem album(Album album) { return {std::move(album)}; }
    static QuickItem artist(Artist artist) { return {std::move(artist)}; }
    static QuickItem playlist(Playlist playlist, QList<Song> songs) {
        return {PlaylistSongs{std::move(playlist), std::move(songs)}};
    }

    const Album* asAlbum() const { return std::get_if<Album>(&value); }
    const Artist* asArtist() const { return std::get_if<Artist>(&value); }
    const PlaylistSongs* asPlaylist() const { return std::get_if<PlaylistSongs>(&value); }

    // The tile's identity, shared by the keyboard cursor and scrolling: "album:" + the album identity,
    // "artist:" + the lower-cased name, "playlist:" + the upper-case UUID text.
    QString id() const;

    friend bool operator==(const QuickItem&, const QuickItem&) = default;
};

// What building the content reads, as lookups: the stores give them, and a test can stand in for one.
struct QuickplaySources {
    QList<Pin> pins;
    std::optional<QStringList> smartDJArtists;
    QStringList historyPaths;
    std::function<std::optional<Artist>(const QString& name)> artist;
    std::function<std::optional<Album>(const QString& id)> album;
    std::function<std::optional<Song>(const QString& path)> song;
    // Every album, newest first, equal dates in plain title order.
    std::function<QList<Album>()> recentlyAdded;
    // A pinned playlist by its UUID text, with its songs as they are now.
    std::function<std::optional<QuickItem>(const QString& uuidText)> playlist;

    static QuickplaySources of(const AppModel& app, const LibraryStore& library, const Player& player,
                               const PlaylistStore& playlists);
};

// What the start page shows, worked out afresh from the stores each time it is needed; nothing here is
// stored. Building it reads the stores and changes nothing.
struct QuickplayContent {
    static constexpr int maxNew = 7;
    static constexpr int maxNewArtists = 3;
    static constexpr int maxHistory = 7;

    // The resolved pins, in the order they were pinned (newest first).
    QList<QuickItem> pins;
    // Up to seven albums, newest first, each wholly new artist (at most three) just before its first album.
    QList<QuickItem> newItems;
    // Up to seven albums, most recently played first.
    QList<Album> history;
    // The Smart DJ artists found in the library, in their stored order.
    QList<Artist> smartDJ;
    // Album identities already on the page (or met in the history walk): an artist tile picks a cover
    // outside this set.
    QSet<QString> shown;

    QuickplayContent() = default;
    QuickplayContent(const AppModel& app, const LibraryStore& library, const Player& player,
                     const PlaylistStore& playlists);
    explicit QuickplayContent(const QuickplaySources& from);

    // The pins, new and history columns as one list: their keyboard order.
    QList<QuickItem> collection() const;
};

// Whether `a` is the listener's favourite of the two: more plays over all its songs, then more songs.
// Equal in both, neither is.
bool favourite(const Artist& a, const Artist& b, const Player& player);

// Fills the Smart DJ list once in the life of the settings: while it was never set and the library has
// artists, the three favourites (fewer when the library has fewer) become the list. A stored list, even an
// empty one, is left alone. Returns whether it stored a list.
bool seedSmartDJ(AppModel& app, const LibraryStore& library, const Player& player);
