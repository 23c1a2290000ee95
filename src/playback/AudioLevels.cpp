#include "playback/AudioLevels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fftw3.h>
#include <mutex>
#include <numbers>

namespace {
// FFTW's planner keeps global state and is not thread-safe; plans are made and destroyed under this lock.
std::mutex& plannerLock() {
    static std::mutex lock;
    return lock;
}
} // namespace

struct AudioLevels::Transform {
    float* input = nullptr;          // frameSize windowed samples
    fftwf_complex* output = nullptr; // binCount + 1 bins, zero frequency to half the sample rate
    fftwf_plan plan = nullptr;
};

AudioLevels::AudioLevels() {
    for (int n = 0; n < frameSize; ++n)
        m_window[n] = float(0.5 * (1.0 - std::cos(2.0 * std::numbers::pi * n / frameSize)));

    m_fft = new Transform;
    m_fft->input = fftwf_alloc_real(frameSize);
    m_fft->output = fftwf_alloc_complex(binCount + 1);
    std::fill_n(m_fft->input, frameSize, 0.0f);
    std::lock_guard guard(plannerLock());
    // Planned once for these two buffers: no planning, and no allocation, happens while audio flows. The
    // plan is estimated, not measured: measuring ran test transforms for about 0.2 s on the GUI thread at
    // every start, before the window, for a gain of microseconds on a 2048-point transform.
    m_fft->plan = fftwf_plan_dft_r2c_1d(frameSize, m_fft->input, m_fft->output, FFTW_ESTIMATE);
}

AudioLevels::~AudioLevels() {
    {
        std::lock_guard guard(plannerLock());
        fftwf_destroy_plan(m_fft->plan);
    }
    fftwf_free(m_fft->input);
    fftwf_free(m_fft->output);
    delete m_fft;
}

void AudioLevels::prepare(double sampleRate) {
    m_sampleRate = sampleRate;
    m_rangeCount = 0;
    if (std::isfinite(sampleRate) && sampleRate > 0) {
        const float b = float(sampleRate / frameSize);
        m_binWidth = b;
        int lower = 1;
        for (int i = 1; i <= bandCount; ++i) {
            // Upper edge in bins: 40 Hz × 350^(i/32). Clamped before the conversion to an integer so that
            // an absurdly low rate cannot overflow it; the clamp does not change the band.
            const float e = 40.0f * std::pow(350.0f, float(i) / bandCount) / b;
            const int hi = std::max(int(std::min(e, float(binCount))), lower);
            const BinRange range{lower, std::min(hi, binCount - 1)};
            m_ranges[i - 1] = range;
            const float centre = b * float(range.lower + range.upper) / 2;
            m_tilt[i - 1] = 3.5f * std::log2(std::max(centre, 40.0f) / 40.0f);
            lower = std::min(hi + 1, binCount - 1);
        }
        m_rangeCount = bandCount;
    } else {
        m_binWidth = 0;
    }
    m_ring.reset();
}

void AudioLevels::analyze(const float* samples, qsizetype count, double start) {
    if (count < 1 || m_rangeCount != bandCount || !std::isfinite(start)) return;

    // Samples that do not follow on from the carried ones belong to another place in the song.
    if (m_carried == 0 || std::abs(start - (m_carryStart + m_carried / m_sampleRate)) > 0.05) {
        m_carried = 0;
        m_carryStart = start;
    }

    while (count > 0) {
        const qsizetype chunk = std::min<qsizetype>(count, carryCapacity - m_carried);
        std::memcpy(m_carry.data() + m_carried, samples, size_t(chunk) * sizeof(float));
        m_carried += int(chunk);
        samples += chunk;
        count -= chunk;
        while (m_carried >= frameSize) {
            measure(m_carry.data());
            // Stamped with the middle of its window.
            m_ring.store(m_carryStart + (frameSize / 2) / m_sampleRate, m_levels);
            std::memmove(m_carry.data(), m_carry.data() + hop, size_t(m_carried - hop) * sizeof(float));
            m_carried -= hop;
            m_carryStart += hop / m_sampleRate;
        }
    }
}

void AudioLevels::measure(const float* samples) {
    float* input = m_fft->input;
    for (int n = 0; n < frameSize; ++n)
        input[n] = samples[n] * m_window[n];
    fftwf_execute(m_fft->plan);

    // The level formula below was tuned on a packed real transform whose results are twice the plain
    // DFT, with the zero-frequency and half-rate terms sharing bin 0; FFTW gives the plain DFT, so every
    // squared magnitude is scaled by 4 to match.
    const fftwf_complex* out = m_fft->output;
    m_power[0] = 4 * (out[0][0] * out[0][0] + out[binCount][0] * out[binCount][0]);
    for (int k = 1; k < binCount; ++k)
        m_power[k] = 4 * (out[k][0] * out[k][0] + out[k][1] * out[k][1]);

    float frameMax = -INFINITY;
    std::array<bool, bandCount> silent{};
    for (int i = 0; i < bandCount; ++i) {
        const BinRange r = m_ranges[i];
        float sum = 0;
        for (int k = r.lower; k <= r.upper; ++k)
            sum += m_power[k];
        const float mean = sum / float(r.upper - r.lower + 1);
        silent[i] = mean == 0;
        m_levels[i] = 10 * std::log10(mean * 0x1p-18f + 1e-12f) + m_tilt[i];
        frameMax = std::max(frameMax, m_levels[i]);
    }

    m_loudest = std::max(frameMax, float(double(m_loudest) - 1536.0 / m_sampleRate));

    for (int i = 0; i < bandCount; ++i) {
        float v = (m_levels[i] - (m_loudest - 38)) / 38;
        // Also turns a NaN into 0.
        if (!(v > 0)) v = 0;
        if (v > 1) v = 1;
        // A band with no energy at all is dark. Without this, long digital silence lets the running peak
        // sink to the numerical floor, and the floor plus the tilt would light the treble bands.
        if (silent[i]) v = 0;
        m_levels[i] = std::pow(v, 1.4f);
    }
}
