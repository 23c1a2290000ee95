#pragma once

#include <QString>
#include <gst/gst.h>

// Plays a file through playbin with `audioFilter` as its audio filter into a fake sink, as fast as the
// machine goes. With seekTo ≥ 0 the pipeline first prerolls, then seeks there (flushing, accurate) before
// playing. Answers whether the file played to its end without an error.
inline bool playThrough(const QString& path, GstElement* audioFilter, double seekTo = -1) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) return false;
    gchar* uri = gst_filename_to_uri(path.toLocal8Bit().constData(), nullptr);
    g_object_set(playbin, "uri", uri, "audio-filter", audioFilter, "audio-sink",
                 gst_element_factory_make("fakesink", nullptr), "video-sink",
                 gst_element_factory_make("fakesink", nullptr), nullptr);
    g_free(uri);
    GstBus* bus = gst_element_get_bus(playbin);
    auto waitFor = [&](GstMessageType type) {
        GstMessage* m =
            gst_bus_timed_pop_filtered(bus, 20 * GST_SECOND, GstMessageType(type | GST_MESSAGE_ERROR));
        const bool ok = m && GST_MESSAGE_TYPE(m) == type;
        if (m) gst_message_unref(m);
        return ok;
    };
    bool ok = true;
    if (seekTo >= 0) {
        gst_element_set_state(playbin, GST_STATE_PAUSED);
        ok = waitFor(GST_MESSAGE_ASYNC_DONE) &&
             gst_element_seek_simple(playbin, GST_FORMAT_TIME,
                                     GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                     gint64(seekTo * GST_SECOND)) &&
             waitFor(GST_MESSAGE_ASYNC_DONE);
    }
    if (ok) {
        gst_element_set_state(playbin, GST_STATE_PLAYING);
        ok = waitFor(GST_MESSAGE_EOS);
    }
    gst_element_set_state(playbin, GST_STATE_NULL);
    gst_object_unref(bus);
    gst_object_unref(playbin);
    return ok;
}
