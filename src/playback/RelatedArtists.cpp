#include "RelatedArtists.h"

#include "LastFMStore.h"
#include "Player.h"
#include "library/LibraryStore.h"

#include <QPointer>
#include <QVariantMap>

RelatedArtists::RelatedArtists(const LibraryStore& library, const Player& player, const LastFMStore& lastFM,
                               QObject* parent)
    : QObject(parent), m_library(library), m_player(player), m_lastFM(lastFM) {
    m_pool.setMaxThreadCount(1);
    connect(&library, &LibraryStore::artistsChanged, this, &RelatedArtists::invalidate);
    connect(&player, &Player::playCountsChanged, this, &RelatedArtists::invalidate);
    connect(&lastFM, &LastFMStore::artistsChanged, this, &RelatedArtists::invalidate);
}

RelatedArtists::~RelatedArtists() {
    // The build under way posts its result to this object: let it finish while the object still stands
    // (its posted result is dropped with the object).
    m_pool.waitForDone();
}

void RelatedArtists::invalidate() {
    ++m_generation;
    // Nobody has asked yet: the first question builds from whatever the inputs are then.
    if (m_asked) startBuild();
}

void RelatedArtists::startBuild() {
    m_asked = true;
    if (m_building || ready()) return;
    m_building = true;
    // The inputs are implicitly shared values: copying them here is cheap, and the worker reads its own
    // copies while the stores go on changing theirs.
    QList<Artist> artists = m_library.artists();
    QList<Listen> listens = m_player.log().listens();
    QHash<QString, int> playCounts = m_player.playCounts();
    LastFMArtists lastFM = m_lastFM.artists();
    const quint64 generation = m_generation;
    m_pool.start([this, generation, artists = std::move(artists), listens = std::move(listens),
                  playCounts = std::move(playCounts), lastFM = std::move(lastFM)] {
        auto relations = std::make_shared<const ArtistRelations>(artists, listens, playCounts, lastFM);
        QMetaObject::invokeMethod(
            this, [this, generation, relations] { published(generation, relations); }, Qt::QueuedConnection);
    });
}

void RelatedArtists::published(quint64 generation, std::shared_ptr<const ArtistRelations> relations) {
    m_building = false;
    m_relations = std::move(relations);
    m_builtGeneration = generation;
    emit changed();
    if (!ready()) {
        // The inputs changed while this set was built: build again, and keep the waiting for the newer set.
        startBuild();
        return;
    }
    const QList<Waiting> waiting = std::exchange(m_waiting, {});
    for (const Waiting& w : waiting)
        if (w.context) w.then(m_relations);
}

void RelatedArtists::whenReady(QObject* context, Ready then) {
    if (ready()) {
        then(m_relations);
        return;
    }
    m_waiting.append({context, std::move(then)});
    startBuild();
}

QVariantList RelatedArtists::related(const QString& artist, int limit) {
    QVariantList out;
    startBuild();
    if (limit <= 0 || !m_relations) return out;
    for (const ArtistRelations::Related& r : m_relations->related(artist, limit))
        out.append(QVariantMap{{QStringLiteral("name"), r.artist.name},
                               {QStringLiteral("score"), r.score},
                               {QStringLiteral("reason"), r.reason}});
    return out;
}
