#include "LibraryChange.h"

#include "Artist.h"
#include "core/Text.h"

#include <QHash>

namespace {

// Added, removed and changed values between two lists, each value named by `key`. A list that was empty
// (the first load) makes every new value an addition without building any index.
template <typename T, typename Key>
void compare(const QList<T>& before, const QList<T>& after, Key key, QStringList& added, QStringList& removed,
             QStringList& changed) {
    if (before.isEmpty()) {
        added.reserve(after.size());
        for (const T& v : after)
            added.append(key(v));
        return;
    }
    if (after.isEmpty()) {
        removed.reserve(before.size());
        for (const T& v : before)
            removed.append(key(v));
        return;
    }
    QHash<QString, qsizetype> old;
    old.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        old.insert(key(before.at(i)), i);
    QList<bool> seen(before.size(), false);
    for (const T& v : after) {
        const QString k = key(v);
        const auto it = old.constFind(k);
        if (it == old.cend()) {
            added.append(k);
            continue;
        }
        seen[*it] = true;
        if (!(before.at(*it) == v)) changed.append(k);
    }
    for (qsizetype i = 0; i < before.size(); ++i)
        if (!seen.at(i)) removed.append(key(before.at(i)));
}

} // namespace

LibraryChange LibraryChange::between(const QList<Song>& oldSongs, const QList<Song>& newSongs,
                                     const QList<Album>& oldAlbums, const QList<Album>& newAlbums,
                                     const QList<Artist>& oldArtists, const QList<Artist>& newArtists) {
    LibraryChange c;
    c.emptied = !oldSongs.isEmpty() && newSongs.isEmpty();
    compare(
        oldSongs, newSongs, [](const Song& s) { return s.url.path; }, c.addedSongs, c.removedSongs,
        c.changedSongs);
    compare(
        oldAlbums, newAlbums, [](const Album& a) { return a.id(); }, c.addedAlbums, c.removedAlbums,
        c.changedAlbums);
    compare(
        oldArtists, newArtists, [](const Artist& a) { return Text::lower(a.name); }, c.addedArtists,
        c.removedArtists, c.changedArtists);
    return c;
}
