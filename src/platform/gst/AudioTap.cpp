#include "platform/gst/AudioTap.h"
#include "platform/gst/GstStart.h"

#include <array>
#include <cmath>
#include <gst/audio/audio.h>
#include <gst/gst.h>
#include <mutex>

struct AudioTap::State {
    std::mutex lock; // held while the sink is used, so setSink() never pulls it away mid-call
    AudioTapSink* sink = nullptr;
    bool prepared = false; // the sink has been given this stream's format

    // Streaming thread only.
    int rate = 0;
    int channels = 0;
    GstSegment segment;
    double nextTime = NAN; // where the previous buffer ended, for a buffer without a timestamp
    std::array<float, maxFrames> firstChannel{};

    State() { gst_segment_init(&segment, GST_FORMAT_TIME); }

    void onEvent(GstEvent* event);
    void onBuffer(GstBuffer* buffer);
};

namespace {
GstPadProbeReturn probe(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto* state = static_cast<AudioTap::State*>(data);
    if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
        state->onBuffer(GST_PAD_PROBE_INFO_BUFFER(info));
    } else if (info->type & GST_PAD_PROBE_TYPE_BUFFER_LIST) {
        GstBufferList* list = GST_PAD_PROBE_INFO_BUFFER_LIST(info);
        for (guint i = 0, n = gst_buffer_list_length(list); i < n; ++i)
            state->onBuffer(gst_buffer_list_get(list, i));
    } else if (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
        state->onEvent(GST_PAD_PROBE_INFO_EVENT(info));
    }
    return GST_PAD_PROBE_OK;
}
} // namespace

void AudioTap::State::onEvent(GstEvent* event) {
    switch (GST_EVENT_TYPE(event)) {
    case GST_EVENT_STREAM_START:
        // A new stream (the next song) may keep the caps of the previous one, in which case no caps
        // event follows; the sink is then prepared at the first buffer.
        {
            std::lock_guard guard(lock);
            prepared = false;
        }
        nextTime = NAN;
        break;
    case GST_EVENT_CAPS: {
        GstCaps* caps = nullptr;
        gst_event_parse_caps(event, &caps);
        GstAudioInfo info;
        if (caps && gst_audio_info_from_caps(&info, caps) &&
            GST_AUDIO_INFO_FORMAT(&info) == GST_AUDIO_FORMAT_F32 &&
            GST_AUDIO_INFO_LAYOUT(&info) == GST_AUDIO_LAYOUT_INTERLEAVED) {
            rate = GST_AUDIO_INFO_RATE(&info);
            channels = GST_AUDIO_INFO_CHANNELS(&info);
        } else {
            rate = 0;
            channels = 0;
        }
        std::lock_guard guard(lock);
        if (sink) sink->prepare(rate);
        prepared = sink != nullptr;
        break;
    }
    case GST_EVENT_SEGMENT:
        gst_event_copy_segment(event, &segment);
        nextTime = NAN;
        break;
    default:
        break;
    }
}

void AudioTap::State::onBuffer(GstBuffer* buffer) {
    if (rate <= 0 || channels <= 0) return;
    std::lock_guard guard(lock);
    if (!sink) return;
    if (!prepared) {
        sink->prepare(rate);
        prepared = true;
    }

    double start = nextTime;
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    if (GST_CLOCK_TIME_IS_VALID(pts) && segment.format == GST_FORMAT_TIME) {
        const guint64 streamTime = gst_segment_to_stream_time(&segment, GST_FORMAT_TIME, pts);
        if (GST_CLOCK_TIME_IS_VALID(streamTime)) start = double(streamTime) / GST_SECOND;
    }

    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) return;
    const auto* samples = reinterpret_cast<const float*>(map.data);
    const qsizetype frames = qsizetype(map.size / (sizeof(float) * size_t(channels)));
    if (channels == 1) {
        for (qsizetype at = 0; at < frames; at += maxFrames)
            sink->analyze(samples + at, std::min<qsizetype>(maxFrames, frames - at),
                          start + double(at) / rate);
    } else {
        for (qsizetype at = 0; at < frames; at += maxFrames) {
            const qsizetype n = std::min<qsizetype>(maxFrames, frames - at);
            const float* from = samples + at * channels;
            for (qsizetype i = 0; i < n; ++i)
                firstChannel[size_t(i)] = from[i * channels];
            sink->analyze(firstChannel.data(), n, start + double(at) / rate);
        }
    }
    gst_buffer_unmap(buffer, &map);
    nextTime = start + double(frames) / rate;
}

AudioTap::AudioTap() {
    // The tap is a member of the player, made before the player's own body: it is the first to wait.
    GstStart::ready();
    m_bin = gst_bin_new("velto-audio-tap");
    gst_object_ref_sink(m_bin);
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
    if (!convert || !filter) {
        // Without the base plugins nothing plays at all; an empty bin keeps the caller's code simple.
        if (convert) gst_object_unref(convert);
        if (filter) gst_object_unref(filter);
        return;
    }
    GstCaps* caps = gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, GST_AUDIO_NE(F32), "layout",
                                        G_TYPE_STRING, "interleaved", nullptr);
    g_object_set(filter, "caps", caps, nullptr);
    gst_caps_unref(caps);
    gst_bin_add_many(GST_BIN(m_bin), convert, filter, nullptr);
    gst_element_link(convert, filter);

    GstPad* convertSink = gst_element_get_static_pad(convert, "sink");
    GstPad* filterSrc = gst_element_get_static_pad(filter, "src");
    gst_element_add_pad(m_bin, gst_ghost_pad_new("sink", convertSink));
    gst_element_add_pad(m_bin, gst_ghost_pad_new("src", filterSrc));

    m_state = new State;
    gst_pad_add_probe(filterSrc,
                      GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST |
                                      GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                      probe, m_state, [](gpointer data) { delete static_cast<State*>(data); });
    gst_object_unref(convertSink);
    gst_object_unref(filterSrc);
}

AudioTap::~AudioTap() {
    setSink(nullptr);
    gst_object_unref(m_bin);
}

void AudioTap::setSink(AudioTapSink* sink) {
    if (!m_state) return;
    std::lock_guard guard(m_state->lock);
    if (sink == m_state->sink) return;
    m_state->sink = sink;
    // A new sink learns the format before its first samples.
    m_state->prepared = false;
}
