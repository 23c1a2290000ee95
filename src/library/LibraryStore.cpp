#include "LibraryStore.h"

#include "core/Text.h"

#include <QSet>
#include <algorithm>
#include <charconv>
#include <limits>
#include <span>
#include <utility>

namespace {

// The song's folder and its album name, the group in which album artists are resolved.
QString folderAlbumKey(const Song& s) {
    const qsizetype slash = s.url.path.lastIndexOf(QLatin1Char('/'));
    const QString album = Text::lower(s.album);
    QString key;
    key.reserve(std::max<qsizetype>(slash, 0) + 1 + album.size());
    if (slash > 0) key += QStringView(s.url.path).left(slash);
    key += keySeparator;
    key += album;
    return key;
}

bool isLossless(const QString& path) {
    static const QSet<QString> lossless{QStringLiteral("flac"), QStringLiteral("alac"), QStringLiteral("wav"),
                                        QStringLiteral("aif"), QStringLiteral("aiff")};
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || path.indexOf(QLatin1Char('/'), dot) >= 0) return false;
    return lossless.contains(Text::lower(path.mid(dot + 1)));
}

double rate(const Song& s) {
    return s.duration > 0 ? double(s.bytes) / s.duration : 0.0;
}

bool better(const Song& candidate, const Song& best) {
    const bool a = isLossless(candidate.url.path);
    const bool b = isLossless(best.url.path);
    if (a != b) return a;
    return rate(candidate) > rate(best);
}

// Lower-cased, typographic quotes made straight, white space runs collapsed to one space and trimmed.
QString normalisedSlow(const QString& text) {
    QString s = Text::lower(text);
    for (QChar& c : s) {
        switch (c.unicode()) {
        case 0x2018:
        case 0x2019:
            c = QLatin1Char('\'');
            break;
        case 0x201C:
        case 0x201D:
            c = QLatin1Char('"');
            break;
        default:
            break;
        }
    }
    // QChar::isSpace is true for exactly the Unicode White_Space characters (separators, the ASCII
    // controls tab to carriage return, and U+0085).
    return s.simplified();
}

bool isAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80) return false;
    return true;
}

// The same rules, appended to `out`. Identities are made for every song at every derivation, so plain
// ASCII text (nearly all of it) is done in one pass without the intermediate strings.
void appendNormalised(QString& out, const QString& text) {
    if (!isAscii(text)) {
        out += normalisedSlow(text);
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char16_t* w = reinterpret_cast<char16_t*>(out.data()) + start;
    char16_t* const begin = w;
    bool space = false;
    for (QChar ch : text) {
        char16_t c = ch.unicode();
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            space = w != begin;
            continue;
        }
        if (space) {
            *w++ = ' ';
            space = false;
        }
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        *w++ = c;
    }
    out.truncate(start + (w - begin));
}

bool songBefore(const Song& a, const Song& b) {
    if (a.disc != b.disc) return a.disc < b.disc;
    if (a.track != b.track) return a.track < b.track;
    return Text::plainLess(a.title, b.title);
}

// Items grouped by a key, groups in the order their keys first appear, members in item order. Kept flat
// (one list of members, sliced per group) because a library has as many groups as songs.
class Groups {
public:
    template <typename KeyOf> static Groups of(qsizetype count, KeyOf keyOf) {
        Groups g;
        QHash<QString, qsizetype> index;
        index.reserve(count);
        QList<qsizetype> groupOfItem(count);
        QList<qsizetype> sizes;
        for (qsizetype i = 0; i < count; ++i) {
            auto it = index.constFind(keyOf(i));
            if (it == index.cend()) {
                it = index.insert(keyOf(i), sizes.size());
                sizes.append(0);
            }
            groupOfItem[i] = *it;
            ++sizes[*it];
        }
        g.m_start.resize(sizes.size() + 1);
        g.m_start[0] = 0;
        for (qsizetype k = 0; k < sizes.size(); ++k)
            g.m_start[k + 1] = g.m_start[k] + sizes[k];
        QList<qsizetype> next(g.m_start.cbegin(), g.m_start.cend() - 1);
        g.m_items.resize(count);
        for (qsizetype i = 0; i < count; ++i)
            g.m_items[next[groupOfItem[i]]++] = i;
        return g;
    }

