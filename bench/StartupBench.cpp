// Start-up of the whole program: from process start to the first frame of the main window, and the resident
// memory then, with an empty library and with 100,000 songs in the library cache. Each case runs in a fresh
// process of its own (the program re-runs itself), the way a user starts VELTO.
#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "shell/TamskApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <unistd.h>

namespace {
// Seconds since this process started, from the kernel's record of its start.
double sinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 - started;
}

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

QList<Song> makeSongs(int n) {
    QList<Song> songs;
    songs.reserve(n);
    for (int i = 0; i < n; ++i) {
        Song s;
        const int artist = i / 20, album = i / 10;
        s.url = FileUrl::fromPath(QStringLiteral("/nonexistent/Music/Artist %1/Album %2/%3 Song %4.flac")
                                      .arg(artist)
                                      .arg(album)
                                      .arg(i % 10 + 1)
                                      .arg(i));
        s.title = QStringLiteral("Song %1").arg(i);
        s.artist = s.albumArtist = QStringLiteral("Artist %1").arg(artist);
        s.album = QStringLiteral("Album %1").arg(album);
        s.track = i % 10 + 1;
        s.duration = 180 + i % 120;
        s.genre = QStringLiteral("Genre %1").arg(i % 40);
        s.year = 1960 + i % 60;
        s.added = Date{6e8 + i};
        s.modified = s.added;
        s.bytes = 30'000'000;
        songs.append(s);
    }
    return songs;
}

// Writes the case's settings and library cache into `home` (in the parent process, so that none of it
// counts in the measured start).
void prepare(const QString& home, int songs) {
    qputenv("XDG_DATA_HOME", (home + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/config").toUtf8());
    QDir().mkpath(home + "/Music");
    Defaults defaults;
    defaults.set(QStringLiteral("libraryFolder"), home + "/Music");
    defaults.set(QStringLiteral("watchFolder"), false);
    defaults.set(QStringLiteral("movedFromTamsk"), true);
    if (songs > 0) LibraryStore::writeCache(LibraryStore::encodeCache(makeSongs(songs)));
}

double loadedAt = 0;

int runCase(int songs, int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024); // as the program's main does
    QGuiApplication application(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    const double setUp = sinceProcessStart();

    TamskApp app;
    if (!app.showMainWindow()) return 1;
    QQuickWindow* window = app.mainWindow();
    QObject::connect(
        window, &QQuickWindow::frameSwapped, &application,
        [&] {
            const double firstFrame = sinceProcessStart();
            std::printf("%d songs: first frame %.0f ms after process start (%.0f ms before the application "
                        "object), resident %ld MiB\n",
                        songs, firstFrame * 1000, setUp * 1000, residentKiB() / 1024);
            std::fflush(stdout);
            // The collection is read on a worker and arrives after the first frame: report when, and the
            // memory once it has settled (the parser's buffers handed back).
            LibraryStore& library = app.library();
            auto settled = [&library, songs] {
                std::printf("%d songs: collection of %lld songs shown %.0f ms after process start, resident "
                            "%ld MiB\n",
                            songs, qlonglong(library.songs().size()), loadedAt * 1000, residentKiB() / 1024);
                QTimer::singleShot(2000, &library, [&library, songs] {
                    // By now the first scan has run: the benchmark's songs have no files, so it may have
                    // emptied it.
                    std::printf("%d songs: resident 2 s later %ld MiB (%lld songs)\n", songs,
                                residentKiB() / 1024, qlonglong(library.songs().size()));
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            };
            if (library.loaded()) {
                loadedAt = sinceProcessStart();
                settled();
            } else {
                QObject::connect(
                    &library, &LibraryStore::loadedChanged, &library,
                    [settled] {
                        loadedAt = sinceProcessStart();
                        settled();
                    },
                    Qt::SingleShotConnection);
            }
        },
        Qt::SingleShotConnection);
    return QGuiApplication::exec();
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && QByteArray(argv[1]) == "--case") return runCase(atoi(argv[2]), argc, argv);
    QCoreApplication parent(argc, argv);
    int status = 0;
    for (const char* songs : {"0", "100000"}) {
        QTemporaryDir home;
        prepare(home.path(), atoi(songs));
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QString::fromLocal8Bit(argv[0]), {"--case", songs});
        child.waitForFinished(120000);
        status |= child.exitCode();
    }
    std::printf("goal: collection shown <= 2000 ms, resident <= 250 MiB with 100,000 songs\n");
    return status;
}
