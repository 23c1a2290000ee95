#include "GstMediaBackend.h"
#include "GstStart.h"

#include <QDebug>
#include <QPointer>
#include <cmath>
#include <gst/gst.h>

namespace {
// playbin's "flags": audio only, volume applied in software.
constexpr guint playFlagAudio = 1u << 1;
constexpr guint playFlagSoftVolume = 1u << 4;

QString sinkFromEnvironment() {
    return qEnvironmentVariable("VELTO_AUDIO_SINK");
}
} // namespace

GstMediaBackend::GstMediaBackend(std::optional<QString> sinkDescription, QObject* parent)
    : MediaBackend(parent) {
    // Nothing plays without it; said plainly rather than failing later on a missing element.
    if (!GstStart::ready()) qFatal("GStreamer cannot be initialised");
    m_pipeline = gst_element_factory_make("playbin", nullptr);
    Q_ASSERT(m_pipeline);
    gst_object_ref_sink(m_pipeline);
    g_object_set(m_pipeline, "flags", playFlagAudio | playFlagSoftVolume, nullptr);
    // Installed once, while the pipeline is still stopped (playbin takes filters only then); each new
    // stream tells the tap's sink its format before any of its samples.
    g_object_set(m_pipeline, "audio-filter", m_audioTap.element(), nullptr);

    const QString description = sinkDescription.value_or(sinkFromEnvironment()).trimmed();
    GstElement* sink = nullptr;
    if (!description.isEmpty()) {
        GError* error = nullptr;
        sink = gst_parse_bin_from_description(description.toUtf8().constData(), TRUE, &error);
        if (!sink) {
            qWarning() << "audio sink" << description << "cannot be made:" << (error ? error->message : "");
        }
        if (error) g_error_free(error);
    }
    if (!sink) {
        sink = gst_element_factory_make("autoaudiosink", nullptr);
        m_defaultSink = sink;
    }
    if (sink) g_object_set(m_pipeline, "audio-sink", sink, nullptr);

    GstBus* bus = gst_element_get_bus(m_pipeline);
    gst_bus_set_sync_handler(bus, reinterpret_cast<GstBusSyncHandler>(&GstMediaBackend::onBusMessage), this,
                             nullptr);
    gst_object_unref(bus);
}

GstMediaBackend::~GstMediaBackend() {
    // Stopping joins the streaming threads, so no bus message can arrive once the handler is gone.
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(m_pipeline);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(m_pipeline);
}

int GstMediaBackend::onBusMessage(GstBus*, GstMessage* message, void* data) {
    auto* self = static_cast<GstMediaBackend*>(data);
    Kind kind;
    QString text;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        kind = Kind::Ended;
        break;
    case GST_MESSAGE_ERROR: {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        kind = Kind::Failed;
        text = error ? QString::fromUtf8(error->message) : QString();
        if (error) g_error_free(error);
        break;
    }
    case GST_MESSAGE_WARNING: {
        GError* error = nullptr;
        gst_message_parse_warning(message, &error, nullptr);
        kind = Kind::Warning;
        text = error ? QString::fromUtf8(error->message) : QString();
        if (error) g_error_free(error);
        break;
    }
    case GST_MESSAGE_ASYNC_DONE:
        kind = Kind::AsyncDone;
        break;
    default:
        return GST_BUS_PASS;
    }
    const quint64 generation = self->m_busGeneration.load();
    // A queued call to a destroyed object is discarded by Qt, and the destructor stops the threads first.
    QMetaObject::invokeMethod(
        self, [self, generation, kind, text] { self->handle(generation, kind, text); }, Qt::QueuedConnection);
    // Passed on rather than dropped here: messages dropped on the streaming threads left about 85 KB per
    // song behind in this GStreamer (measured on a bare playbin), while those queued and then cleared from
    // this object's thread are released in full. The queue is cleared at every load and every report.
    return GST_BUS_PASS;
}

void GstMediaBackend::clearBus() {
    GstBus* bus = gst_element_get_bus(m_pipeline);
    while (GstMessage* message = gst_bus_pop(bus))
        gst_message_unref(message);
    gst_object_unref(bus);
}

