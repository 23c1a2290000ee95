#pragma once

#include "library/Album.h"
#include "library/Artist.h"
#include "playback/ArtistRelations.h"
#include "shell/Navigation.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class LibraryStore;

// One tile of Mixview: an album, an artist, or the tile that starts a Smart DJ mix around an artist.
struct MixItem {
    enum class Kind { album, artist, smartDJ };
    Kind kind = Kind::album;
    Album album;   // for an album tile
    Artist artist; // for an artist or Smart DJ tile
    // How the item belongs with the centre, in the words the tile shows under it.
    QString relation;
    // The picture or song file whose artwork the tile shows, when there is one.
    std::optional<FileUrl> cover;

    static MixItem ofAlbum(const Album& album, const QString& relation);
    static MixItem ofArtist(const Artist& artist, const QString& relation);
    static MixItem smartDJFor(const Artist& artist);

    // Unique on one map and the same in every run: the tile keeps its identity while the map re-centres.
    QString id() const;
    // Where Mixview goes when the tile is chosen; the Smart DJ tile plays instead.
    std::optional<MixSeed> seed() const;

    // The caption counts: the same album can relate to two centres in different ways.
    friend bool operator==(const MixItem& a, const MixItem& b) {
        return a.relation == b.relation && a.id() == b.id();
    }
};

// What one map shows: the centre and, in the order the layout considers them, the items around it (one Smart
// DJ tile and at most nine others). A plain value, built anew whenever its inputs change.
struct MixCluster {
    MixItem centre;
    QList<MixItem> around;

    // The related artists of a name, best first, at most `limit` (ArtistRelations::related, or a stand-in).
    using Related = std::function<QList<ArtistRelations::Related>(const QString& name, qsizetype limit)>;
    // Whether the user gave the artist a picture of its own (ArtistImageStore::has, or a stand-in).
    using HasPicture = std::function<bool(const QString& artist)>;

    // The two library lookups a cluster needs: an album by identity, an artist by name (ignoring case).
    struct Lookups {
        std::function<std::optional<Album>(const QString& id)> album;
        std::function<std::optional<Artist>(const QString& named)> artist;
        static Lookups of(const LibraryStore& library);
    };

    // Nothing when the seed does not resolve: an album or artist the library lacks, or an album whose album
    // artist is not one of the library's artists.
    static std::optional<MixCluster> build(const MixSeed& seed, const LibraryStore& library,
                                           const Related& related, const HasPicture& hasPicture);
    static std::optional<MixCluster> build(const MixSeed& seed, const Lookups& library,
                                           const Related& related, const HasPicture& hasPicture);
};
