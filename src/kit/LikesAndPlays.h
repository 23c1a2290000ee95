#pragma once

#include "library/AutoPlaylist.h"

class Player;

// What the automatic playlists need of the player, taken at the moment of asking: its liked paths and its
// play counts. The views that resolve playlist songs all make it the same way, here.
LikesAndPlays likesAndPlays(const Player& player);
