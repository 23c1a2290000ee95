#include "support/BenchProgram.h"

#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "support/ThreadClock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Song benchSong(int i, const QString& file) {
    Song s;
    const int artist = i / 20, album = i / 10;
    s.url = FileUrl::fromPath(
        file.isEmpty()
            ? QStringLiteral("/nonexistent/Music/Artist %1/Album %2/%3.flac").arg(artist).arg(album).arg(i)
            : file);
    s.title = QStringLiteral("Song %1").arg(i);
    s.artist = s.albumArtist = QStringLiteral("Artist %1").arg(artist);
    s.album = QStringLiteral("Album %1").arg(album);
    s.track = i % 10 + 1;
    s.duration = 180 + i % 120;
    s.added = Date{6e8 + i};
    s.modified = s.added;
    return s;
}

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

namespace {
const QString generatedRoot = QStringLiteral("/nonexistent/Music/");

// Gives a generated song a real, empty file in the music folder, dated as the song says: the start-up scan
// then knows every file as unchanged and keeps the songs, as it keeps a user's library.
void placeInFolder(Song& song, const QString& folder) {
    if (!song.url.path.startsWith(generatedRoot)) return;
    const QString path = folder + u'/' + song.url.path.mid(generatedRoot.size());
    song.url = FileUrl::fromPath(path);
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray local = QFile::encodeName(path);
    const int fd = ::open(local.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) qFatal("cannot make %s", local.constData());
    const double seconds = song.modified.unixSeconds();
    const timespec times[2] = {{time_t(seconds), 0},
                               {time_t(seconds), long((seconds - double(time_t(seconds))) * 1e9)}};
    ::futimens(fd, times);
    ::close(fd);
}
} // namespace

BenchProgram::BenchProgram(int count, const std::function<Song(int)>& make) {
    qputenv("XDG_DATA_HOME", (m_home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toUtf8());
    qputenv("XDG_CACHE_HOME", (m_home.path() + "/cache").toUtf8());
    const QString music = m_home.path() + "/Music";
    QDir().mkpath(music);
    {
        Defaults defaults;
        defaults.set(QStringLiteral("libraryFolder"), music);
        defaults.set(QStringLiteral("watchFolder"), false);
        defaults.set(QStringLiteral("movedFromTamsk"), true);
        QList<Song> songs;
        songs.reserve(count);
        for (int i = 0; i < count; ++i) {
            songs.append(make(i));
            placeInFolder(songs.last(), music);
        }
        LibraryStore::writeCache(LibraryStore::encodeCache(songs));
    }
    m_app = std::make_unique<TamskApp>();
    m_app->showMainWindow();
    m_window = m_app->mainWindow();
    if (!m_window || !QTest::qWaitForWindowExposed(m_window)) qFatal("no main window");
    m_window->resize(1280, 800);
    LibraryStore& library = m_app->library();
    if (!QTest::qWaitFor([&] { return library.songs().size() == count; }, 60000))
        qFatal("the library did not load");
    // The start-up scan finds every file unchanged; the figures are taken once it is over.
    (void)QTest::qWaitFor([&] { return library.scanning(); }, 5000);
    if (!QTest::qWaitFor([&] { return !library.scanning(); }, 120000))
        qFatal("the start-up scan did not end");
    if (library.songs().size() != count) qFatal("the start-up scan changed the library");
}

BenchProgram::~BenchProgram() {
    end();
}

void BenchProgram::end() {
    m_window = nullptr;
    m_app.reset();
}

void BenchProgram::go(Nav::Page page, int settleMs) {
    m_app->app().go(page);
    if (!QTest::qWaitFor([&] { return m_app->app().page() == page; })) qFatal("the page did not show");
    QTest::qWait(settleMs);
}

namespace {
QQuickItem* findUnder(QQuickItem* item, const QString& name) {
    if (!item) return nullptr;
    if (item->objectName() == name) return item;
    for (QQuickItem* child : item->childItems())
        if (QQuickItem* found = findUnder(child, name)) return found;
    return nullptr;
}
} // namespace

QQuickItem* BenchProgram::find(const QString& objectName) const {
    return m_window ? findUnder(m_window->contentItem(), objectName) : nullptr;
}

double BenchProgram::firstFrame(const std::function<void()>& change, const std::function<bool()>& ready,
                                int timeoutMs) {
    const double cpu0 = threadSeconds();
    change();
    if (!QTest::qWaitFor(ready, timeoutMs)) qFatal("the page did not come");
    QSignalSpy swapped(m_window, &QQuickWindow::frameSwapped);
    swapped.wait(2000);
    return threadSeconds() - cpu0;
}

Frames recordFrames(QQuickWindow* window, double seconds, const std::function<void()>& step) {
    Frames f;
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = processSeconds();
    double last = threadSeconds();
    // The frames are told from the render thread through the event queue: a receiver of this call's own
    // drops any that arrive after it.
    auto receiver = std::make_unique<QObject>();
    bool swapped = false;
    QObject::connect(window, &QQuickWindow::frameSwapped, receiver.get(), [&] {
        const double now = threadSeconds();
        f.ms.push_back((now - last) * 1000);
        last = now;
        swapped = true;
    });
    if (!step) {
        QTest::qWait(int(seconds * 1000));
    } else {
        while (wall.elapsed() < seconds * 1000) {
            swapped = false;
            step();
            window->update();
            // A step that changes nothing on screen swaps no frame: go on after a while.
            (void)QTest::qWaitFor([&] { return swapped; }, 200);
        }
    }
    receiver.reset();
    f.cpuPercent = (processSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9) * 100;
    return f;
}

void reportSpread(benchmark::State& state, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    state.counters["p95_ms"] = ms[std::min(ms.size() - 1, size_t(std::ceil(0.95 * double(ms.size()))) - 1)];
    state.counters["max_ms"] = ms.back();
}

void reportFrames(benchmark::State& state, const Frames& f, double goalMs) {
    std::vector<double> sorted = f.ms;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double q) {
        return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, size_t(q * sorted.size()))];
    };
    state.counters["frames"] = double(sorted.size());
    state.counters["gui_ms_p50"] = at(0.5);
    state.counters["gui_ms_p95"] = at(0.95);
    state.counters["gui_ms_max"] = sorted.empty() ? 0 : sorted.back();
    state.counters["cpu_percent"] = f.cpuPercent;
    state.counters["goal_ms"] = goalMs;
}

int runProgramBenchmarks(int argc, char** argv, const std::function<void()>& end) {
    if (qEnvironmentVariableIsEmpty("VELTO_AUDIO_SINK")) qputenv("VELTO_AUDIO_SINK", "fakesink sync=true");
    QGuiApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    end();
    return 0;
}
