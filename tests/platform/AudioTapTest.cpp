#include "platform/gst/AudioTap.h"
#include "support/PlayThrough.h"
#include "support/TestHome.h"

#include <cmath>
#include <gst/gst.h>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

namespace {
// Records what the tap delivers.
struct Recorder : AudioTapSink {
    struct Block {
        double start;
        qsizetype frames;
    };
    std::mutex lock;
    std::vector<double> rates;
    std::vector<Block> blocks;
    std::vector<float> samples;
    bool samplesBeforePrepare = false;

    void prepare(double sampleRate) override {
        std::lock_guard guard(lock);
        rates.push_back(sampleRate);
    }
    void analyze(const float* s, qsizetype frames, double start) override {
        std::lock_guard guard(lock);
        if (rates.empty()) samplesBeforePrepare = true;
        blocks.push_back({start, frames});
        samples.insert(samples.end(), s, s + frames);
    }
    qsizetype frames() const {
        qsizetype n = 0;
        for (const Block& b : blocks)
            n += b.frames;
        return n;
    }
};

// Blocks whose start does not follow on from the end of the block before them.
std::vector<size_t> jumps(const std::vector<Recorder::Block>& blocks, double rate) {
    std::vector<size_t> at;
    for (size_t i = 1; i < blocks.size(); ++i) {
        const double expected = blocks[i - 1].start + double(blocks[i - 1].frames) / rate;
        if (std::abs(blocks[i].start - expected) > 1e-4) at.push_back(i);
    }
    return at;
}

// Runs `source` (a pipeline description ending in a named capsfilter "src") through the tap, if given,
// into a fake sink, and returns the bytes that reached the sink.
QByteArray run(const char* source, AudioTap* tap) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(source, &error);
    EXPECT_EQ(error, nullptr) << (error ? error->message : "");
    if (error) g_error_free(error);
    GstElement* src = gst_bin_get_by_name(GST_BIN(pipeline), "src");
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(sink, "signal-handoffs", TRUE, "sync", FALSE, nullptr);
    QByteArray out;
    g_signal_connect(sink, "handoff", G_CALLBACK(+[](GstElement*, GstBuffer* buffer, GstPad*, gpointer data) {
                         GstMapInfo map;
                         gst_buffer_map(buffer, &map, GST_MAP_READ);
                         static_cast<QByteArray*>(data)->append(reinterpret_cast<const char*>(map.data),
                                                                qsizetype(map.size));
                         gst_buffer_unmap(buffer, &map);
                     }),
                     &out);
    gst_bin_add(GST_BIN(pipeline), sink);
    if (tap) {
        gst_bin_add(GST_BIN(pipeline), tap->element());
        EXPECT_TRUE(gst_element_link_many(src, tap->element(), sink, nullptr));
    } else {
        EXPECT_TRUE(gst_element_link(src, sink));
    }
    gst_object_unref(src);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* m =
        gst_bus_timed_pop_filtered(bus, 20 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    EXPECT_TRUE(m && GST_MESSAGE_TYPE(m) == GST_MESSAGE_EOS);
    if (m) gst_message_unref(m);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    // The pipeline may outlive our reference for a moment (a streaming thread still holding it), and the
    // tap must be free to join the next one.
    if (tap) gst_bin_remove(GST_BIN(pipeline), tap->element());
    gst_object_unref(bus);
    gst_object_unref(pipeline);
    return out;
}
} // namespace

TEST(AudioTap, PassesTheSoundAndHandsOverTheFirstChannel) {
    // Stereo with the two channels told apart: the right one is quieter.
    const char* stereo = "audiotestsrc wave=sine freq=440 num-buffers=20 samplesperbuffer=1000 ! "
                         "audio/x-raw,format=F32LE,rate=48000,channels=2 ! audiopanorama method=simple "
                         "panorama=-0.5 ! capsfilter name=src caps=audio/x-raw,format=F32LE";
    Recorder recorder;
    AudioTap tap;
    tap.setSink(&recorder);
    const QByteArray plain = run(stereo, nullptr);
    const QByteArray tapped = run(stereo, &tap);
    ASSERT_EQ(plain.size(), 20 * 1000 * 2 * 4);
    EXPECT_EQ(tapped, plain);

    std::lock_guard guard(recorder.lock);
    EXPECT_FALSE(recorder.samplesBeforePrepare);
    EXPECT_EQ(recorder.rates, std::vector<double>{48000});
    ASSERT_EQ(recorder.samples.size(), 20u * 1000);
    const auto* interleaved = reinterpret_cast<const float*>(plain.constData());
    size_t differs = 0;
    for (size_t i = 0; i < recorder.samples.size(); ++i) {
        EXPECT_EQ(recorder.samples[i], interleaved[2 * i]) << i;
        differs += interleaved[2 * i] != interleaved[2 * i + 1];
        if (HasFailure()) break;
    }
    EXPECT_GT(differs, 10000u); // the channels really differ
    EXPECT_EQ(recorder.blocks.front().start, 0.0);
    EXPECT_TRUE(jumps(recorder.blocks, 48000).empty());
}

