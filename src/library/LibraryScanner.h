#pragma once

#include "Song.h"
#include "platform/tags/TagReader.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <atomic>
#include <functional>

// Turns the music folder into songs: walks it for playable files and reads each file's dates, size and
// tags, reusing the song of the previous scan when the file's modification date is unchanged (so a rescan
// of an untouched library opens no file).
namespace LibraryScanner {

// The lower-case extensions treated as songs.
const QSet<QString>& playable();
bool isPlayable(const QString& path);

// The playable files at or under `location`: the location itself when its extension is playable (without
// checking it exists), else the walk of the folder (hidden items skipped). Never fails: empty when
// unreadable.
QList<FileUrl> files(const FileUrl& location);

using Progress = std::function<void(qsizetype done, qsizetype total)>;

// Asked of a scan from another thread to end it early: the walk and the readers look at it between folders
// and files, so a quit during a first scan of a large library does not wait for the whole library.
using StopFlag = std::atomic<bool>;

// Blocking; run it on a worker thread. Reads at most eight files at once; reports (0, total) first and then
// every 25 finished songs. `known` maps file paths to the previous scan's songs. One song per listed file,
// in the order they finished; a stopped scan returns what it finished, which is not the folder's songs.
QList<Song> scan(const FileUrl& folder, const QHash<QString, Song>& known, const Progress& progress,
                 const StopFlag* stop = nullptr);

// The song of one file; always gives one, named from the file's name and folders when unreadable.
Song song(const FileUrl& at, const Song* known = nullptr);

// `scan` with another way of making each file's song (`song` itself in the real scan); the reads run on
// the scan's own eight reader threads.
using SongReader = std::function<Song(const FileUrl& at, const Song* known)>;
QList<Song> scan(const FileUrl& folder, const QHash<QString, Song>& known, const Progress& progress,
                 const SongReader& read, const StopFlag* stop = nullptr);

// The songs the last scan gave, looked up by path (the first of a doubled path standing) without copying
// any of them into a map: at 100,000 songs a map of copies is a hundred megabytes.
class KnownSongs {
public:
    KnownSongs() = default;
    KnownSongs(const QList<Song>& songs); // NOLINT(google-explicit-constructor): a list is its songs
    const Song* find(const QString& path) const {
        const auto it = m_index.constFind(path);
        return it == m_index.cend() ? nullptr : &m_songs.at(*it);
    }
    const QList<Song>& songs() const { return m_songs; }
    // Distinct paths.
    qsizetype paths() const { return m_index.size(); }

private:
    QList<Song> m_songs; // shared with the caller's list, not copied
    QHash<QString, qsizetype> m_index;
};

// The store's scan: the known songs are looked up in `known`, and with `cacheText` the readers also write
// the library cache's text of the result (LibraryCache::encode of the returned list) as each song finishes,
// so no serial encoding follows the scan. Texts that many songs share (artist, album, genre) are kept once.
QList<Song> scanReusing(const FileUrl& folder, const KnownSongs& known, const Progress& progress,
                        const StopFlag* stop = nullptr, QByteArray* cacheText = nullptr,
                        const SongReader& read = {});

// What a file name (without its extension) says: "Artist - Album - 07 - Title", "03 Song", "Song".
struct FileNameParts {
    std::optional<QString> artist;
    std::optional<QString> album;
    std::optional<qint64> track;
    QString title;
    friend bool operator==(const FileNameParts&, const FileNameParts&) = default;
};
FileNameParts parseFileName(const QString& name);

// The song of a file from its raw tags, its name and the names of its folders; the dates and size come
// from the file system.
Song songFromTags(const FileUrl& url, const FileTags& tags, Date modified, Date added, qint64 bytes);

} // namespace LibraryScanner