    qsizetype size() const { return m_start.size() - 1; }
    std::span<const qsizetype> operator[](qsizetype group) const {
        return {m_items.constData() + m_start[group], size_t(m_start[group + 1] - m_start[group])};
    }

private:
    QList<qsizetype> m_start{0};
    QList<qsizetype> m_items;
};

} // namespace

namespace {

// A derived song with the user's title and album edits taken off. Only for songs whose raw form held no
// tagged texts, where the tagged texts come from the edits alone.
Song unedited(Song s) {
    if (s.taggedTitle) s.title = *std::exchange(s.taggedTitle, std::nullopt);
    if (s.taggedAlbum) s.album = *std::exchange(s.taggedAlbum, std::nullopt);
    return s;
}

} // namespace

ScannedSongs ScannedSongs::of(const QList<Song>& raw, const QList<Song>& songs, const QList<Song>& duplicates,
                              const QHash<QString, qsizetype>& indexByPath) {
    ScannedSongs out;
    QHash<QString, qint32> duplicateByPath;
    duplicateByPath.reserve(duplicates.size());
    for (qsizetype i = 0; i < duplicates.size(); ++i)
        duplicateByPath.insert(duplicates.at(i).url.path, qint32(i));
    out.order.reserve(raw.size());
    for (const Song& r : raw) {
        const Song* derived = nullptr;
        if (auto it = indexByPath.constFind(r.url.path); it != indexByPath.cend()) {
            out.order.append(qint32(*it));
            derived = &songs.at(*it);
        } else if (auto d = duplicateByPath.constFind(r.url.path); d != duplicateByPath.cend()) {
            out.order.append(~*d);
            derived = &duplicates.at(*d);
        }
        if (!derived || derived->url != r.url) {
            // Not derived from this list (it cannot happen): kept whole, in a list of its own.
            out.order.clear();
            out.albumArtists.clear();
            out.whole.clear();
            for (qsizetype i = 0; i < raw.size(); ++i) {
                out.order.append(std::numeric_limits<qint32>::min());
                out.whole.insert(QString::number(i), raw.at(i));
            }
            return out;
        }
        if (r.taggedTitle || r.taggedAlbum) {
            out.whole.insert(r.url.path, r);
            continue;
        }
        Song back = unedited(*derived);
        if (back == r) continue;
        back.albumArtist = r.albumArtist;
        if (back == r)
            out.albumArtists.insert(r.url.path, r.albumArtist);
        else
            out.whole.insert(r.url.path, r);
    }
    return out;
}

QList<Song> ScannedSongs::songs(const QList<Song>& songs, const QList<Song>& duplicates) const {
    QList<Song> out;
    out.reserve(order.size());
    for (qsizetype i = 0; i < order.size(); ++i) {
        const qint32 at = order.at(i);
        if (at == std::numeric_limits<qint32>::min()) {
            out.append(whole.value(QString::number(i)));
            continue;
        }
        const Song& derived = at >= 0 ? songs.at(at) : duplicates.at(~at);
        if (auto it = whole.constFind(derived.url.path); it != whole.cend()) {
            out.append(*it);
            continue;
        }
        out.append(unedited(derived));
        if (auto it = albumArtists.constFind(derived.url.path); it != albumArtists.cend())
            out.last().albumArtist = *it;
    }
    return out;
}

Song ScannedSongs::resolved(const Song& derived) const {
    if (auto it = whole.constFind(derived.url.path); it != whole.cend()) {
        Song s = *it;
        s.albumArtist = derived.albumArtist;
        return s;
    }
    return unedited(derived);
}

