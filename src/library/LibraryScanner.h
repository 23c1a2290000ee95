#pragma once

#include "Song.h"

#include <QHash>
#include <QList>
#include <QSet>
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

// Blocking; run it on a worker thread. Reads at most eight files at once; reports (0, total) first and then
// every 25 finished songs. `known` maps file paths to the previous scan's songs. One song per listed file,
// in the order they finished.
QList<Song> scan(const FileUrl& folder, const QHash<QString, Song>& known, const Progress& progress);

// The song of one file; always gives one, named from the file's name and folders when unreadable.
Song song(const FileUrl& at, const Song* known = nullptr);

} // namespace LibraryScanner
