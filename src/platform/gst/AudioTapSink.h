#pragma once

#include <QtGlobal>

// What receives the samples of the playing audio. Called on GStreamer's streaming thread: implementations
// must not block for long or allocate while audio flows.
class AudioTapSink {
public:
    virtual ~AudioTapSink() = default;
    // The stream's format, before any samples of it arrive.
    virtual void prepare(double sampleRate) = 0;
    // `frames` samples of the first channel, 32-bit float; `streamTime` is the media time of the first one
    // in seconds.
    virtual void analyze(const float* samples, qsizetype frames, double streamTime) = 0;
};
