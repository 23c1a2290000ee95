#include "core/Defaults.h"
#include "pocketplayer/IvraModel.h"
#include "shell/TamskApp.h"

#include "library/LibraryStore.h"
#include "platform/gst/GstStart.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QQuickStyle>
#include <QQuickWindow>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <malloc.h>

namespace {

// Start-up milestones for scripts/bench-startup, on the monotonic clock: the first frame of the main
// window, and the first frame that holds the collection. Off unless QT_LOGGING_RULES turns the category on.
Q_LOGGING_CATEGORY(lcStartup, "velto.startup", QtWarningMsg)

double monotonicSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void traceStartup(TamskApp& app) {
    QQuickWindow* window = app.mainWindow();
    if (!window) return;
    // Frames are swapped on the render thread; the library publishes on the GUI thread.
    static std::atomic<bool> windowShown{false}, published{false}, collectionShown{false};
    LibraryStore& library = app.library();
    const auto notePublished = [&library] {
        if (library.loaded() && !library.songs().isEmpty()) published = true;
    };
    notePublished();
    QObject::connect(&library, &LibraryStore::songsChanged, &library, notePublished);
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [] {
            if (!windowShown.exchange(true))
                std::fprintf(stderr, "velto.startup window %.6f\n", monotonicSeconds());
            if (published && !collectionShown.exchange(true))
                std::fprintf(stderr, "velto.startup collection %.6f\n", monotonicSeconds());
        },
        Qt::DirectConnection);
}

} // namespace

int main(int argc, char* argv[]) {
    // Decoded covers are blocks of megabytes, made and dropped on several threads. glibc raises its mmap
    // threshold after the first such block is freed, and from then on keeps them in per-thread heaps it never
    // gives back: after scrolling a large album grid the program held gigabytes it no longer used. A fixed
    // threshold keeps big blocks mapped on their own, so they return to the system when dropped.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    // Loading GStreamer's registry overlaps with making the window; the player waits for it when made.
    GstStart::begin();
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("VELTO"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("VELTO"));
    QGuiApplication::setDesktopFileName(QStringLiteral("velto"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/velto.svg")));
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    // The accent can follow the colour of the chosen pocket player, whose settings its pages own; the
    // settings page names it.
    TamskApp app([](const Defaults& defaults) {
        const ChosenPlayer chosen = ChosenPlayer::stored(defaults);
        return PlayerLook{chosen.model() == IvraModel::hd ? QStringLiteral("ivra hd")
                                                          : QStringLiteral("ivra 4 \u00B7 8 \u00B7 16"),
                          chosen.finish().name, chosen.finish().topColor()};
    });
    if (app.handedOver()) return 0;
    if (!app.showMainWindow()) return 1;
    if (lcStartup().isInfoEnabled()) traceStartup(app);
    return QGuiApplication::exec();
}
