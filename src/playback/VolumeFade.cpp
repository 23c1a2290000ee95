#include "VolumeFade.h"

#include <QTimer>
#include <chrono>
#include <cmath>

namespace {
class EventLoopClock final : public FadeClock {
public:
    void sleep(double seconds, QObject* owner, std::function<void()> wake) override {
        // Steps are 10 to 20 ms apart: the coarse timer's 5 % slack would be audible as an uneven fade.
        const auto wait = std::chrono::milliseconds(std::lround(seconds * 1000.0));
        QTimer::singleShot(wait, Qt::PreciseTimer, owner, std::move(wake));
    }
};
} // namespace

FadeClock& FadeClock::system() {
    // Stateless, so one instance serves every player.
    static EventLoopClock clock;
    return clock;
}

VolumeFade::VolumeFade(float from, float to, double seconds, std::function<void(float)> apply,
                       FadeClock& clock, QObject* parent)
    : QObject(parent), m_from(from), m_to(to), m_seconds(seconds), m_apply(std::move(apply)), m_clock(clock) {
}

void VolumeFade::start(std::function<void()> then) {
    m_then = std::move(then);
    m_clock.sleep(m_seconds / steps, this, [this] { step(); });
}

float VolumeFade::volumeAt(int k, float from, float to) {
    const float f = 1.0f - float(k) / float(steps);
    return from + (to - from) * (1.0f - f * f);
}

void VolumeFade::step() {
    ++m_done;
    m_apply(volumeAt(m_done, m_from, m_to));
    if (m_done < steps) {
        m_clock.sleep(m_seconds / steps, this, [this] { step(); });
        return;
    }
    std::function<void()> then = std::move(m_then);
    deleteLater();
    if (then) then();
}
