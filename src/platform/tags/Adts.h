#pragma once

#include <optional>

class QIODevice;

// Raw AAC as encoders write it to ".aac" files: a run of ADTS frames, each with a small header giving its
// sample rate, its length in bytes and how many blocks of 1024 samples it carries. TagLib 1.13 has no reader
// for these, and asking GStreamer costs a pipeline per file, so the length is counted from the headers here.
namespace Adts {

// The length in seconds of the ADTS stream in `file` (read from its start; an ID3v2 tag in front and an
// ID3v1 or APE tag behind are passed over; a damaged stretch is skipped up to the next run of frames).
// nullopt when no run of frames is found near the start, so the bytes are not ADTS at all.
std::optional<double> seconds(QIODevice& file);

} // namespace Adts
