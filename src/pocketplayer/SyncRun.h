#pragma once

#include "library/Song.h"

#include <QList>
#include <QObject>
#include <functional>
#include <memory>

// The clock a preview run steps by. The program's own wakes on a monotonic timer; tests step a fake one.
class RunClock {
public:
    virtual ~RunClock() = default;
    // Calls `wake` once after `seconds`, on `context`'s thread, unless `context` is gone by then.
    virtual void after(double seconds, QObject* context, std::function<void()> wake) = 0;
    // Seconds since 1 January 1970.
    virtual double now() const = 0;

    // Timers of the event loop and the system's wall clock.
    static std::shared_ptr<RunClock> system();
};

// A timed preview of a sync: counts through the songs a sync would copy over a few seconds (0.08 s a song,
// at least 3 and at most 12, in at most 150 equal steps) and remembers when it last finished. Nothing is
// copied and no device is touched.
class SyncRun : public QObject {
    Q_OBJECT
public:
    enum class Phase { idle, copying, done, stopped };

    // `finished` gets the end time of a run that was not stopped (seconds since 1970).
    SyncRun(std::shared_ptr<RunClock> clock, std::function<void(double)> finished, QObject* parent = nullptr);

    // Starts counting through `going`, taken as it is now. With no songs nothing changes.
    void start(const QList<Song>& going);
    // A run under way stops where it is; in any other phase nothing changes.
    void stop();
    // Ends a run under way without a word: the page that shows it is going away.
    void end();

    Phase phase() const { return m_phase; }
    // Songs copied so far (copying), copied (done), or copied when stopped.
    int count() const { return m_count; }
    // The songs of the current or last run.
    const QList<Song>& songs() const { return m_songs; }

    static int steps(int songs);
    static double stepSeconds(int songs);

signals:
    // The phase or the count changed; `animated` for the end of a run (finished or stopped).
    void changed(bool animated);

private:
    void wake(quint64 generation, int step);

    std::shared_ptr<RunClock> m_clock;
    std::function<void(double)> m_finished;
    Phase m_phase = Phase::idle;
    int m_count = 0;
    QList<Song> m_songs;
    quint64 m_generation = 0;
};
