// The spectrum analyser runs on the streaming thread for every sample that plays, and the light band reads
// it once per display frame: both must be cheap. Figures:
//   analyze: "realtime" = seconds of 44.1 kHz audio analysed per second of CPU (the target is ≥ 1000).
//   levels:  the time of one read of the 256-frame ring.
//   pipeline: CPU seconds per second of audio for decoding-free playback with and without the tap; the
//            difference is the share of one core the tap costs while a song plays.
#include "platform/gst/AudioTap.h"
#include "playback/AudioLevels.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <gst/gst.h>
#include <numbers>
#include <random>
#include <vector>

namespace {
constexpr double rate = 44100;

// Ten seconds of something music-like: a few tones and some noise.
std::vector<float> music() {
    std::vector<float> s(size_t(rate * 10));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> noise(-0.05f, 0.05f);
    for (size_t n = 0; n < s.size(); ++n) {
        const double t = double(n) / rate;
        s[n] = float(0.3 * std::sin(2 * std::numbers::pi * 110 * t) +
                     0.2 * std::sin(2 * std::numbers::pi * 440 * t) +
                     0.1 * std::sin(2 * std::numbers::pi * 3520 * t)) +
               noise(random);
    }
    return s;
}

void analyze(benchmark::State& state) {
    const auto samples = music();
    const size_t block = size_t(state.range(0));
    AudioLevels levels;
    levels.prepare(rate);
    double time = 0;
    size_t at = 0;
    for (auto _ : state) {
        if (at + block > samples.size()) at = 0;
        levels.analyze(samples.data() + at, qsizetype(block), time);
        at += block;
        time += double(block) / rate;
    }
    const double seconds = double(state.iterations()) * double(block) / rate;
    state.counters["realtime"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(analyze)->Arg(512)->Arg(1024)->Arg(4096);

void levelsRead(benchmark::State& state) {
    const auto samples = music();
    AudioLevels levels;
    levels.prepare(rate);
    levels.analyze(samples.data(), qsizetype(samples.size()), 0); // fills the ring
    std::array<float, AudioLevels::bandCount> into{};
    double to = 9.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(levels.levels(to - 1.0 / 60, to, into));
        to += 1e-6;
    }
}
BENCHMARK(levelsRead);

double processSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// 60 s of stereo 16-bit audio pushed as fast as it goes, with (1) or without (0) the tap and analyser.
void pipeline(benchmark::State& state) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    const bool tapped = state.range(0) != 0;
    double cpu = 0;
    for (auto _ : state) {
        AudioLevels levels;
        AudioTap tap;
        tap.setSink(&levels);
        GstElement* p =
            gst_parse_launch("audiotestsrc wave=pink-noise num-buffers=2584 samplesperbuffer=1024 ! "
                             "capsfilter name=src caps=audio/x-raw,format=S16LE,rate=44100,channels=2",
                             nullptr);
        GstElement* src = gst_bin_get_by_name(GST_BIN(p), "src");
        GstElement* sink = gst_element_factory_make("fakesink", nullptr);
        g_object_set(sink, "sync", FALSE, nullptr);
        gst_bin_add(GST_BIN(p), sink);
        if (tapped) {
            gst_bin_add(GST_BIN(p), tap.element());
            gst_element_link_many(src, tap.element(), sink, nullptr);
        } else {
            // The player converts to float on its way to the sound card anyway.
            GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
            gst_bin_add(GST_BIN(p), convert);
            gst_element_link_many(src, convert, sink, nullptr);
        }
        gst_object_unref(src);
        const double before = processSeconds();
        gst_element_set_state(p, GST_STATE_PLAYING);
        GstBus* bus = gst_element_get_bus(p);
        GstMessage* m = gst_bus_timed_pop_filtered(bus, GST_CLOCK_TIME_NONE,
                                                   GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        gst_message_unref(m);
        cpu += processSeconds() - before;
        gst_element_set_state(p, GST_STATE_NULL);
        gst_object_unref(bus);
        gst_object_unref(p);
    }
    state.counters["cpu_per_audio_s"] = cpu / (double(state.iterations()) * 2584 * 1024 / rate);
}
BENCHMARK(pipeline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