quint64 GstMediaBackend::load(const QString& path) {
    // READY stops the streaming threads: whatever the old item still posts is posted before the
    // generation moves on, so it is recognised as stale.
    gst_element_set_state(m_pipeline, GST_STATE_READY);
    clearBus();
    const quint64 generation = nextGeneration();
    m_busGeneration.store(generation);
    m_pendingSeek.reset();
    m_seekTarget.reset();
    m_prerolled = false;
    m_readyReported = false;
    m_hasItem = true;

    gchar* uri = gst_filename_to_uri(path.toUtf8().constData(), nullptr);
    g_object_set(m_pipeline, "uri", uri ? uri : "file:///", nullptr);
    g_free(uri);
    g_object_set(m_pipeline, "volume", double(m_volume), nullptr);
    gst_element_set_state(m_pipeline, m_running ? GST_STATE_PLAYING : GST_STATE_PAUSED);
    return generation;
}

void GstMediaBackend::play() {
    m_running = true;
    if (m_hasItem) gst_element_set_state(m_pipeline, GST_STATE_PLAYING);
}

void GstMediaBackend::pause() {
    m_running = false;
    if (m_hasItem) gst_element_set_state(m_pipeline, GST_STATE_PAUSED);
}

void GstMediaBackend::reset() {
    m_running = false;
    m_prerolled = false;
    // Opened again later, the item has to start again, and says so again.
    m_readyReported = false;
    m_pendingSeek.reset();
    m_seekTarget.reset();
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
}

void GstMediaBackend::setVolume(float volume) {
    m_volume = volume;
    g_object_set(m_pipeline, "volume", double(volume), nullptr);
}

void GstMediaBackend::seekExact(double seconds) {
    seek(seconds, true);
}
void GstMediaBackend::seekFast(double seconds) {
    seek(seconds, false);
}

void GstMediaBackend::seek(double seconds, bool exact) {
    if (!m_hasItem || !std::isfinite(seconds)) return;
    const Seek wanted{std::max(0.0, seconds), exact};
    m_seekTarget = wanted.seconds;
    // Before the item has prerolled there is nothing to seek in yet: the seek waits for it.
    if (!m_prerolled || !applySeek(wanted)) m_pendingSeek = wanted;
}

bool GstMediaBackend::applySeek(const Seek& seek) {
    const auto flags = GstSeekFlags(
        GST_SEEK_FLAG_FLUSH |
        (seek.exact ? GST_SEEK_FLAG_ACCURATE : GST_SEEK_FLAG_KEY_UNIT | GST_SEEK_FLAG_SNAP_NEAREST));
    const bool done = gst_element_seek_simple(m_pipeline, GST_FORMAT_TIME, flags,
                                              gint64(std::llround(seek.seconds * double(GST_SECOND))));
    // A flushing seek makes the pipeline preroll again; the next ASYNC_DONE says it landed.
    if (done) m_prerolled = false;
    return done;
}

double GstMediaBackend::position() const {
    if (m_seekTarget) return *m_seekTarget;
    if (!m_hasItem) return NAN;
    gint64 nanoseconds = -1;
    if (!gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &nanoseconds) || nanoseconds < 0) return NAN;
    return double(nanoseconds) / double(GST_SECOND);
}

void GstMediaBackend::handle(quint64 generation, Kind kind, const QString& text) {
    clearBus();
    if (generation != this->generation()) return;
    switch (kind) {
    case Kind::AsyncDone:
        m_prerolled = true;
        if (m_pendingSeek) {
            const Seek pending = *m_pendingSeek;
            m_pendingSeek.reset();
            if (applySeek(pending)) return; // landed at the next ASYNC_DONE
        }
        m_seekTarget.reset();
        checkOutput();
        if (!m_readyReported) {
            m_readyReported = true;
            emit ready(generation);
        }
        break;
    case Kind::Ended:
        m_running = false;
        m_seekTarget.reset();
        emit ended(generation);
        break;
    case Kind::Failed:
        m_running = false;
        m_pendingSeek.reset();
        m_seekTarget.reset();
        emit failed(generation, text);
        break;
    case Kind::Warning:
        // The default output tells of a failed connection this way and then carries on into nothing.
        checkOutput();
        break;
    }
}

void GstMediaBackend::checkOutput() {
    if (!m_defaultSink || m_outputReported || !GST_IS_BIN(m_defaultSink)) return;
    // The auto-detected output falls back to a fake sink when no device or sound server can be opened.
    bool silent = false;
    GstIterator* it = gst_bin_iterate_sinks(GST_BIN(m_defaultSink));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        auto* element = GST_ELEMENT(g_value_get_object(&item));
        GstElementFactory* factory = gst_element_get_factory(element);
        if (factory && g_strcmp0(GST_OBJECT_NAME(factory), "fakesink") == 0) silent = true;
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    if (silent) {
        m_outputReported = true;
        emit outputUnavailable(QStringLiteral("no audio output device could be opened"));
    }
}
