#include "MixCluster.h"

#include "StableHash.h"
#include "core/Text.h"
#include "library/LibraryStore.h"

#include <QSet>
#include <algorithm>

namespace {

// Besides the Smart DJ tile, the ring has room for nine.
constexpr qsizetype ringSize = 9;

QString identityOf(const Album& album) {
    return album.id();
}

} // namespace

MixItem MixItem::ofAlbum(const Album& album, const QString& relation) {
    MixItem item;
    item.kind = Kind::album;
    item.album = album;
    item.relation = relation;
    return item;
}

MixItem MixItem::ofArtist(const Artist& artist, const QString& relation) {
    MixItem item;
    item.kind = Kind::artist;
    item.artist = artist;
    item.relation = relation;
    return item;
}

MixItem MixItem::smartDJFor(const Artist& artist) {
    MixItem item;
    item.kind = Kind::smartDJ;
    item.artist = artist;
    item.relation = QStringLiteral("play a mix from ") + artist.name;
    return item;
}

QString MixItem::id() const {
    switch (kind) {
    case Kind::album:
        return QStringLiteral("album:") + album.id();
    case Kind::artist:
        return QStringLiteral("artist:") + Text::lower(artist.name);
    case Kind::smartDJ:
        return QStringLiteral("dj:") + Text::lower(artist.name);
    }
    return {};
}

std::optional<MixSeed> MixItem::seed() const {
    switch (kind) {
    case Kind::album:
        return MixSeed::album(album.id());
    case Kind::artist:
        return MixSeed::artist(artist.name);
    case Kind::smartDJ:
        break;
    }
    return std::nullopt;
}

MixCluster::Lookups MixCluster::Lookups::of(const LibraryStore& library) {
    return {[&library](const QString& id) { return library.album(id); },
            [&library](const QString& named) { return library.artist(named); }};
}

std::optional<MixCluster> MixCluster::build(const MixSeed& seed, const LibraryStore& library,
                                            const Related& related, const HasPicture& hasPicture) {
    return build(seed, Lookups::of(library), related, hasPicture);
}

std::optional<MixCluster> MixCluster::build(const MixSeed& seed, const Lookups& library,
                                            const Related& related, const HasPicture& hasPicture) {
    MixCluster cluster;
    std::optional<Artist> artist;

    if (seed.kind == MixSeed::Kind::album) {
        const std::optional<Album> album = library.album(seed.value);
        if (!album) return std::nullopt;
        artist = library.artist(album->artist);
        if (!artist) return std::nullopt;
        cluster.centre = MixItem::ofAlbum(*album, QStringLiteral("album"));
        cluster.around.append(MixItem::ofArtist(*artist, QStringLiteral("artist")));
        QList<Album> others;
        for (const Album& a : artist->albums)
            if (a.id() != seed.value) others.append(a);
        const QList<Album> picked = mixed(others, seed.value, identityOf);
        for (qsizetype i = 0; i < std::min<qsizetype>(2, picked.size()); ++i)
            cluster.around.append(MixItem::ofAlbum(picked[i], QStringLiteral("same artist")));
    } else {
        artist = library.artist(seed.value);
        if (!artist) return std::nullopt;
        cluster.centre = MixItem::ofArtist(*artist, QStringLiteral("artist"));
        QList<Album> candidates = artist->albums;
        // Without a picture of its own the centre shows its first album's artwork, so that album would
        // only appear twice.
        if (!hasPicture(artist->name) && !candidates.isEmpty()) candidates.removeFirst();
        const QList<Album> picked = mixed(candidates, Text::lower(artist->name), identityOf);
        for (qsizetype i = 0; i < std::min<qsizetype>(3, picked.size()); ++i)
            cluster.around.append(MixItem::ofAlbum(picked[i], QStringLiteral("album")));
    }

    const qsizetype own = cluster.around.size();
    cluster.around.append(MixItem::smartDJFor(*artist));

    // Odd places, and artists with pictures, show the artist; the others one of their albums, so the ring
    // mixes faces and covers.
    const QString centreID = cluster.centre.id();
    const QList<ArtistRelations::Related> relatives =
        related(artist->name, std::max<qsizetype>(ringSize - own, 0));
    for (qsizetype i = 0; i < relatives.size(); ++i) {
        const ArtistRelations::Related& r = relatives[i];
        if (i % 2 == 1 || hasPicture(r.artist.name)) {
            cluster.around.append(MixItem::ofArtist(r.artist, r.reason));
        } else if (!r.artist.albums.isEmpty()) {
            cluster.around.append(
                MixItem::ofAlbum(mixed(r.artist.albums, centreID, identityOf).first(), r.reason));
        }
    }

    QSet<QString> shown;
    if (cluster.centre.kind == MixItem::Kind::album) shown.insert(cluster.centre.album.id());
    for (const MixItem& item : std::as_const(cluster.around))
        if (item.kind == MixItem::Kind::album) shown.insert(item.album.id());

    // An artist tile without a picture shows one of the artist's albums; when all of them are on the map
    // already it could only repeat a cover.
    cluster.around.removeIf([&](const MixItem& item) {
        if (item.kind != MixItem::Kind::artist || hasPicture(item.artist.name)) return false;
        return std::all_of(item.artist.albums.cbegin(), item.artist.albums.cend(),
                           [&](const Album& a) { return shown.contains(a.id()); });
    });

    auto fillCover = [&](MixItem& item) {
        if (item.kind == MixItem::Kind::album)
            item.cover = item.album.artworkURL();
        else if (item.kind == MixItem::Kind::artist)
            item.cover = item.artist.artworkURL(shown);
    };
    fillCover(cluster.centre);
    for (MixItem& item : cluster.around)
        fillCover(item);
    return cluster;
}
