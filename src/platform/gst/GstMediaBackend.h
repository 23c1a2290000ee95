#pragma once

#include "AudioTap.h"
#include "MediaBackend.h"

#include <atomic>
#include <optional>

typedef struct _GstElement GstElement;
typedef struct _GstBus GstBus;
typedef struct _GstMessage GstMessage;

// The media engine on a GStreamer playbin, audio only, with its volume applied to the samples. The bus is
// read on GStreamer's threads and each message is handed to this object's thread tagged with the generation
// that was current when it was posted; messages of an older generation are dropped there.
class GstMediaBackend final : public MediaBackend {
    Q_OBJECT
public:
    // The pipeline description of the audio sink, for example "fakesink sync=true". Without one, the
    // environment variable VELTO_AUDIO_SINK is used when set, and otherwise the system's default output. An
    // empty description means the default output whatever the environment says.
    explicit GstMediaBackend(std::optional<QString> sinkDescription = std::nullopt,
                             QObject* parent = nullptr);
    ~GstMediaBackend() override;

    quint64 load(const QString& path) override;
    void play() override;
    void pause() override;
    void seekExact(double seconds) override;
    void seekFast(double seconds) override;
    void setVolume(float volume) override;
    float volume() const override { return m_volume; }
    double position() const override;
    bool isRunning() const override { return m_running; }
    void reset() override;
    void setTapSink(AudioTapSink* sink) override {
        m_tap = sink;
        m_audioTap.setSink(sink);
    }

    AudioTapSink* tapSink() const { return m_tap; }
    // The playbin, for installing the audio tap as its "audio-filter".
    GstElement* pipeline() const { return m_pipeline; }

private:
    enum class Kind { Ended, Failed, AsyncDone, Warning };
    struct Seek {
        double seconds;
        bool exact;
    };

    static int onBusMessage(GstBus* bus, GstMessage* message, void* self);
    void handle(quint64 generation, Kind kind, const QString& text);
    void seek(double seconds, bool exact);
    bool applySeek(const Seek& seek);
    void checkOutput();
    // Releases the messages waiting on the pipeline's bus; what matters has been handed over already.
    void clearBus();

    GstElement* m_pipeline = nullptr;
    GstElement* m_defaultSink = nullptr; // the auto-detected output when no sink was forced
    std::atomic<quint64> m_busGeneration{0};
    AudioTapSink* m_tap = nullptr;
    // The playbin's audio filter for the whole run: every song's stream passes it.
    AudioTap m_audioTap;
    float m_volume = 1.0f;
    bool m_running = false;
    bool m_hasItem = false;
    bool m_prerolled = false;
    bool m_readyReported = false;
    bool m_outputReported = false;
    std::optional<Seek> m_pendingSeek;
    // While a seek is under way the engine still answers with the old time; the target is the truth.
    std::optional<double> m_seekTarget;
};
