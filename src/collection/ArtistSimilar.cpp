#include "ArtistSimilar.h"

#include "core/Text.h"
#include "library/LibraryStore.h"
#include "playback/LastFMStore.h"
#include "playback/RelatedArtists.h"

namespace {

// The set the similar-artists lists last used, with the counts it was taken for. It hangs on the relations
// store it came from, so that every artist page of that store shares it and it goes with the store.
class KeptRelations : public QObject {
public:
    using QObject::QObject;
    std::shared_ptr<const ArtistRelations> set;
    QString counts;

    static KeptRelations* of(RelatedArtists* store) {
        auto* kept = store->findChild<KeptRelations*>(QString(), Qt::FindDirectChildrenOnly);
        return kept ? kept : new KeptRelations(store);
    }
};

} // namespace

ArtistSimilar::ArtistSimilar(QObject* parent) : QAbstractListModel(parent) {}

void ArtistSimilar::setRelations(RelatedArtists* relations) {
    if (m_relations == relations) return;
    m_relations = relations;
    m_key.clear();
    emit storesChanged();
    refresh();
}

void ArtistSimilar::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    m_library = library;
    connectStores();
}

void ArtistSimilar::setLastFM(LastFMStore* lastFM) {
    if (m_lastFM == lastFM) return;
    m_lastFM = lastFM;
    connectStores();
}

void ArtistSimilar::connectStores() {
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_library)
        m_connections.append(connect(m_library, &LibraryStore::songsChanged, this, &ArtistSimilar::refresh));
    if (m_lastFM)
        m_connections.append(connect(m_lastFM, &LastFMStore::artistsChanged, this, &ArtistSimilar::refresh));
    emit storesChanged();
    refresh();
}

void ArtistSimilar::setArtist(const QString& name) {
    if (m_artist == name) return;
    m_artist = name;
    emit artistChanged();
    refresh();
}

QString ArtistSimilar::key() const {
    return Text::lower(m_artist) + QLatin1Char('|') +
           QString::number(m_library ? m_library->songs().size() : 0) + QLatin1Char('|') +
           QString::number(m_lastFM ? m_lastFM->artists().size() : 0);
}

QString ArtistSimilar::titleFor(const QList<ArtistRelations::Related>& related) {
    for (const ArtistRelations::Related& r : related)
        if (r.score >= 0.6) return QStringLiteral("similar in your collection");
    return QStringLiteral("more in your collection");
}

void ArtistSimilar::refresh() {
    if (!m_relations || !m_library || m_artist.isEmpty()) return;
    const QString key = this->key();
    if (key == m_key) return;
    m_key = key;
    const quint64 ticket = ++m_ticket;
    const QString counts = key.mid(key.indexOf(QLatin1Char('|')));
    KeptRelations* kept = KeptRelations::of(m_relations);
    if (kept->set && kept->counts == counts) {
        show(*kept->set);
        return;
    }
    QPointer<KeptRelations> keep(kept);
    m_relations->whenReady(this, [this, ticket, keep, counts](std::shared_ptr<const ArtistRelations> set) {
        if (keep) {
            keep->set = set;
            keep->counts = counts;
        }
        // The page moved on to another artist, or the counts changed, while the set was built.
        if (ticket != m_ticket || !set) return;
        show(*set);
    });
}

void ArtistSimilar::show(const ArtistRelations& relations) {
    beginResetModel();
    m_related = relations.related(m_artist, limit);
    endResetModel();
    emit listChanged();
}

QVariant ArtistSimilar::data(const QModelIndex& index, int role) const {
    if (index.row() < 0 || index.row() >= m_related.size()) return {};
    const ArtistRelations::Related& r = m_related.at(index.row());
    switch (role) {
    case NameRole:
        return r.artist.name;
    case KeyRole:
        return Text::lower(r.artist.name);
    case ReasonRole:
        return r.reason;
    case ScoreRole:
        return r.score;
    case ArtworkRole: {
        const std::optional<FileUrl> url = r.artist.artworkURL();
        return url ? url->path : QString();
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> ArtistSimilar::roleNames() const {
    return {{NameRole, "name"},
            {KeyRole, "key"},
            {ReasonRole, "reason"},
            {ScoreRole, "score"},
            {ArtworkRole, "artwork"}};
}
