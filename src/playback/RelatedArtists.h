#pragma once

#include "ArtistRelations.h"

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <memory>

class LastFMStore;
class LibraryStore;
class Player;

// The artist relations as the views ask for them (`Stores.relations.related("Björk", 8)`): built from the
// collection, the listening and the Last.fm cache the first time they are asked for after any of those
// changed, then kept.
class RelatedArtists : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
public:
    RelatedArtists(const LibraryStore& library, const Player& player, const LastFMStore& lastFM,
                   QObject* parent = nullptr);

    // The closest artists of the collection, best first, each as { name, score, reason }.
    Q_INVOKABLE QVariantList related(const QString& artist, int limit = 12);
    // The relations as they stand now.
    std::shared_ptr<const ArtistRelations> relations();

signals:
    // Anything they are built from changed: views showing related artists ask again.
    void changed();

private:
    void invalidate();

    const LibraryStore& m_library;
    const Player& m_player;
    const LastFMStore& m_lastFM;
    std::shared_ptr<const ArtistRelations> m_relations;
};