TEST(AudioTap, IntegerSamplesReachTheSinkAsFloats) {
    Recorder recorder;
    AudioTap tap;
    tap.setSink(&recorder);
    const QByteArray tapped = run("audiotestsrc wave=sine freq=1000 num-buffers=4 samplesperbuffer=512 ! "
                                  "capsfilter name=src caps=audio/x-raw,format=S16LE,rate=22050,channels=1",
                                  &tap);
    std::lock_guard guard(recorder.lock);
    ASSERT_EQ(recorder.samples.size(), 4u * 512);
    EXPECT_EQ(recorder.rates, std::vector<double>{22050});
    // What goes on is the same audio as floats, and it is exactly what the sink saw.
    ASSERT_EQ(tapped.size(), 4 * 512 * 4);
    EXPECT_EQ(std::memcmp(tapped.constData(), recorder.samples.data(), size_t(tapped.size())), 0);
    float peak = 0;
    for (float s : recorder.samples)
        peak = std::max(peak, std::abs(s));
    EXPECT_NEAR(peak, 0.8, 0.01); // audiotestsrc's default volume
}

TEST(AudioTap, FeedsStreamTimesThatFollowThePlaybackAndASeek) {
    struct Case {
        const char* file;
        double seekTo;
    };
    for (const Case& c : {Case{"tone.flac", -1}, Case{"tone.wav", 1.25}, Case{"tone.flac", 0.5}}) {
        SCOPED_TRACE(std::string(c.file) + " seek " + std::to_string(c.seekTo));
        Recorder recorder;
        AudioTap tap;
        tap.setSink(&recorder);
        ASSERT_TRUE(playThrough(fixturePath(QString::fromLatin1(c.file)), tap.element(), c.seekTo));
        std::lock_guard guard(recorder.lock);
        EXPECT_FALSE(recorder.samplesBeforePrepare);
        ASSERT_FALSE(recorder.rates.empty());
        EXPECT_EQ(recorder.rates.back(), 44100);
        ASSERT_FALSE(recorder.blocks.empty());
        const auto jumped = jumps(recorder.blocks, 44100);
        // Whatever prerolled before a seek, the blocks after it start at the target and run on without a gap.
        const size_t from = jumped.empty() ? 0 : jumped.back();
        EXPECT_LE(jumped.size(), c.seekTo >= 0 ? 1u : 0u);
        EXPECT_NEAR(recorder.blocks[from].start, std::max(c.seekTo, 0.0), 1e-3);
        const auto& last = recorder.blocks.back();
        EXPECT_NEAR(last.start + double(last.frames) / 44100, 2.0, 0.03);
    }
}

TEST(AudioTap, ASinkSetLaterIsPreparedBeforeItsFirstSamples) {
    AudioTap tap;
    Recorder first, second;
    tap.setSink(&first);
    const char* mono = "audiotestsrc num-buffers=3 ! capsfilter name=src "
                       "caps=audio/x-raw,format=F32LE,rate=32000,channels=1";
    run(mono, &tap);
    tap.setSink(&second);
    run(mono, &tap);
    tap.setSink(nullptr);
    run(mono, &tap);
    std::lock_guard guard1(first.lock), guard2(second.lock);
    EXPECT_EQ(first.rates, std::vector<double>{32000});
    EXPECT_EQ(first.blocks.size(), 3u);
    EXPECT_EQ(second.rates, std::vector<double>{32000});
    EXPECT_EQ(second.blocks.size(), 3u);
    EXPECT_FALSE(second.samplesBeforePrepare);
}
