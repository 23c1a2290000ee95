#pragma once

#include <QObject>
#include <functional>

// Waits between the steps of a volume fade. The program's clock waits on the event loop; tests use one they
// advance by hand, so every step of a fade can be checked without sleeping.
class FadeClock {
public:
    virtual ~FadeClock() = default;
    // Calls `wake` on the owner's thread `seconds` from now, unless `owner` has been destroyed by then.
    virtual void sleep(double seconds, QObject* owner, std::function<void()> wake) = 0;

    // The event loop's precise timer.
    static FadeClock& system();
};

// One short change of the engine's loudness from where it is to a target, in 16 steps on a quadratic
// ease-out: fast at first, settling slowly (44 % of the change after 4 steps, 75 % after 8). Each step waits
// its share of the duration after the previous step's work. Deleting the fade cancels it: no further step
// runs, and neither does the completion.
class VolumeFade : public QObject {
public:
    static constexpr int steps = 16;

    VolumeFade(float from, float to, double seconds, std::function<void(float)> apply, FadeClock& clock,
               QObject* parent = nullptr);

    // Starts the first wait. `then` runs after the last step; by then the fade has already scheduled its own
    // deletion, so `then` may start another fade.
    void start(std::function<void()> then = {});

    float target() const { return m_to; }
    // The volume after step `k` of a fade from `from` to `to`, computed in 32-bit floats.
    static float volumeAt(int k, float from, float to);

private:
    void step();

    float m_from;
    float m_to;
    double m_seconds;
    std::function<void(float)> m_apply;
    FadeClock& m_clock;
    std::function<void()> m_then;
    int m_done = 0;
};
