#pragma once

#include "platform/gst/AudioTapSink.h"
#include "playback/LevelRing.h"

#include <array>
#include <span>

// Turns the samples of the playing song into 32 band levels between 0 and 1, one frame every 256 samples,
// and keeps the latest 256 frames stamped with the media time they describe (see LevelRing). The audio tap
// feeds it on the streaming thread; the light band reads it on the main thread with levels().
//
// Each frame is a Hann-windowed 2048-point transform. Bands run from about 48 Hz to 14 kHz on a logarithmic
// scale and are tilted up by 3.5 dB per octave, because music carries far less energy in the treble and a
// flat display would show little but bass. Levels are relative to a running peak that follows any louder
// frame at once and otherwise sinks by 6 dB per second of audio, so quiet and loud songs both fill the
// display.
//
// Everything but the ring belongs to the streaming thread. Nothing is allocated once the object is made.
class AudioLevels final : public AudioTapSink {
public:
    static constexpr int bandCount = LevelRing::bandCount;
    static constexpr int frameSize = 2048;
    static constexpr int binCount = frameSize / 2;
    static constexpr int hop = 256;
    static constexpr int carryCapacity = 16384;

    // The transform bins one band covers, both ends included.
    struct BinRange {
        int lower = 0;
        int upper = 0;
        friend bool operator==(const BinRange&, const BinRange&) = default;
    };

    // Makes the transform plan; call it on one thread at a time with any other FFTW planning.
    AudioLevels();
    ~AudioLevels() override;
    AudioLevels(const AudioLevels&) = delete;
    AudioLevels& operator=(const AudioLevels&) = delete;

    // A new stream: computes the bands for its sample rate and empties the ring. A rate that is not a
    // positive finite number leaves no bands, and analyze() then ignores the stream.
    void prepare(double sampleRate) override;
    // Consumes mono samples whose first one plays at `start` seconds of media time, storing every frame
    // that becomes complete. A block that does not follow on from the samples kept from earlier blocks
    // (a seek, a new song) starts afresh.
    void analyze(const float* samples, qsizetype count, double start) override;

    // Main thread: the levels of the media-time span (from, to]; see LevelRing::levels.
    bool levels(double from, double to, std::span<float, bandCount> into) const {
        return m_ring.levels(from, to, into);
    }
    void reset() { m_ring.reset(); }

    // Streaming thread (or a test that drives the object alone).
    double sampleRate() const { return m_sampleRate; }
    float binWidth() const { return m_binWidth; }
    std::span<const BinRange> bands() const { return {m_ranges.data(), size_t(m_rangeCount)}; }
    std::span<const float, bandCount> tilt() const { return m_tilt; }

private:
    void measure(const float* samples);

    LevelRing m_ring;

    struct Transform;
    Transform* m_fft = nullptr;
    std::array<float, frameSize> m_window{};
    std::array<float, binCount> m_power{};
    std::array<float, bandCount> m_levels{};

    double m_sampleRate = 44100;
    float m_binWidth = 0;
    std::array<BinRange, bandCount> m_ranges{};
    int m_rangeCount = 0;
    std::array<float, bandCount> m_tilt{};
    float m_loudest = -20;

    std::array<float, carryCapacity> m_carry{};
    int m_carried = 0;
    double m_carryStart = 0;
};
