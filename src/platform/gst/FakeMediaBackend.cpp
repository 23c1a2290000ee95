#include "FakeMediaBackend.h"

quint64 FakeMediaBackend::load(const QString& path) {
    loads.append(path);
    m_position = 0;
    return nextGeneration();
}

void FakeMediaBackend::reset() {
    ++resets;
    m_running = false;
    m_position = NAN;
}

void FakeMediaBackend::seekTo(double seconds, bool exact) {
    seeks.append({seconds, exact});
    m_position = seconds;
}

void FakeMediaBackend::finish() {
    m_running = false;
    emit ended(generation());
}

void FakeMediaBackend::fail(const QString& message) {
    m_running = false;
    emit failed(generation(), message);
}
