#pragma once

#include "DropMenuPage.h"
#include "library/Artist.h"
#include "library/PlayerPick.h"
#include "library/Playlist.h"
#include "shell/Navigation.h"

#include <QList>
#include <QUrl>
#include <functional>
#include <vector>

class AppModel;
class HoverAction;
class LastFMStore;
class LibraryStore;
class Player;
class PlayerMusic;
class PlaylistStore;

// What the right-click menus (and the pages' own menus) are built from: the long-lived stores, and a
// builder for each kind of thing and for the rows several menus share. Building is a pure description:
// checked states are read now, at the moment of the click, and nothing acts until a row is chosen, after
// the menu has closed. Rows hold the stores weakly.
class MenuContext {
public:
    // Asks the user for a picture (button text, message) and hands the answer on: an empty address for a
    // cancel.
    using ChoosePicture =
        std::function<void(const QString& button, const QString& message, std::function<void(const QUrl&)>)>;
    // A uniform draw from 0 … bound − 1, for "shuffle".
    using Random = std::function<qsizetype(qsizetype bound)>;

    MenuContext(AppModel& app, LibraryStore& library, Player& player, PlaylistStore& playlists,
                PlayerMusic& music, LastFMStore& lastFM);

    AppModel& app;
    LibraryStore& library;
    Player& player;
    PlaylistStore& playlists;
    PlayerMusic& music;
    // Smart DJ builds its mixes from the Last.fm cache too.
    LastFMStore& lastFM;
    // Where "change cover…" asks; without one the row does nothing.
    ChoosePicture choosePicture;
    // The system's generator unless a test sets one.
    Random random;

    // Whole pages.
    DropMenuPage artist(const Artist& artist, std::vector<DropMenuItem> first, bool showInCollection) const;
    DropMenuPage album(const Album& album, bool showArtist, bool showInCollection) const;
    DropMenuPage playlist(const Playlist& playlist, bool showInCollection,
                          std::vector<DropMenuItem> edit) const;

    // The add button's page: queue the songs, or put them in a playlist.
    DropMenuPage addPage(const QList<Song>& songs, const QString& newName) const;

    // Rows.
    std::vector<DropMenuItem> playItems(const QList<Song>& songs, bool shuffle) const;
    DropMenuItem onPlayer(const PlayerPick& pick) const;
    DropMenuItem pinned(const Pin& pin) const;
    std::vector<DropMenuItem> coverItems(const Album& album) const;
    DropMenuItem smartDJ(const Artist& artist) const;
    DropMenuItem smartDJSlot(const QString& name) const;
    DropMenuItem mixview(const MixSeed& seed) const;
    DropMenuItem addToPlaylist(const QList<Song>& songs, const QString& newName) const;

    // Hover actions as rows, in order: each titled with its label lower-cased, running the action.
    static std::vector<DropMenuItem> items(const QList<HoverAction*>& actions);

    // The songs of a playlist as the menus play them: an automatic playlist's are worked out from the
    // player's likes and play counts now.
    QList<Song> songs(const Playlist& playlist) const;
    // A new order of the songs drawn from `random`, or from the system's generator without one.
    static QList<Song> shuffled(QList<Song> songs, const Random& random);
};
