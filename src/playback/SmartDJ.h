#pragma once

#include "ArtistRelations.h"
#include "Listen.h"
#include "library/Artist.h"

#include <QHash>
#include <QList>
#include <QRandomGenerator>
#include <QSet>
#include <QString>

// Mixes of songs around one artist: about a third from the artist, the rest from its closest relations,
// drawn with the listener's taste, spread so that artists and albums take turns.
class SmartDJ {
public:
    SmartDJ() = delete;

    // What the listener's habits say about each song, by file path; rebuilt for every mix.
    struct Taste {
        QSet<QString> liked;
        QHash<QString, int> plays;
        QHash<QString, int> skips;
        // The most recently started songs.
        QSet<QString> recent;
    };

    // Up to `count` songs in play order, none of whose paths is in `avoiding`.
    static QList<Song> mix(const Artist& around, const ArtistRelations& relations, const Taste& taste,
                           qsizetype count, const QSet<QString>& avoiding, QRandomGenerator& random);

    // Always above 0: liked and often-played songs weigh more, skipped and just-heard ones less.
    static double weight(const Song& song, const Taste& taste);

    // How often each path was left early in ordinary play. Leaving a song of a mix early is not a skip:
    // the listener did not choose it.
    static QHash<QString, int> skips(const QList<Listen>& listens);

    // The steps of a mix, open so that each can be checked on its own.
    // Draws `n` songs by weight without repeats, in the order drawn.
    static QList<Song> pick(qsizetype n, const QList<Song>& songs, const Taste& taste,
                            QRandomGenerator& random);
    // Albums take turns, in the order they first appear.
    static QList<Song> alternateAlbums(const QList<Song>& songs);
    // Merges one list per artist (the centre artist's first) into the mix order.
    static QList<Song> spread(const QList<QList<Song>>& lists, QRandomGenerator& random);
};
