#pragma once

#include "playback/ArtistRelations.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>
#include <memory>

#include "library/LibraryStore.h"
#include "playback/LastFMStore.h"
#include "playback/RelatedArtists.h"

// The artist page's similar artists: up to eight artists of the collection the relation scoring finds
// close, best first. They are looked up again only when the key (the artist, the number of songs, the
// number of artists in the Last.fm cache) changes: a new play or like leaves the list alone. The relations
// are built on a worker by the relations store; a set built for the same counts is kept and reused for
// the next artist page, so only the per-artist scoring runs when the user goes from artist to artist.
class ArtistSimilar : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(RelatedArtists* relations READ relations WRITE setRelations NOTIFY storesChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY storesChanged)
    Q_PROPERTY(LastFMStore* lastFM READ lastFM WRITE setLastFM NOTIFY storesChanged)
    Q_PROPERTY(QString artist READ artist WRITE setArtist NOTIFY artistChanged)
    Q_PROPERTY(int count READ count NOTIFY listChanged)
    // "similar in your collection" when one of them scores 0.6 or more, else "more in your collection".
    Q_PROPERTY(QString title READ title NOTIFY listChanged)

public:
    static constexpr int limit = 8;
    enum Role { NameRole = Qt::UserRole + 1, KeyRole, ReasonRole, ScoreRole, ArtworkRole };

    explicit ArtistSimilar(QObject* parent = nullptr);

    RelatedArtists* relations() const { return m_relations; }
    void setRelations(RelatedArtists* relations);
    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    LastFMStore* lastFM() const { return m_lastFM; }
    void setLastFM(LastFMStore* lastFM);
    QString artist() const { return m_artist; }
    void setArtist(const QString& name);
    int count() const { return int(m_related.size()); }
    QString title() const { return titleFor(m_related); }
    const QList<ArtistRelations::Related>& related() const { return m_related; }
    // What the list is looked up by: "name|songs|Last.fm artists".
    QString key() const;

    static QString titleFor(const QList<ArtistRelations::Related>& related);

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_related.size());
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void storesChanged();
    void artistChanged();
    void listChanged();

private:
    void connectStores();
    void refresh();
    void show(const ArtistRelations& relations);

    QPointer<RelatedArtists> m_relations;
    QPointer<LibraryStore> m_library;
    QPointer<LastFMStore> m_lastFM;
    QString m_artist;
    QString m_key;
    // Each lookup's number: a set that arrives for an older one is not shown.
    quint64 m_ticket = 0;
    QList<ArtistRelations::Related> m_related;
    QList<QMetaObject::Connection> m_connections;
};
