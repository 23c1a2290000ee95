#pragma once

#include "LastFMArtist.h"
#include "Listen.h"
#include "library/Artist.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// How closely the collection's artists are related, each relation with one short reason the user sees.
// Built in one go from the artists, the listening log, the play counts and the Last.fm cache, then only
// queried: a caller that wants newer data builds a new value, so nothing here can go stale behind its back.
class ArtistRelations {
public:
    struct Related {
        Artist artist;
        double score = 0;
        QString reason;
    };

    // The genres of one artist, from its songs' genre tags and its Last.fm tags.
    struct Genres {
        // Compact key ("hiphop") to the normalised form under which it was first seen ("hip-hop").
        QHash<QString, QString> names;
        QSet<QString> words;

        Genres() = default;
        explicit Genres(const QStringList& texts);

        // Words too common to say anything about an artist's style.
        static const QStringList filler;

        // The score and the label of what this artist shares with `other`; nothing when they share nothing.
        std::optional<std::pair<double, QString>> overlap(const Genres& other,
                                                          const QHash<QString, double>& rarity) const;
    };

    // Compilation artists: their songs credit whoever sings, which says nothing about the compilation.
    static const QStringList compilationNames;

    ArtistRelations(const QList<Artist>& artists, const QList<Listen>& listens,
                    const QHash<QString, int>& playCounts, const LastFMArtists& lastFM);

    // The other artists of the collection, best first.
    QList<Related> related(const Artist& artist, qsizetype limit) const;
    // The same for an artist known only by name (the pages that show similar artists hold names).
    QList<Related> related(const QString& name, qsizetype limit) const;
    // The artists that are not seeds, scored against all seeds at once, best first.
    QList<Related> relatedToAll(const QList<Artist>& seeds, qsizetype limit) const;
    // `second` as seen from `first`.
    Related tie(const Artist& first, const Artist& second) const;

    // The lower-cased names credited on a song: its artist credit and the guests named in its title.
    static QSet<QString> guests(const Song& song);

    const QHash<QString, Artist>& artists() const { return m_artists; }
    const QHash<QString, QHash<QString, qint64>>& featured() const { return m_featured; }
    const QHash<QString, QHash<QString, double>>& together() const { return m_together; }
    // Made on demand: scoring keeps genres as numbers.
    QHash<QString, Genres> genres() const;
    const QHash<QString, qint64>& years() const { return m_years; }
    const QHash<QString, qint64>& plays() const { return m_plays; }
    qint64 mostPlays() const { return m_mostPlays; }
    const QHash<QString, QHash<QString, double>>& lastFM() const { return m_lastFM; }
    const QHash<QString, double>& rarity() const { return m_rarity; }

private:
    enum class Reason { Featured, Together, LastFM, Genre, Years, None };
    // One artist as scoring sees it: its rows of the tables, its popularity bonus and its genre keys and
    // words as ranks in plain order, gathered once when the value is built so that scoring one of
    // thousands of pairs compares integers instead of texts.
    struct Entry {
        QString key;
        Artist artist;
        QHash<QString, qint64> featured;
        QHash<QString, double> together;
        QHash<QString, double> lastFM;
        std::optional<qint64> year;
        double bonus = 0;
        bool hasGenres = false;
        QList<int> genreKeys;
        QList<int> genreForms; // beside genreKeys: the form each key was first seen under
        QList<int> genreWords;
    };
    struct Score {
        double score = 0;
        Reason reason = Reason::None;
        // The genre reason's label: a key rank (named as `labelOwner` names it) or a word rank.
        int label = -1;
        bool labelIsWord = false;
        const Entry* labelOwner = nullptr;
    };
    struct Candidate {
        const Entry* entry;
        Score score;
    };

    static QStringList names(const QString& credit);
    QList<Related> ranked(QList<Candidate> candidates, qsizetype limit) const;

    // The collection's entry, or one made from what the tables know of an artist outside it.
    Entry entry(const QString& key) const;
    Score score(const Entry& first, const Entry& second) const;
    QString reasonText(const Score& s) const;
    QList<Related> relatedToKey(const QString& key, qsizetype limit) const;

    void addRuns(const QList<Listen>& listens);

    QHash<QString, Artist> m_artists;
    QHash<QString, QHash<QString, qint64>> m_featured;
    QHash<QString, QHash<QString, double>> m_together;
    QHash<QString, qint64> m_years;
    QHash<QString, qint64> m_plays;
    qint64 m_mostPlays = 0;
    QHash<QString, QHash<QString, double>> m_lastFM;
    QHash<QString, double> m_rarity;

    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_entryIndex;
    QStringList m_genreKeyByRank;
    QList<double> m_genreWeightByRank;
    QStringList m_genreWordByRank;
    QStringList m_genreFormById;
};
