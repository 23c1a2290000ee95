#include "FakeMediaBackend.h"

quint64 FakeMediaBackend::load(const QString& path) {
    loads.append(path);
    m_position = 0;
    const quint64 generation = nextGeneration();
    reportReady();
    return generation;
}

void FakeMediaBackend::play() {
    m_running = true;
    // After a reset the item is opened again, and starts again.
    if (std::isnan(m_position) && !loads.isEmpty()) {
        m_position = 0;
        reportReady();
    }
}

void FakeMediaBackend::reset() {
    ++resets;
    m_running = false;
    m_position = NAN;
}

void FakeMediaBackend::reportReady() {
    const quint64 generation = this->generation();
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (!holdReady && generation == this->generation()) emit ready(generation);
        },
        Qt::QueuedConnection);
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
