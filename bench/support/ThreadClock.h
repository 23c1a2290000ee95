#pragma once

#include <ctime>

// CPU seconds this thread has used: the GUI thread's share of a frame, apart from the render thread's and
// from time spent waiting.
inline double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}