QList<Song> LibraryStore::resolveAlbumArtists(QList<Song> songs) {
    // Most groups are one artist spelled one way; only groups where the spelling varies are counted.
    struct Group {
        qsizetype first;
        bool varies = false;
    };
    QHash<QString, qsizetype> groupOf;
    groupOf.reserve(songs.size());
    QList<Group> groups;
    QList<qsizetype> groupOfSong(songs.size(), -1);
    for (qsizetype i = 0; i < songs.size(); ++i) {
        const Song& s = songs.at(i);
        if (s.albumArtistTag) continue;
        const QString key = folderAlbumKey(s);
        auto it = groupOf.constFind(key);
        if (it == groupOf.cend()) {
            it = groupOf.insert(key, groups.size());
            groups.append(Group{i});
        }
        Group& g = groups[*it];
        groupOfSong[i] = *it;
        if (!g.varies && songs.at(g.first).artist != s.artist) g.varies = true;
    }

    QHash<qsizetype, QList<qsizetype>> members;
    for (qsizetype i = 0; i < songs.size(); ++i)
        if (groupOfSong[i] >= 0 && groups[groupOfSong[i]].varies) members[groupOfSong[i]].append(i);

    for (const QList<qsizetype>& group : std::as_const(members)) {
        // Count each performing artist, lower-cased; the first song of each keeps its spelling.
        QHash<QString, std::pair<qsizetype, qsizetype>> countAndFirst;
        qsizetype largest = 0;
        qsizetype largestFirst = -1;
        for (qsizetype i : group) {
            auto& [count, first] = countAndFirst[Text::lower(songs.at(i).artist)];
            if (count++ == 0) first = i;
            if (count > largest) {
                largest = count;
                largestFirst = first;
            }
        }
        if (countAndFirst.size() == 1) continue;
        const QString name =
            2 * largest > group.size() ? songs.at(largestFirst).artist : QStringLiteral("Various Artists");
        for (qsizetype i : group)
            if (songs.at(i).albumArtist != name) songs[i].albumArtist = name;
    }
    return songs;
}

QString LibraryStore::identity(const Song& s) {
    QString id;
    id.reserve(s.artist.size() + s.album.size() + s.title.size() + 8);
    appendNormalised(id, s.artist);
    id += keySeparator;
    appendNormalised(id, s.album);
    id += keySeparator;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, s.disc).ptr;
    id += QLatin1String(digits, end - digits);
    id += keySeparator;
    appendNormalised(id, s.title);
    return id;
}

LibraryStore::Split LibraryStore::removeDuplicates(const QList<Song>& songs) {
    QList<QString> ids;
    ids.reserve(songs.size());
    for (const Song& s : songs)
        ids.append(identity(s));
    const Groups groups = Groups::of(songs.size(), [&](qsizetype i) -> const QString& { return ids[i]; });

    Split split;
    // Nothing doubled: keep the given list itself rather than a copy of it.
    if (groups.size() == songs.size()) {
        split.kept = songs;
        return split;
    }
    split.kept.reserve(groups.size());
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const auto group = groups[g];
        qsizetype best = group.front();
        for (qsizetype i : group)
            if (i != best && better(songs.at(i), songs.at(best))) best = i;
        split.kept.append(songs.at(best));
        for (qsizetype i : group)
            if (songs.at(i).url != songs.at(best).url) split.extra.append(songs.at(i));
    }
    return split;
}

