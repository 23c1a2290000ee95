#include "PlaylistActions.h"

#include "library/PlaylistStore.h"
#include "playback/Player.h"

#include <QPointer>
#include <QSet>

namespace {
const QChar openQuote(0x201C);
const QChar closeQuote(0x201D);

void post(Player& player, const QString& text) {
    player.setNotice(Player::Notice::make(text));
}
} // namespace

namespace PlaylistActions {

QString addedNotice(const QList<Song>& songs, int added, const QString& name) {
    if (added > 0 && added >= songs.size())
        return QStringLiteral("added ") + Player::describe(songs) + QStringLiteral(" to ") + name;
    // Only the new songs are counted; one of them is "1 song", like every other count the program shows.
    if (added > 0)
        return QStringLiteral("added ") + QString::number(added) +
               (added == 1 ? QStringLiteral(" song") : QStringLiteral(" songs")) + QStringLiteral(" to ") +
               name;
    if (songs.size() == 1) return Player::describe(songs) + QStringLiteral(" is already in ") + name;
    return QStringLiteral("those songs are already in ") + name;
}

void add(const QList<Song>& songs, const QUuid& to, PlaylistStore& playlists, Player& player) {
    // Only the user's own playlists take songs: an automatic one is found by `playlist(id)` but cannot
    // be added to, and saying "already in liked songs" would be untrue.
    const QList<Playlist>& own = playlists.playlists();
    const auto it = std::find_if(own.cbegin(), own.cend(), [&](const Playlist& p) { return p.id == to; });
    if (it == own.cend()) return;
    const QString name = it->name;
    const int added = playlists.add(songs, to);
    post(player, addedNotice(songs, added, name));
}

void create(const QString& name, const QList<Song>& songs, PlaylistStore& playlists, Player& player) {
    const Playlist made = playlists.create(name, songs);
    post(player, QStringLiteral("made ") + made.name + QStringLiteral(" with ") + Player::describe(songs));
}

DropMenuPage addPage(const QList<Song>& songs, const QString& newName, PlaylistStore& playlists,
                     Player& player) {
    QPointer<PlaylistStore> store(&playlists);
    QPointer<Player> notices(&player);
    DropMenuSection fresh;
    fresh.items.emplace_back(QStringLiteral("new playlist ") + openQuote + newName + closeQuote, false, false,
                             [store, notices, songs, newName] {
                                 if (store && notices) create(newName, songs, *store, *notices);
                             });
    QSet<QString> paths;
    for (const Song& s : songs)
        paths.insert(s.url.path);
    DropMenuSection own;
    for (const Playlist& p : playlists.playlists()) {
        const QSet<QString> held(p.paths.cbegin(), p.paths.cend());
        own.items.emplace_back(p.name, held.contains(paths), false, [store, notices, songs, id = p.id] {
            if (store && notices) add(songs, id, *store, *notices);
        });
    }
    return DropMenuPage({std::move(fresh), std::move(own)});
}

} // namespace PlaylistActions
