#include "LibraryStore.h"

#include "core/Text.h"

#include <QSet>
#include <algorithm>

namespace {

QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
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
QString normalised(const QString& text) {
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

bool songBefore(const Song& a, const Song& b) {
    if (a.disc != b.disc) return a.disc < b.disc;
    if (a.track != b.track) return a.track < b.track;
    return Text::plainLess(a.title, b.title);
}

// Groups items by a key, in the order each key first appears; members keep their order.
template <typename Key> struct Grouping {
    QHash<Key, qsizetype> index;
    QList<QList<qsizetype>> groups;

    void add(const Key& key, qsizetype item) {
        auto it = index.find(key);
        if (it == index.end()) {
            it = index.insert(key, groups.size());
            groups.append(QList<qsizetype>{});
        }
        groups[*it].append(item);
    }
};

} // namespace

QList<Song> LibraryStore::resolveAlbumArtists(QList<Song> songs) {
    Grouping<QString> byAlbum;
    for (qsizetype i = 0; i < songs.size(); ++i) {
        const Song& s = songs.at(i);
        if (s.albumArtistTag) continue;
        byAlbum.add(folderOf(s.url.path) + keySeparator + Text::lower(s.album), i);
    }
    for (const QList<qsizetype>& group : std::as_const(byAlbum.groups)) {
        if (group.size() < 2) continue;
        // Count each performing artist; the first song of each keeps its spelling.
        QHash<QString, qsizetype> countOf;
        qsizetype largest = 0;
        qsizetype largestFirst = -1;
        QHash<QString, qsizetype> firstOf;
        for (qsizetype i : group) {
            const QString key = Text::lower(songs.at(i).artist);
            qsizetype& count = countOf[key];
            if (count == 0) firstOf.insert(key, i);
            ++count;
            if (count > largest) {
                largest = count;
                largestFirst = firstOf.value(key);
            }
        }
        if (countOf.size() == 1) continue;
        const QString name =
            2 * largest > group.size() ? songs.at(largestFirst).artist : QStringLiteral("Various Artists");
        for (qsizetype i : group)
            if (songs.at(i).albumArtist != name) songs[i].albumArtist = name;
    }
    return songs;
}

QString LibraryStore::identity(const Song& s) {
    return normalised(s.artist) + keySeparator + normalised(s.album) + keySeparator +
           QString::number(s.disc) + keySeparator + normalised(s.title);
}

LibraryStore::Split LibraryStore::removeDuplicates(const QList<Song>& songs) {
    Grouping<QString> byIdentity;
    byIdentity.index.reserve(songs.size());
    for (qsizetype i = 0; i < songs.size(); ++i)
        byIdentity.add(identity(songs.at(i)), i);

    Split split;
    // Nothing doubled: keep the given list itself rather than a copy of it.
    if (byIdentity.groups.size() == songs.size()) {
        split.kept = songs;
        return split;
    }
    split.kept.reserve(byIdentity.groups.size());
    for (const QList<qsizetype>& group : std::as_const(byIdentity.groups)) {
        qsizetype best = group.first();
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

    // A damaged or hand-edited cache may name one file twice; the first one stands.
    QSet<QString> seen;
    seen.reserve(raw.size());
    bool twice = false;
    for (const Song& s : raw) {
        if (seen.contains(s.url.path)) {
            twice = true;
            break;
        }
        seen.insert(s.url.path);
    }
    if (twice) {
        seen.clear();
        for (const Song& s : raw)
            if (!seen.contains(s.url.path)) {
                seen.insert(s.url.path);
                c.scanned.append(s);
            }
    } else {
        c.scanned = raw;
    }

    Split split = removeDuplicates(resolveAlbumArtists(c.scanned));
    c.songs = edits.apply(split.kept);
    c.duplicates = std::move(split.extra);

    c.songIndexByPath.reserve(c.songs.size());
    for (qsizetype i = 0; i < c.songs.size(); ++i)
        c.songIndexByPath.insert(c.songs.at(i).url.path, i);

    // Albums: one per album identity, in the order the identities first appear.
    Grouping<QString> byAlbum;
    for (qsizetype i = 0; i < c.songs.size(); ++i)
        byAlbum.add(c.songs.at(i).albumID(), i);
    struct Keyed {
        Album album;
        QString artistKey;
        qint64 year;
        QString titleKey;
    };
    QList<Keyed> keyed;
    keyed.reserve(byAlbum.groups.size());
    QList<QString> ids(byAlbum.groups.size());
    for (auto it = byAlbum.index.cbegin(); it != byAlbum.index.cend(); ++it)
        ids[*it] = it.key();
    for (qsizetype g = 0; g < byAlbum.groups.size(); ++g) {
        Keyed k;
        Album& album = k.album;
        album.songs.reserve(byAlbum.groups.at(g).size());
        for (qsizetype i : byAlbum.groups.at(g))
            album.songs.append(c.songs.at(i));
        std::stable_sort(album.songs.begin(), album.songs.end(), songBefore);
        album.title = album.songs.first().album;
        album.artist = album.songs.first().albumArtist;
        album.cover = edits.cover(ids.at(g));
        k.artistKey = Text::lower(album.artist);
        k.year = album.year().value_or(0);
        k.titleKey = Text::lower(album.title);
        keyed.append(std::move(k));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (int c = Text::plainCompare(a.artistKey, b.artistKey)) return c < 0;
        if (a.year != b.year) return a.year < b.year;
        return Text::plainLess(a.titleKey, b.titleKey);
    });

    // Artists: the sorted albums grouped by lower-cased artist, then sorted by that key.
    Grouping<QString> byArtist;
    c.albums.reserve(keyed.size());
    c.albumIndexByID.reserve(keyed.size());
    for (qsizetype i = 0; i < keyed.size(); ++i) {
        byArtist.add(keyed.at(i).artistKey, i);
        c.albumIndexByID.insert(keyed.at(i).album.id(), i);
        c.albums.append(keyed.at(i).album);
    }
    struct KeyedArtist {
        Artist artist;
        QString key;
    };
    QList<KeyedArtist> artists;
    artists.reserve(byArtist.groups.size());
    for (const QList<qsizetype>& group : std::as_const(byArtist.groups)) {
        Artist artist;
        artist.albums.reserve(group.size());
        for (qsizetype i : group)
            artist.albums.append(c.albums.at(i));
        artist.name = artist.albums.first().artist;
        artists.append(KeyedArtist{std::move(artist), keyed.at(group.first()).artistKey});
    }
    std::stable_sort(artists.begin(), artists.end(), [](const KeyedArtist& a, const KeyedArtist& b) {
        return Text::plainLess(a.key, b.key);
    });
    c.artists.reserve(artists.size());
    for (KeyedArtist& a : artists)
        c.artists.append(std::move(a.artist));
    return c;
}

void LibraryStore::set(const QList<Song>& raw) {
    Collection c = build(raw, m_edits);
    m_scanned = std::move(c.scanned);
    m_songs = std::move(c.songs);
    m_duplicates = std::move(c.duplicates);
    m_albums = std::move(c.albums);
    m_artists = std::move(c.artists);
    m_songIndexByPath = std::move(c.songIndexByPath);
    m_albumIndexByID = std::move(c.albumIndexByID);
    emit songsChanged();
    emit duplicatesChanged();
    emit albumsChanged();
    emit artistsChanged();
}

std::optional<Artist> LibraryStore::artist(const QString& named) const {
    const QString key = Text::lower(named);
    for (const Artist& a : m_artists)
        if (Text::lower(a.name) == key) return a;
    return std::nullopt;
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
