#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What one audio file says about itself, raw: every text of each field in the order the file's tags give
// them (several tag formats in one file follow one another), and its length. Turning this into a song
// (trimming, numbers, fallbacks from the file name) is the library's business.
struct FileTags {
    // False when no reader understood the file (damaged, not audio, or a format nothing here reads).
    bool readable = false;
    // Length in seconds: finite and never negative, 0 when unknown.
    double seconds = 0;
    QStringList title;
    QStringList artist;
    QStringList album;
    QStringList albumArtist;
    QStringList genre;
    QStringList date;
    // Track and disc as text: "3", "3/12", or whatever the tag holds.
    QStringList track;
    QStringList disc;
};

// Reads tags, lengths and embedded pictures with TagLib; raw ADTS AAC is measured from its frame headers,
// and the formats nothing here reads (CAF, ALAC named as such) go to GStreamer's discoverer with a short
// timeout. Safe to call from several threads at once.
namespace TagReader {

FileTags read(const QString& path);

// Whether the file's extension is one TagLib has no reader for, so that reading it may take GStreamer's
// discoverer (slow on its first use, and on broken files up to the timeout below).
bool needsDiscoverer(const QString& path);

// The bytes of the picture embedded in the file (the front cover when several are there), as stored
// (JPEG, PNG, …); empty when there is none or the file cannot be read.
QByteArray embeddedPicture(const QString& path);

// How long the discoverer may take on one file before it counts as unreadable: GStreamer spins forever on
// some broken files.
inline constexpr int discovererTimeoutSeconds = 3;

} // namespace TagReader
