#include "QuickplayContent.h"

#include "core/Text.h"
#include "kit/LikesAndPlays.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"

#include <algorithm>

QString QuickItem::id() const {
    if (const Album* a = asAlbum()) return QStringLiteral("album:") + a->id();
    if (const Artist* a = asArtist()) return QStringLiteral("artist:") + Text::lower(a->name);
    return QStringLiteral("playlist:") + Playlist::uuidText(asPlaylist()->playlist.id);
}

namespace {

qint64 playsOf(const Artist& artist, const Player& player) {
    const QHash<QString, int>& counts = player.playCounts();
    qint64 sum = 0;
    if (counts.isEmpty()) return 0;
    for (const Album& album : artist.albums)
        for (const Song& song : album.songs)
            sum += counts.value(song.path(), 0);
    return sum;
}

qsizetype songCount(const Artist& artist) {
    qsizetype n = 0;
    for (const Album& album : artist.albums)
        n += album.songs.size();
    return n;
}

// Whether every song of the artist came in no earlier than `cutoff`.
bool allSongsSince(const Artist& artist, const Date& cutoff) {
    for (const Album& album : artist.albums)
        for (const Song& song : album.songs)
            if (song.added < cutoff) return false;
    return true;
}

} // namespace

QuickplaySources QuickplaySources::of(const AppModel& app, const LibraryStore& library, const Player& player,
                                      const PlaylistStore& playlists) {
    QuickplaySources out;
    out.pins = app.pins();
    out.smartDJArtists = app.smartDJArtists();
    out.historyPaths = player.historyPaths();
    out.artist = [&library](const QString& name) { return library.artist(name); };
    out.album = [&library](const QString& id) { return library.album(id); };
    out.song = [&library](const QString& path) { return library.song(path); };
    out.recentlyAdded = [&library] { return library.recentlyAdded(); };
    // Likes and play counts are copied only when an automatic playlist is pinned, and then once.
    auto listening = std::make_shared<std::optional<LikesAndPlays>>();
    out.playlist = [&library, &player, &playlists,
                    listening](const QString& text) -> std::optional<QuickItem> {
        const std::optional<QUuid> uuid = Playlist::uuid(text);
        if (!uuid) return std::nullopt;
        std::optional<Playlist> playlist = playlists.playlist(*uuid);
        if (!playlist) return std::nullopt;
        if (!*listening) *listening = likesAndPlays(player);
        QList<Song> songs = playlists.songs(*playlist, library, **listening);
        return QuickItem::playlist(std::move(*playlist), std::move(songs));
    };
    return out;
}

QuickplayContent::QuickplayContent(const AppModel& app, const LibraryStore& library, const Player& player,
                                   const PlaylistStore& playlists)
    : QuickplayContent(QuickplaySources::of(app, library, player, playlists)) {}

QuickplayContent::QuickplayContent(const QuickplaySources& from) {
    // 1. Pins, in pinned order; one that no longer resolves is left out and stays stored.
    for (const Pin& pin : from.pins) {
        std::optional<QuickItem> item;
        switch (pin.kind) {
        case Pin::Kind::artist:
            if (auto artist = from.artist(pin.value)) item = QuickItem::artist(std::move(*artist));
            break;
        case Pin::Kind::album:
            if (auto album = from.album(pin.value)) item = QuickItem::album(std::move(*album));
            break;
        case Pin::Kind::playlist:
            item = from.playlist(pin.value);
            break;
        }
        if (item) pins.append(std::move(*item));
    }

    // 2. The pinned albums are on the page already.
    for (const QuickItem& item : std::as_const(pins))
        if (const Album* album = item.asAlbum()) shown.insert(album->id());

    // 3. History: each album once, the newest play first. An album key joins `shown` even when the library
    // has no such album, so a song whose album went missing still keeps it out of the new column.
    for (const QString& path : from.historyPaths) {
        const std::optional<Song> song = from.song(path);
        if (!song) continue;
        const QString key = song->albumID();
        if (shown.contains(key)) continue;
        shown.insert(key);
        if (auto album = from.album(key)) {
            history.append(std::move(*album));
            if (history.size() == maxHistory) break;
        }
    }

    // 4. The newest albums not already on the page.
    QList<Album> fresh;
    for (const Album& album : from.recentlyAdded()) {
        if (shown.contains(album.id())) continue;
        fresh.append(album);
        if (fresh.size() == maxNew) break;
    }

    // 5–7. An artist all of whose songs came in since the oldest of those albums is new to the library: it
    // stands just before its first album, once, never when pinned, and three at most.
    if (!fresh.isEmpty()) {
        const Date cutoff = fresh.last().added();
        QSet<QString> used;
        for (const QuickItem& item : std::as_const(pins))
            if (const Artist* artist = item.asArtist()) used.insert(Text::lower(artist->name));
        int placed = 0;
        for (const Album& album : std::as_const(fresh)) {
            if (placed < maxNewArtists) {
                if (auto artist = from.artist(album.artist)) {
                    const QString key = Text::lower(artist->name);
                    if (!used.contains(key) && allSongsSince(*artist, cutoff)) {
                        used.insert(key);
                        newItems.append(QuickItem::artist(std::move(*artist)));
                        ++placed;
                    }
                }
            }
            newItems.append(QuickItem::album(album));
        }
    }

    // 8.
    for (const Album& album : std::as_const(fresh))
        shown.insert(album.id());

    // 9. Smart DJ artists still in the library, in their stored order.
    if (const auto& names = from.smartDJArtists) {
        for (const QString& name : *names)
            if (auto artist = from.artist(name)) smartDJ.append(std::move(*artist));
    }
}

QList<QuickItem> QuickplayContent::collection() const {
    QList<QuickItem> out;
    out.reserve(pins.size() + newItems.size() + history.size());
    out.append(pins);
    out.append(newItems);
    for (const Album& album : history)
        out.append(QuickItem::album(album));
    return out;
}

bool favourite(const Artist& a, const Artist& b, const Player& player) {
    const qint64 playsA = playsOf(a, player);
    const qint64 playsB = playsOf(b, player);
    if (playsA != playsB) return playsA > playsB;
    return songCount(a) > songCount(b);
}

bool seedSmartDJ(AppModel& app, const LibraryStore& library, const Player& player) {
    if (app.smartDJArtists()) return false;
    const QList<Artist>& artists = library.artists();
    if (artists.isEmpty()) return false;
    // The same order as `favourite`, with each artist's plays and songs counted once instead of at every
    // comparison.
    struct Ranked {
        qint64 plays;
        qsizetype songs;
        qsizetype index;
    };
    QList<Ranked> ranked;
    ranked.reserve(artists.size());
    for (qsizetype i = 0; i < artists.size(); ++i)
        ranked.append({playsOf(artists.at(i), player), songCount(artists.at(i)), i});
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.plays != b.plays) return a.plays > b.plays;
        return a.songs > b.songs;
    });
    QStringList names;
    for (qsizetype i = 0; i < std::min<qsizetype>(3, ranked.size()); ++i)
        names.append(artists.at(ranked.at(i).index).name);
    app.setSmartDJ(names);
    return true;
}
