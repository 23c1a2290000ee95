// A player that plays one file until a signal ends it, the way the program runs until logout: it says
// "playing" on its output once the song is under way, and then waits for SIGTERM or SIGINT.

#include "core/Defaults.h"
#include "platform/QuitSignals.h"
#include "platform/gst/GstMediaBackend.h"
#include "playback/Player.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 3) return 2;
    Song song;
    song.url = FileUrl::fromPath(QString::fromLocal8Bit(argv[1]));
    song.title = QStringLiteral("Tone");
    song.artist = song.albumArtist = QStringLiteral("Test");
    song.duration = QString::fromLocal8Bit(argv[2]).toDouble();

    Defaults defaults;
    GstMediaBackend backend;
    Player player(defaults, backend);
    QuitSignals quitSignals;
    player.play({song});

    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (player.position() < 0.6) return;
        watch.stop();
        std::fputs("playing\n", stdout);
        std::fflush(stdout);
    });
    watch.start(50);
    return QCoreApplication::exec();
}