LibraryStore::Collection LibraryStore::build(const QList<Song>& raw, const LibraryEdits& edits) {
    Collection c;

    // A damaged or hand-edited cache may name one file twice; the first one stands. The map made here
    // becomes the path index once it points into the final songs.
    QHash<QString, qsizetype>& byPath = c.songIndexByPath;
    byPath.reserve(raw.size());
    bool twice = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        auto it = byPath.constFind(raw.at(i).url.path);
        if (it == byPath.cend())
            byPath.insert(raw.at(i).url.path, i);
        else
            twice = true;
    }
    if (twice) {
        for (qsizetype i = 0; i < raw.size(); ++i)
            if (byPath.value(raw.at(i).url.path) == i) c.scanned.append(raw.at(i));
    } else {
        c.scanned = raw;
    }

    Split split = removeDuplicates(resolveAlbumArtists(c.scanned));
    // An edited album keeps its identity, so the keys taken before the edits serve after them too.
    QList<QString> albumIDs;
    albumIDs.reserve(split.kept.size());
    for (const Song& s : std::as_const(split.kept))
        albumIDs.append(s.albumID());
    c.songs = edits.apply(split.kept, albumIDs);
    split.kept = {};
    c.duplicates = std::move(split.extra);

    for (qsizetype i = 0; i < c.songs.size(); ++i)
        byPath[c.songs.at(i).url.path] = i;
    for (const Song& s : std::as_const(c.duplicates))
        byPath.remove(s.url.path);

    // Albums: one per album identity, in the order the identities first appear.
    const Groups byAlbum =
        Groups::of(c.songs.size(), [&](qsizetype i) -> const QString& { return albumIDs[i]; });
    struct Keyed {
        QList<qint32> members; // places in the songs, in song order
        QString id;
        QString artistKey;
        qint64 year = 0;
        QString titleKey;
    };
    QList<Keyed> keyed;
    keyed.reserve(byAlbum.size());
    for (qsizetype g = 0; g < byAlbum.size(); ++g) {
        Keyed k;
        k.members = QList<qint32>(byAlbum[g].begin(), byAlbum[g].end());
        std::stable_sort(k.members.begin(), k.members.end(),
                         [&](qint32 a, qint32 b) { return songBefore(c.songs.at(a), c.songs.at(b)); });
        const Song& first = c.songs.at(k.members.first());
        k.id = albumIDs.at(byAlbum[g].front());
        k.artistKey = Text::lower(first.albumArtist);
        for (qint32 i : std::as_const(k.members))
            if (const std::optional<qint64>& year = c.songs.at(i).year) {
                k.year = *year;
                break;
            }
        k.titleKey = Text::lower(first.album);
        keyed.append(std::move(k));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (int c = Text::plainCompare(a.artistKey, b.artistKey)) return c < 0;
        if (a.year != b.year) return a.year < b.year;
        return Text::plainLess(a.titleKey, b.titleKey);
    });
    // Each album holds the songs' list and its stretch of one list of places, album after album, instead
    // of copies of its songs.
    QList<qint32> places;
    places.reserve(c.songs.size());
    for (const Keyed& k : std::as_const(keyed))
        places.append(k.members);
    c.albums.reserve(keyed.size());
    c.albumIndexByID.reserve(keyed.size());
    qsizetype from = 0;
    for (qsizetype i = 0; i < keyed.size(); ++i) {
        const Keyed& k = keyed.at(i);
        Album album;
        album.songs = AlbumSongs(c.songs, places, from, k.members.size());
        from += k.members.size();
        album.title = album.songs.first().album;
        album.artist = album.songs.first().albumArtist;
        album.cover = edits.cover(k.id);
        c.albumIndexByID.insert(k.id, i);
        c.albums.append(std::move(album));
    }

    // Artists: the sorted albums grouped by lower-cased artist, then sorted by that key.
    const Groups byArtist =
        Groups::of(keyed.size(), [&](qsizetype i) -> const QString& { return keyed[i].artistKey; });
    struct KeyedArtist {
        Artist artist;
        QString key;
    };
    QList<KeyedArtist> artists;
    artists.reserve(byArtist.size());
    for (qsizetype g = 0; g < byArtist.size(); ++g) {
        Artist artist;
        artist.albums.reserve(byArtist[g].size());
        for (qsizetype i : byArtist[g])
            artist.albums.append(c.albums.at(i));
        artist.name = artist.albums.first().artist;
        artists.append(KeyedArtist{std::move(artist), keyed.at(byArtist[g].front()).artistKey});
    }
    std::stable_sort(artists.begin(), artists.end(), [](const KeyedArtist& a, const KeyedArtist& b) {
        return Text::plainLess(a.key, b.key);
    });
    c.artists.reserve(artists.size());
    for (KeyedArtist& a : artists)
        c.artists.append(std::move(a.artist));
    c.raw = ScannedSongs::of(c.scanned, c.songs, c.duplicates, c.songIndexByPath);
    return c;
}

