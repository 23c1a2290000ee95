#include "core/Defaults.h"
#include "pocketplayer/IvraModel.h"
#include "shell/TamskApp.h"

#include <QGuiApplication>
#include <QIcon>
#include <QQuickStyle>
#include <malloc.h>

int main(int argc, char* argv[]) {
    // Decoded covers are blocks of megabytes, made and dropped on several threads. glibc raises its mmap
    // threshold after the first such block is freed, and from then on keeps them in per-thread heaps it never
    // gives back: after scrolling a large album grid the program held gigabytes it no longer used. A fixed
    // threshold keeps big blocks mapped on their own, so they return to the system when dropped.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("VELTO"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("VELTO"));
    QGuiApplication::setDesktopFileName(QStringLiteral("velto"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/velto.svg")));
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    // The accent can follow the colour of the chosen pocket player, whose settings its pages own.
    TamskApp app([](const Defaults& defaults) { return ChosenPlayer::stored(defaults).finish().topColor(); });
    if (app.handedOver()) return 0;
    if (!app.showMainWindow()) return 1;
    return QGuiApplication::exec();
}
