#pragma once

#include "platform/gst/AudioTapSink.h"

typedef struct _GstElement GstElement;

// A bin for playbin's "audio-filter" that lets an AudioTapSink see the first channel of the audio that
// plays. The audio is converted to interleaved native 32-bit float (a lossless step for 16- and 24-bit
// sources; float sources pass through untouched) and otherwise goes on unchanged.
//
// For each stream the sink gets prepare() with the sample rate before any samples, then analyze() for
// every buffer with its frame count and the stream time of its first frame, so that a frame can be matched
// to the position the player reports when it is heard. Both are called on GStreamer's streaming thread.
class AudioTap {
public:
    AudioTap();
    // Stops the feed; the bin itself lives on for as long as a pipeline holds it.
    ~AudioTap();
    AudioTap(const AudioTap&) = delete;
    AudioTap& operator=(const AudioTap&) = delete;

    // The bin; give it to playbin's "audio-filter" (which takes its own reference).
    GstElement* element() const { return m_bin; }
    // Where samples go from now on; null stops the feed. Safe to call while audio flows: it waits for a
    // buffer being handed to the previous sink to finish.
    void setSink(AudioTapSink* sink);

    // The largest number of frames handed to analyze() in one call; longer buffers are split.
    static constexpr int maxFrames = 8192;

    struct State; // what the streaming thread works with

private:
    GstElement* m_bin = nullptr;
    State* m_state = nullptr; // owned by the pad probe: freed with the bin
};
