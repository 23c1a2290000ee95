#pragma once

#include "Playlist.h"
#include "Song.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>
#include <optional>

class LibraryStore;

// What the player remembers of the listener that the automatic playlists are made from: the liked file
// paths and how often each file was started. The player owns both; whoever asks for songs hands them in.
struct LikesAndPlays {
    QSet<QString> likes;
    QHash<QString, qint64> playCounts;

    qint64 plays(const QString& path) const { return playCounts.value(path, 0); }
};

// The three playlists the program keeps by itself. They hold no paths and are never stored: their songs are
// worked out afresh at every request. Each has a fixed id so pins, picks and the playlists page can name one
// like any stored playlist.
class AutoPlaylist {
public:
    enum Case { liked, mostPlayed, recentlyAdded };

    // How many songs "most played" keeps, and how many songs' worth of newest albums "recently added" takes.
    static constexpr int limit = 100;

    constexpr AutoPlaylist(Case c) : m_case(c) {}

    static QList<AutoPlaylist> allCases() { return {liked, mostPlayed, recentlyAdded}; }
    // The case with that id, in the order above; nothing for any other id.
    static std::optional<AutoPlaylist> fromId(const QUuid& id);

    Case value() const { return m_case; }
    QString rawValue() const;
    QUuid id() const;
    QString name() const;
    QString about() const;
    // The playlist value that stands for this case: its id and name, no paths, created in the distant past.
    Playlist playlist() const;

    QList<Song> songs(const LibraryStore& library, const LikesAndPlays& player) const;

    friend bool operator==(AutoPlaylist a, AutoPlaylist b) { return a.m_case == b.m_case; }

private:
    Case m_case;
};
