#include "LikesAndPlays.h"

#include "playback/Player.h"

LikesAndPlays likesAndPlays(const Player& player) {
    LikesAndPlays out;
    out.likes = player.likes();
    const QHash<QString, int>& counts = player.playCounts();
    out.playCounts.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        out.playCounts.insert(it.key(), it.value());
    return out;
}