void LibraryStore::set(const QList<Song>& raw) {
    ++m_sets;
    publish(build(raw, m_edits));
}

// Every field changes before the first signal, so a view that reads albums on songsChanged already sees the
// new ones.
void LibraryStore::publish(Collection c, std::optional<LibraryChange> change) {
    m_lastChange = change
                       ? std::move(*change)
                       : LibraryChange::between(m_songs, c.songs, m_albums, c.albums, m_artists, c.artists);
    m_raw = std::move(c.raw);
    ++m_rawGeneration;
    m_songs = std::move(c.songs);
    m_duplicates = std::move(c.duplicates);
    m_albums = std::move(c.albums);
    m_artists = std::move(c.artists);
    m_songIndexByPath = std::move(c.songIndexByPath);
    m_albumIndexByID = std::move(c.albumIndexByID);
    // Artists are looked up by name many times per view (Mixview, related artists): keyed once here.
    m_artistIndexByKey.clear();
    m_artistIndexByKey.reserve(m_artists.size());
    for (qsizetype i = 0; i < m_artists.size(); ++i) {
        const QString key = Text::lower(m_artists[i].name);
        if (!m_artistIndexByKey.contains(key)) m_artistIndexByKey.insert(key, i);
    }
    emit songsChanged();
    emit duplicatesChanged();
    emit albumsChanged();
    emit artistsChanged();
}

