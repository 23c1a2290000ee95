#pragma once

#include "DropMenuPage.h"
#include "library/Song.h"

#include <QList>
#include <QString>
#include <QUuid>

class Player;
class PlaylistStore;

// The playlist operations that the menus and the add button start: they change a playlist through the
// store and tell the user what happened through the player's notice. The store knows neither menus nor
// the player, so these live here.
namespace PlaylistActions {

// The "add to playlist" page: a row that makes a new playlist named `newName` from the songs, then one
// row per playlist of the user's, newest first, checked when it holds every one of the songs already (so
// every row is checked for no songs). Each row acts when chosen, on the stores as they are then.
DropMenuPage addPage(const QList<Song>& songs, const QString& newName, PlaylistStore& playlists,
                     Player& player);

// Appends the songs the playlist lacks and says how it went. A playlist that is gone (or an automatic
// one) changes nothing and says nothing.
void add(const QList<Song>& songs, const QUuid& to, PlaylistStore& playlists, Player& player);

// Makes a playlist of the songs (a blank name takes a fresh "new playlist" name) and names it in the
// notice.
void create(const QString& name, const QList<Song>& songs, PlaylistStore& playlists, Player& player);

// The notice of an add: `added` of the songs were new to the playlist named `name`.
QString addedNotice(const QList<Song>& songs, int added, const QString& name);

} // namespace PlaylistActions
