#include "RelatedArtists.h"

#include "LastFMStore.h"
#include "Player.h"
#include "library/LibraryStore.h"

#include <QVariantMap>

RelatedArtists::RelatedArtists(const LibraryStore& library, const Player& player, const LastFMStore& lastFM,
                               QObject* parent)
    : QObject(parent), m_library(library), m_player(player), m_lastFM(lastFM) {
    connect(&library, &LibraryStore::artistsChanged, this, &RelatedArtists::invalidate);
    connect(&player, &Player::playCountsChanged, this, &RelatedArtists::invalidate);
    connect(&lastFM, &LastFMStore::artistsChanged, this, &RelatedArtists::invalidate);
}

void RelatedArtists::invalidate() {
    if (!m_relations) return;
    m_relations.reset();
    emit changed();
}

std::shared_ptr<const ArtistRelations> RelatedArtists::relations() {
    if (!m_relations)
        m_relations = std::make_shared<const ArtistRelations>(m_library.artists(), m_player.log().listens(),
                                                              m_player.playCounts(), m_lastFM.artists());
    return m_relations;
}

QVariantList RelatedArtists::related(const QString& artist, int limit) {
    QVariantList out;
    if (limit <= 0) return out;
    for (const ArtistRelations::Related& r : relations()->related(artist, limit))
        out.append(QVariantMap{{QStringLiteral("name"), r.artist.name},
                               {QStringLiteral("score"), r.score},
                               {QStringLiteral("reason"), r.reason}});
    return out;
}
