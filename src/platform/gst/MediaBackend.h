#pragma once

#include <QObject>
#include <QString>

class AudioTapSink;

// The engine that turns one song file at a time into sound. The player owns the queue and every decision;
// the backend only loads, plays, pauses, seeks and reports. Each load starts a new generation, and every
// report carries the generation it belongs to, so a report that was under way when the next song was
// loaded (an end of stream racing a skip) can be told apart from one about the song that plays now.
class MediaBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MediaBackend() override = default;

    // Replaces the current item by the file at `path` and returns the new generation. Playback continues
    // (or stays paused) as before: the caller says play() when it wants sound.
    virtual quint64 load(const QString& path) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Seeks to `seconds` exactly, or to a nearby point that is cheap to reach (for dragging a seek bar).
    // A seek asked for before the item is ready is kept and applied once it is.
    virtual void seekExact(double seconds) = 0;
    virtual void seekFast(double seconds) = 0;
    // The loudness applied to the samples, 0 … 1.
    virtual void setVolume(float volume) = 0;
    virtual float volume() const = 0;
    // The playback time of the current item in seconds; NaN while it is not known (nothing loaded, not
    // ready yet, or reset).
    virtual double position() const = 0;
    // True while playback is wanted and not over: after play(), until pause(), the end of the item, an
    // error or reset().
    virtual bool isRunning() const = 0;
    // Releases the current item's decoding resources. A later play() opens the same file again.
    virtual void reset() = 0;
    // Where the samples of whatever plays go as they are decoded; none when null.
    virtual void setTapSink(AudioTapSink* sink) = 0;

    quint64 generation() const { return m_generation; }

signals:
    // The item of `generation` played to its end.
    void ended(quint64 generation);
    // The item of `generation` cannot be played; `message` says why, for the log.
    void failed(quint64 generation, const QString& message);
    // The item of `generation` has reached the output (its first samples are there).
    void ready(quint64 generation);
    // Sound cannot reach any output device; playback goes on silently.
    void outputUnavailable(const QString& message);

protected:
    quint64 nextGeneration() { return ++m_generation; }

private:
    quint64 m_generation = 0;
};