bool LibraryStore::reapplyEdits(const QStringList& songPaths, const QStringList& albumIDs) {
    if (m_loading) return false;
    // Every album holds the songs' list (Album.songs); one that does not (it cannot happen) leaves the
    // whole derivation to the caller.
    for (const Album& a : std::as_const(m_albums))
        if (a.songs.list().constData() != m_songs.constData()) return false;

    // The songs to lay the edits over again: those named, and every song of the albums named.
    QHash<QString, qsizetype> remake; // path to index in m_songs
    for (const QString& path : songPaths)
        if (auto it = m_songIndexByPath.constFind(path); it != m_songIndexByPath.cend())
            remake.insert(path, *it);
    QSet<QString> albums(albumIDs.cbegin(), albumIDs.cend());
    for (const QString& id : albumIDs)
        if (auto it = m_albumIndexByID.constFind(id); it != m_albumIndexByID.cend())
            for (const Song& s : m_albums.at(*it).songs)
                remake.insert(s.url.path, m_songIndexByPath.value(s.url.path));

    // Each from its song as scanned, with the album artist the derivation resolved (which no edit changes).
    QHash<QString, Song> remade;
    remade.reserve(remake.size());
    for (auto it = remake.cbegin(); it != remake.cend(); ++it) {
        const Song s = m_raw.resolved(m_songs.at(*it));
        const QString id = s.albumID();
        remade.insert(it.key(), m_edits.apply({s}, {id}).first());
    }

    ++m_sets;
    LibraryChange change;
    // The albums hold the list as it was: the first change below copies it, and every album then holds the
    // copy (at the same places) once the albums are compared with what they were.
    const Song* const listBefore = m_songs.constData();
    for (auto it = remake.cbegin(); it != remake.cend(); ++it) {
        const Song& now = remade[it.key()];
        albums.insert(now.albumID());
        if (m_songs.at(*it) == now) continue;
        m_songs[*it] = now;
        change.changedSongs.append(it.key());
    }

    // Where an album stands in the collection's order: the sort keys of the derivation, and for ties the
    // place of its first song in `songs` (the derivation's stable sort keeps that order).
    struct Place {
        QString artistKey;
        qint64 year;
        QString titleKey;
        qsizetype first;
    };
    const auto placeOf = [this](const Album& a) {
        qsizetype first = m_songs.size();
        for (const Song& s : a.songs)
            first = std::min(first, m_songIndexByPath.value(s.url.path, first));
        return Place{Text::lower(a.artist), a.year().value_or(0), Text::lower(a.title), first};
    };
    const auto before = [](const Place& a, const Place& b) {
        if (int c = Text::plainCompare(a.artistKey, b.artistKey)) return c < 0;
        if (a.year != b.year) return a.year < b.year;
        if (int c = Text::plainCompare(a.titleKey, b.titleKey)) return c < 0;
        return a.first < b.first;
    };

    QSet<QString> artistKeys;
    for (const QString& id : std::as_const(albums)) {
        const auto found = m_albumIndexByID.constFind(id);
        if (found == m_albumIndexByID.cend()) continue;
        const qsizetype at = *found;
        Album album = m_albums.at(at);
        // Its songs as they are now, in the order they were kept and then in song order.
        QList<qint32> order;
        order.reserve(album.songs.size());
        for (qsizetype j = 0; j < album.songs.size(); ++j)
            order.append(album.songs.placeOf(j));
        std::sort(order.begin(), order.end());
        std::stable_sort(order.begin(), order.end(),
                         [this](qint32 a, qint32 b) { return songBefore(m_songs.at(a), m_songs.at(b)); });
        album.songs = AlbumSongs(m_songs, order, 0, order.size());
        album.title = album.songs.first().album;
        album.artist = album.songs.first().albumArtist;
        album.cover = m_edits.cover(id);
        if (album == m_albums.at(at)) continue;
        change.changedAlbums.append(id);
        artistKeys.insert(Text::lower(album.artist));

        // Moved to its place among the others, which keep their order.
        const Place place = placeOf(album);
        m_albums.removeAt(at);
        const auto to = std::partition_point(m_albums.cbegin(), m_albums.cend(), [&](const Album& other) {
            return before(placeOf(other), place);
        });
        const qsizetype p = to - m_albums.cbegin();
        m_albums.insert(p, std::move(album));
        for (qsizetype i = std::min(at, p); i <= std::max(at, p); ++i)
            m_albumIndexByID[m_albums.at(i).id()] = i;
    }

    const bool listChanged = m_songs.constData() != listBefore;
    if (listChanged)
        for (Album& a : m_albums)
            if (a.songs.list().constData() != m_songs.constData()) a.songs = a.songs.in(m_songs);

    // An artist's albums lie side by side in the sorted albums; its place among the artists keeps, since the
    // key an edit cannot change is what artists are sorted by.
    for (const QString& key : std::as_const(artistKeys)) {
        const auto found = m_artistIndexByKey.constFind(key);
        if (found == m_artistIndexByKey.cend()) continue;
        const auto keyOf = [](const Album& a) { return Text::lower(a.artist); };
        const auto firstOf = std::partition_point(m_albums.cbegin(), m_albums.cend(), [&](const Album& a) {
            return Text::plainCompare(keyOf(a), key) < 0;
        });
        const auto endOf = std::partition_point(
            firstOf, m_albums.cend(), [&](const Album& a) { return Text::plainCompare(keyOf(a), key) == 0; });
        Artist artist;
        artist.albums = QList<Album>(firstOf, endOf);
        if (artist.albums.isEmpty()) continue;
        artist.name = artist.albums.first().artist;
        if (artist == m_artists.at(*found)) continue;
        m_artists[*found] = std::move(artist);
        change.changedArtists.append(key);
    }
    if (listChanged)
        for (Artist& artist : m_artists)
            for (Album& a : artist.albums)
                if (a.songs.list().constData() != m_songs.constData()) a.songs = a.songs.in(m_songs);

    m_lastChange = std::move(change);
    emit songsChanged();
    emit duplicatesChanged();
    emit albumsChanged();
    emit artistsChanged();
    return true;
}

