#pragma once

#include "AutoPlaylist.h"
#include "Playlist.h"
#include "Song.h"

#include <QList>
#include <QObject>
#include <QUuid>
#include <optional>

class LibraryStore;

// The user's playlists, newest first, kept in "playlists.json". The one owner of that file: it is read once
// when the store is made and written whole after every change (by a writer thread, see waitForWrites; the
// changes made while a write is under way are written together once it ends).
// Lookups also know the three automatic playlists, which can be named by id but never edited: every editing
// operation looks the id up among the stored playlists only and does nothing (count 0) when it is not there.
// The store posts no notices; the callers tell the user what happened.
class PlaylistStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<Playlist> playlists READ playlists NOTIFY playlistsChanged)

public:
    explicit PlaylistStore(QObject* parent = nullptr);
    // Waits for the file to hold every change.
    ~PlaylistStore() override;

    const QList<Playlist>& playlists() const { return m_playlists; }

    // A stored playlist, else the value of an automatic one, else nothing.
    std::optional<Playlist> playlist(const QUuid& id) const;
    // The songs in playlist order: an automatic playlist's are worked out now; a stored playlist's paths
    // that have no song in the library are skipped, and a path listed twice gives its song twice.
    QList<Song> songs(const Playlist& playlist, const LibraryStore& library,
                      const LikesAndPlays& player) const;
    QList<Playlist> automatic() const;

    // A new playlist at the front; no name, or one that is only white space, gets a fresh "new playlist".
    Playlist create(const std::optional<QString>& name, const QList<Song>& songs);
    // White space only changes nothing; any other name is taken, even one another playlist has.
    void rename(const QUuid& id, const QString& name);
    void deletePlaylist(const QUuid& id);
    // Appends the songs the playlist does not have yet (a new song given twice is appended twice) and
    // returns how many were appended.
    int add(const QList<Song>& songs, const QUuid& to);
    // Removes every occurrence of the song.
    void remove(const Song& song, const QUuid& from);
    // Drag and drop: the songs move as one block in front of `before` (or to the end), leaving their old
    // places. Returns how many of them were new to the playlist.
    int place(const QList<Song>& songs, const std::optional<Song>& before, const QUuid& in);
    // Swaps the song's first occurrence with the entry `offset` places away, when there is one.
    void move(const Song& song, int offset, const QUuid& in);

    static QString filePath();
    // The file is written after each change off the GUI thread, in order; this waits until every change
    // made so far, by any store, is on disk.
    static void waitForWrites();

signals:
    // Every change, after the finer signal below that says what it was. Views holding rows of one playlist
    // follow the finer ones, so that one edit never rebuilds a long list.
    void playlistsChanged();
    // A new playlist stands at the front.
    void playlistCreated(const QUuid& id);
    void playlistDeleted(const QUuid& id);
    void playlistRenamed(const QUuid& id);
    // `count` paths were appended at the end, the first of them at `from`.
    void pathsAppended(const QUuid& id, qsizetype from, qsizetype count);
    // Every entry of `path` left the playlist; it had `entries` of them.
    void pathsRemoved(const QUuid& id, const QString& path, qsizetype entries);
    // Every entry of `paths` left its place, and the paths (each once, in this order) now stand just before
    // the first entry of `before`, or at the end when `before` is empty.
    void pathsPlaced(const QUuid& id, const QStringList& paths, const QString& before);
    // The entries at `from` and `to` swapped places.
    void pathsMoved(const QUuid& id, qsizetype from, qsizetype to);

private:
    std::optional<qsizetype> index(const QUuid& id) const;
    QString freshName() const;
    void changed();
    void save();
    void write();
    void written();

    QList<Playlist> m_playlists;
    // A write of the file is under way; changes made meanwhile are written when it ends.
    bool m_writing = false;
    bool m_unsaved = false;
};
