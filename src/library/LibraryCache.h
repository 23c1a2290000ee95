#pragma once

#include "Song.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The text of the library cache ("library-2.json"): a JSON array of songs in the form of Song::toJson. At
// 100,000 songs this is about 40 MB, written after every scan that changed something and read at every
// start, so both directions skip QJsonDocument's tree: the writer appends text directly and the reader
// walks the text once with simdjson. The rules stay those of Song::fromJson: a cache either of them accepts
// or rejects, the other does too.
namespace LibraryCache {

// Appends one song's JSON object. Non-finite numbers (which JSON cannot hold) are written as 0, so one odd
// song never makes the whole cache unreadable.
void appendSong(QByteArray& out, const Song& song);

// The whole cache text.
QByteArray encode(const QList<Song>& songs);

// nullopt when the text is not JSON, not an array, or any song in it is malformed (a missing key, a value
// of the wrong type, a number that is not a whole 64-bit integer where one is needed).
std::optional<QList<Song>> decode(const QByteArray& json);

} // namespace LibraryCache
