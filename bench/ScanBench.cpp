// A full scan and a no-change rescan of a generated library, beside a bare loop that only opens every file
// with TagLib on eight threads: the scan is judged by its ratio to that loop.
// The library is $VELTO_BENCH_LIBRARY, else build/bench-library-<N> made with scripts/make-library
// ($VELTO_BENCH_SONGS songs, 2000 by default).
#include "library/LibraryScanner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include <taglib/fileref.h>

namespace {

QString libraryFolder() {
    if (qEnvironmentVariableIsSet("VELTO_BENCH_LIBRARY")) return qEnvironmentVariable("VELTO_BENCH_LIBRARY");
    const QString songs = qEnvironmentVariable("VELTO_BENCH_SONGS", QStringLiteral("2000"));
    const QString build = QStringLiteral(VELTO_BUILD_DIR);
    const QString folder = build + "/bench-library-" + songs;
    if (!QFileInfo::exists(folder + "/.complete")) {
        QDir(folder).removeRecursively();
        const QByteArray command = "VELTO_BUILD_DIR='" + build.toUtf8() +
                                   "' '" VELTO_SOURCE_DIR "/scripts/make-library' " + songs.toUtf8() + " '" +
                                   folder.toUtf8() + "' >/dev/null";
        if (std::system(command.constData()) != 0) return {};
        QFile(folder + "/.complete").open(QIODevice::WriteOnly);
    }
    return folder;
}

const QString& folder() {
    static const QString f = libraryFolder();
    return f;
}

// Opens every file with TagLib, tags and audio properties as TagLib reads them by default, on eight
// threads taking the next file as they finish.
void bareLoop(const QList<FileUrl>& files) {
    std::atomic<qsizetype> next{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (qsizetype i = next++; i < files.size(); i = next++) {
                TagLib::FileRef ref(QFile::encodeName(files[i].path).constData());
                benchmark::DoNotOptimize(ref.isNull());
            }
        });
    for (auto& t : threads)
        t.join();
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void BM_FullScan(benchmark::State& state) {
    const FileUrl root = FileUrl::fromPath(folder());
    const QList<FileUrl> files = LibraryScanner::files(root);
    if (files.isEmpty()) {
        state.SkipWithError("no library");
        return;
    }
    bareLoop(files); // the first pass fills the page cache for both
    double scanTime = 0, bareTime = 0;
    qsizetype songs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto t0 = std::chrono::steady_clock::now();
        bareLoop(files);
        bareTime += seconds(std::chrono::steady_clock::now() - t0);
        state.ResumeTiming();
        // As the library store scans: the readers also write the cache's text of the songs they finish.
        QByteArray cacheText;
        t0 = std::chrono::steady_clock::now();
        const QList<Song> result = LibraryScanner::scanReusing(root, {}, {}, nullptr, &cacheText);
        scanTime += seconds(std::chrono::steady_clock::now() - t0);
        songs = result.size();
    }
    state.counters["songs"] = double(songs);
    state.counters["songs/s"] = double(songs) * double(state.iterations()) / scanTime;
    state.counters["bare_ms"] = 1000 * bareTime / double(state.iterations());
    state.counters["vs_bare"] = scanTime / bareTime;
}
BENCHMARK(BM_FullScan)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The first scan of a library the page cache does not hold (as the files of a new library are), beside the
// bare loop on the same cold files. Runs only with VELTO_BENCH_COLD=1: it drops the whole machine's page
// cache before each run, which needs root.
void BM_ColdFullScan(benchmark::State& state) {
    if (qEnvironmentVariable("VELTO_BENCH_COLD") != "1") {
        state.SkipWithError("set VELTO_BENCH_COLD=1 (drops the page cache; needs root)");
        return;
    }
    const auto dropCaches = [] { return std::system("sync && echo 1 > /proc/sys/vm/drop_caches") == 0; };
    const FileUrl root = FileUrl::fromPath(folder());
    const QList<FileUrl> files = LibraryScanner::files(root);
    double scanTime = 0, bareTime = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!dropCaches()) {
            state.SkipWithError("could not drop the page cache");
            return;
        }
        auto t0 = std::chrono::steady_clock::now();
        bareLoop(files);
        bareTime += seconds(std::chrono::steady_clock::now() - t0);
        if (!dropCaches()) {
            state.SkipWithError("could not drop the page cache");
            return;
        }
        state.ResumeTiming();
        QByteArray cacheText;
        t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(LibraryScanner::scanReusing(root, {}, {}, nullptr, &cacheText));
        scanTime += seconds(std::chrono::steady_clock::now() - t0);
    }
    state.counters["bare_ms"] = 1000 * bareTime / double(state.iterations());
    state.counters["vs_bare"] = scanTime / bareTime;
}
BENCHMARK(BM_ColdFullScan)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_RescanUnchanged(benchmark::State& state) {
    const FileUrl root = FileUrl::fromPath(folder());
    const QList<Song> known = LibraryScanner::scan(root, {}, {});
    if (known.isEmpty()) {
        state.SkipWithError("no library");
        return;
    }
    // The store's rescan: known songs found in the last scan's list; no cache text, which a rescan makes
    // only when it found something new.
    // Files a rescan opens although nothing changed: there should be none.
    std::atomic<int> opened = 0;
    const auto read = [&](const FileUrl& at, const Song* k) {
        Song s = LibraryScanner::song(at, k);
        if (!k || !(k->modified == s.modified)) ++opened;
        return s;
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(LibraryScanner::scanReusing(root, known, {}, nullptr, nullptr, read));
    state.counters["files read"] = double(opened) / double(state.iterations());
    state.counters["songs"] = double(known.size());
    state.counters["songs/s"] =
        benchmark::Counter(double(known.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RescanUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
