#pragma once

#include "MediaBackend.h"

#include <QList>
#include <QStringList>
#include <cmath>

// A backend that plays nothing and records what it was told, for the tests of every store that drives the
// player. Its position is set by the test; finish() and fail() report on the current item the way the
// real engine does.
class FakeMediaBackend final : public MediaBackend {
    Q_OBJECT
public:
    struct Seek {
        double seconds;
        bool exact;
        friend bool operator==(const Seek&, const Seek&) = default;
    };

    using MediaBackend::MediaBackend;

    quint64 load(const QString& path) override;
    void play() override;
    void pause() override { m_running = false; }
    void seekExact(double seconds) override { seekTo(seconds, true); }
    void seekFast(double seconds) override { seekTo(seconds, false); }
    void setVolume(float volume) override { m_volume = volume; }
    float volume() const override { return m_volume; }
    double position() const override { return m_position; }
    bool isRunning() const override { return m_running; }
    void reset() override;
    void setTapSink(AudioTapSink* sink) override { m_tap = sink; }

    // What the test reads.
    QStringList loads;
    QList<Seek> seeks;
    int resets = 0;
    QString currentPath() const { return loads.isEmpty() ? QString() : loads.last(); }
    AudioTapSink* tapSink() const { return m_tap; }

    // What the test drives. Each load (and each play after a reset) reports `ready` from the event loop,
    // as the engine does once a song has started, unless the test holds it back to stand for a file that
    // never starts.
    bool holdReady = false;
    void setPosition(double seconds) { m_position = seconds; }
    void finish();
    void fail(const QString& message = QStringLiteral("cannot decode"));

private:
    void seekTo(double seconds, bool exact);
    void reportReady();

    bool m_running = false;
    float m_volume = 1.0f;
    double m_position = NAN;
    AudioTapSink* m_tap = nullptr;
};
