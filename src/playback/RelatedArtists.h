#pragma once

#include "ArtistRelations.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <memory>

class LastFMStore;
class LibraryStore;
class Player;

// The artist relations as the views and Smart DJ ask for them (`Stores.relations.related("Björk", 8)`):
// built from the collection, the listening and the Last.fm cache. Building takes a noticeable part of a
// second at a large collection, so it runs on a worker from a snapshot of those inputs and the result is
// published in one step. Nothing is built until somebody asks; after that, any change of the inputs starts
// a rebuild, and a change arriving during a build starts one more once it ends, so the newest inputs always
// win. Until the first set is published `related` answers nothing; while a rebuild runs it answers from
// the previous set.
class RelatedArtists : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
    Q_PROPERTY(bool ready READ ready NOTIFY changed)
public:
    using Ready = std::function<void(std::shared_ptr<const ArtistRelations>)>;

    RelatedArtists(const LibraryStore& library, const Player& player, const LastFMStore& lastFM,
                   QObject* parent = nullptr);
    ~RelatedArtists() override;

    // The closest artists of the collection, best first, each as { name, score, reason }.
    Q_INVOKABLE QVariantList related(const QString& artist, int limit = 12);
    // The set built from the inputs as they stand now.
    bool ready() const { return m_relations && m_builtGeneration == m_generation; }
    // The newest published set, possibly older than the inputs; null before the first.
    std::shared_ptr<const ArtistRelations> current() const { return m_relations; }
    // Calls `then` on this thread with a set built from the inputs as they stand now: at once when it is
    // ready, else when the build finishes. Nothing is called once `context` is gone.
    void whenReady(QObject* context, Ready then);

signals:
    // A newly built set was published: views showing related artists ask again.
    void changed();

private:
    struct Waiting {
        QPointer<QObject> context;
        Ready then;
    };
    void invalidate();
    void startBuild();
    void published(quint64 generation, std::shared_ptr<const ArtistRelations> relations);

    const LibraryStore& m_library;
    const Player& m_player;
    const LastFMStore& m_lastFM;
    std::shared_ptr<const ArtistRelations> m_relations;
    // Each change of the inputs moves the generation on; a set is ready when built from the newest.
    quint64 m_generation = 1;
    quint64 m_builtGeneration = 0;
    bool m_building = false;
    bool m_asked = false;
    QList<Waiting> m_waiting;
    // One worker: builds never overlap, and the destructor waits for the one under way.
    QThreadPool m_pool;
};
