#pragma once

#include "Song.h"

#include <QSet>
#include <QString>
#include <atomic>
#include <functional>

// Copying dropped songs and folders into the music folder, filed by album artist and album. The music files
// are copied unchanged; songs the library already has are skipped; pictures beside the songs come along.
namespace MusicImport {

// A folder name made from a tag: never a path of its own ("/", ":" and NUL become "-"), never hidden or a
// parent reference (dots and white space trimmed from both ends), at most 255 bytes; "Unknown" when empty.
QString cleanFolderName(const QString& name);

struct Result {
    int added = 0;
    int skipped = 0;
    // "added 3 songs", "added 3 songs, 2 already here" or "no songs in what you dropped".
    QString endText;
};

using Status = std::function<void(const QString& text)>;
using Identity = std::function<QString(const Song&)>;

// Blocking: run it off the GUI thread. `known` holds the identities of the songs the library has; `status`
// receives "copying {i} of {n} songs" before each file. Only local files are taken; files already inside
// the music folder (compared by canonical path, so a symlinked folder counts) are neither copied nor counted.
// A set `stop` ends the run before the next file: every copy made is whole (QFile::copy writes a temporary
// file and renames it), and nothing is left half-written.
Result run(const QList<FileUrl>& items, const QString& musicFolder, const QSet<QString>& known,
           const Identity& identity, const Status& status, const std::atomic<bool>* stop = nullptr);

// Copies every jpg, jpeg and png of `from` into `to` unless one of that name is already there.
void copyCovers(const QString& from, const QString& to);

} // namespace MusicImport
