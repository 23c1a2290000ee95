#pragma once

#include "shell/artwork/ArtworkCache.h"
#include "support/TestHome.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFuture>
#include <QImage>
#include <QPainter>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

// Pictures and song files made for one test, and an embedded-picture reader that counts its calls.
namespace artwork_test {

inline QByteArray encoded(const QImage& image, const char* format = "JPG") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

inline QImage solid(QColor colour, int w = 64, int h = 64) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A picture split into four quarters, each of one colour (rows run downwards: top-left first).
inline QImage quarters(QColor topLeft, QColor topRight, QColor bottomLeft, QColor bottomRight,
                       int side = 64) {
    QImage image(side, side, QImage::Format_RGB32);
    QPainter p(&image);
    const int h = side / 2;
    p.fillRect(0, 0, h, h, topLeft);
    p.fillRect(h, 0, h, h, topRight);
    p.fillRect(0, h, h, h, bottomLeft);
    p.fillRect(h, h, h, h, bottomRight);
    return image;
}

// Embedded pictures by song path, read through a counter; each read takes a little while so that
// requests made together really overlap.
struct FakeSongs {
    QHash<QString, QList<QByteArray>> pictures;
    std::atomic<int> reads{0};
    std::chrono::milliseconds delay{30};
    // Held while a load reads `pictures`, and by a test that re-tags a song while loads may run.
    std::mutex lock;

    ArtworkCache::EmbeddedPictures reader() {
        return [this](const QString& path) {
            ++reads;
            std::this_thread::sleep_for(delay);
            std::lock_guard guard(lock);
            return pictures.value(path);
        };
    }
};

// A song file (its content does not matter: the fake reader answers for it) in a folder of the home.
inline QString songIn(const TestHome& home, const QString& folder, const QString& name = "song.mp3") {
    const QString path = home.folder(folder) + "/" + name;
    TestHome::writeFile(path, "not audio");
    return path;
}

// Waits (up to 10 s) for the future to end, one way or another.
template <typename T> void settle(const QFuture<T>& future) {
    QDeadlineTimer deadline(10000);
    while (!future.isFinished() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

template <typename T> T await(QFuture<T> future) {
    settle(future);
    return future.result();
}

inline QColor centreOf(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

} // namespace artwork_test
