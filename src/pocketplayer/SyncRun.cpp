#include "SyncRun.h"

#include <QDateTime>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

class SystemClock : public RunClock {
public:
    void after(double seconds, QObject* context, std::function<void()> wake) override {
        QTimer::singleShot(std::chrono::milliseconds(std::llround(seconds * 1000)), Qt::PreciseTimer, context,
                           std::move(wake));
    }
    double now() const override { return double(QDateTime::currentMSecsSinceEpoch()) / 1000; }
};

} // namespace

std::shared_ptr<RunClock> RunClock::system() {
    return std::make_shared<SystemClock>();
}

SyncRun::SyncRun(std::shared_ptr<RunClock> clock, std::function<void(double)> finished, QObject* parent)
    : QObject(parent), m_clock(std::move(clock)), m_finished(std::move(finished)) {}

int SyncRun::steps(int songs) {
    return std::min(songs, 150);
}

double SyncRun::stepSeconds(int songs) {
    return songs > 0 ? std::clamp(0.08 * songs, 3.0, 12.0) / steps(songs) : 0;
}

void SyncRun::start(const QList<Song>& going) {
    if (going.isEmpty()) return;
    // A new run overtakes one that may still be waiting to wake.
    const quint64 generation = ++m_generation;
    m_songs = going;
    m_phase = Phase::copying;
    m_count = 0;
    emit changed(false);
    m_clock->after(stepSeconds(int(m_songs.size())), this, [this, generation] { wake(generation, 1); });
}

void SyncRun::wake(quint64 generation, int step) {
    if (generation != m_generation) return;
    const int n = int(m_songs.size());
    const int total = steps(n);
    m_count = int(qint64(step) * n / total);
    emit changed(false);
    if (step < total) {
        m_clock->after(stepSeconds(n), this, [this, generation, step] { wake(generation, step + 1); });
        return;
    }
    ++m_generation;
    if (m_finished) m_finished(m_clock->now());
    m_phase = Phase::done;
    m_count = n;
    emit changed(true);
}

void SyncRun::stop() {
    ++m_generation;
    if (m_phase != Phase::copying) return;
    m_phase = Phase::stopped;
    emit changed(true);
}

void SyncRun::end() {
    ++m_generation;
}
