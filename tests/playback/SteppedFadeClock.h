#pragma once

#include "playback/VolumeFade.h"

#include <QList>
#include <QPointer>

// A fade clock that never waits by itself: step() wakes the sleeper, so a test sees every step of a fade.
struct SteppedFadeClock : FadeClock {
    struct Sleep {
        double seconds;
        QPointer<QObject> owner;
        std::function<void()> wake;
    };
    QList<Sleep> sleeps; // still to wake
    QList<double> slept; // every wait asked for, in order

    void sleep(double seconds, QObject* owner, std::function<void()> wake) override {
        sleeps.append({seconds, owner, std::move(wake)});
        slept.append(seconds);
    }
    // Wakes the next sleeper whose fade still exists; false when none is waiting.
    bool step() {
        while (!sleeps.isEmpty()) {
            Sleep next = sleeps.takeFirst();
            if (!next.owner) continue;
            next.wake();
            return true;
        }
        return false;
    }
    int steps(int count) {
        int done = 0;
        while (done < count && step())
            ++done;
        return done;
    }
    int runOut() { return steps(1000); }
};