std::optional<Artist> LibraryStore::artist(const QString& named) const {
    const auto it = m_artistIndexByKey.constFind(Text::lower(named));
    if (it == m_artistIndexByKey.cend()) return std::nullopt;
    return m_artists.at(*it);
}

std::optional<Album> LibraryStore::album(const QString& id) const {
    auto it = m_albumIndexByID.constFind(id);
    if (it == m_albumIndexByID.cend()) return std::nullopt;
    return m_albums.at(*it);
}

std::optional<Song> LibraryStore::song(const QString& path) const {
    auto it = m_songIndexByPath.constFind(path);
    if (it == m_songIndexByPath.cend()) return std::nullopt;
    return m_songs.at(*it);
}

namespace {
template <typename T> QVariant wrapped(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}
} // namespace

QVariant LibraryStore::song(const QVariant& path) const {
    if (path.metaType() == QMetaType::fromType<Song>()) return wrapped(song(path.value<Song>().path()));
    return wrapped(song(path.toString()));
}

QVariant LibraryStore::album(const QVariant& id) const {
    if (id.metaType() == QMetaType::fromType<Album>()) return wrapped(album(id.value<Album>().id()));
    return wrapped(album(id.toString()));
}

QVariant LibraryStore::artist(const QVariant& name) const {
    if (name.metaType() == QMetaType::fromType<Artist>()) return wrapped(artist(name.value<Artist>().name));
    return wrapped(artist(name.toString()));
}

QUrl LibraryStore::artworkURL(const QVariant& value) const {
    std::optional<Song> s = value.metaType() == QMetaType::fromType<Song>()
                                ? std::optional(value.value<Song>())
                                : song(value.toString());
    if (!s || !s->isValid()) return {};
    return artworkURL(*s).toUrl();
}

FileUrl LibraryStore::artworkURL(const Song& s) const {
    auto it = m_albumIndexByID.constFind(s.albumID());
    if (it != m_albumIndexByID.cend())
        if (auto url = m_albums.at(*it).artworkURL()) return *url;
    return s.url;
}

qint64 LibraryStore::totalBytes() const {
    qint64 sum = 0;
    for (const Song& s : m_songs)
        sum += s.bytes;
    return sum;
}

std::optional<FileUrl> LibraryStore::latestArt(const QList<Song>& songs) {
    const Song* latest = nullptr;
    for (const Song& s : songs)
        if (!latest || s.added > latest->added) latest = &s;
    return latest ? std::optional<FileUrl>(latest->url) : std::nullopt;
}

QUrl LibraryStore::latestArtUrl() const {
    const std::optional<FileUrl> url = latestArt(m_songs);
    return url ? url->toUrl() : QUrl();
}

QList<Album> LibraryStore::recentlyAdded() const {
    struct Dated {
        Date added;
        qsizetype index;
    };
    QList<Dated> dated;
    dated.reserve(m_albums.size());
    for (qsizetype i = 0; i < m_albums.size(); ++i)
        dated.append({m_albums.at(i).added(), i});
    std::stable_sort(dated.begin(), dated.end(), [this](const Dated& a, const Dated& b) {
        if (a.added != b.added) return a.added > b.added;
        return Text::plainLess(m_albums.at(a.index).title, m_albums.at(b.index).title);
    });
    QList<Album> out;
    out.reserve(dated.size());
    for (const Dated& d : dated)
        out.append(m_albums.at(d.index));
    return out;
}
