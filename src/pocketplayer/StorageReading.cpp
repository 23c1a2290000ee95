#include "StorageReading.h"

#include "shell/look/Theme.h"

#include <algorithm>
#include <cmath>
#include <limits>

StorageFigures StorageFigures::of(qint64 capacity, qint64 musicBytes) {
    capacity = std::max<qint64>(capacity, 0);
    musicBytes = std::max<qint64>(musicBytes, 0);
    StorageFigures f;
    // No space at all reads as full, whatever the music: there is nothing to fill part of.
    const double fraction = double(musicBytes) / double(capacity);
    f.fraction = capacity == 0 || std::isnan(fraction) ? 1.0 : std::min(fraction, 1.0);
    f.music = Theme::formatSize(musicBytes);
    // Both counts are at least 0, so neither the difference nor its negation overflows.
    const qint64 free = capacity - musicBytes;
    f.overflow = free < 0;
    f.free = f.overflow
                 ? QStringLiteral("doesn't fit, ") + Theme::formatSize(-free) + QStringLiteral(" too much")
                 : Theme::formatSize(free);
    return f;
}

StorageReading::StorageReading(QObject* parent) : QObject(parent), m_figures(StorageFigures::of(0, 0)) {}

void StorageReading::setCapacity(qint64 bytes) {
    if (bytes == m_capacity) return;
    m_capacity = bytes;
    update();
}

void StorageReading::setMusicBytes(qint64 bytes) {
    if (bytes == m_musicBytes) return;
    m_musicBytes = bytes;
    update();
}

namespace {
// A number from QML as a byte count: not a number and anything below zero is none, and a figure beyond the
// largest count stops there (converting it would be undefined).
qint64 byteCount(double bytes) {
    if (!(bytes > 0)) return 0;
    if (bytes >= 9223372036854775808.0) return std::numeric_limits<qint64>::max();
    return qint64(bytes);
}
} // namespace

void StorageReading::setCapacityNumber(double bytes) {
    setCapacity(byteCount(bytes));
}

void StorageReading::setMusicBytesNumber(double bytes) {
    setMusicBytes(byteCount(bytes));
}

void StorageReading::update() {
    m_figures = StorageFigures::of(m_capacity, m_musicBytes);
    emit changed();
}
