#include "library/LibraryStore.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QDir>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Stands in for the scanner so a test decides what a scan finds and when it ends.
class FakeScanner {
public:
    struct Call {
        QString folder;
        QHash<QString, Song> known;
    };

    // What a scan of a folder finds; folders not listed find nothing.
    void setSongs(const QString& folder, QList<Song> songs) {
        std::lock_guard lock(m_mutex);
        m_songs[folder] = std::move(songs);
    }
    void setReports(QList<std::pair<qsizetype, qsizetype>> reports) {
        std::lock_guard lock(m_mutex);
        m_reports = std::move(reports);
    }
    // While held, scans wait inside the scanner.
    void hold() {
        std::lock_guard lock(m_mutex);
        m_held = true;
    }
    void release() {
        {
            std::lock_guard lock(m_mutex);
            m_held = false;
        }
        m_cv.notify_all();
    }
    QList<Call> calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    bool waiting() const {
        std::lock_guard lock(m_mutex);
        return m_waiting;
    }

    LibraryStore::ScanFunction function() {
        return [this](const FileUrl& folder, const QHash<QString, Song>& known,
                      const LibraryScanner::Progress& p) {
            std::unique_lock lock(m_mutex);
            m_calls.append({folder.path, known});
            m_waiting = true;
            m_cv.wait(lock, [this] { return !m_held; });
            m_waiting = false;
            const auto reports = m_reports;
            const QList<Song> songs = m_songs.value(folder.path);
            lock.unlock();
            for (auto [done, total] : reports)
                p(done, total);
            return songs;
        };
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_held = false;
    bool m_waiting = false;
    QList<Call> m_calls;
    QHash<QString, QList<Song>> m_songs;
    QList<std::pair<qsizetype, qsizetype>> m_reports;
};

// The cache is read on a worker; the collection arrives a moment after the store is made.
bool waitLoaded(const LibraryStore& store) {
    return QTest::qWaitFor([&] { return store.loaded(); }, 10000);
}

bool waitIdle(const LibraryStore& store) {
    return QTest::qWaitFor([&] { return !store.scanning(); }, 10000);
}

QList<Song> cachedSongs() {
    return Song::listFromJson(QJsonDocument::fromJson(TestHome::readFile(LibraryStore::cachePath())).array())
        .value_or(QList<Song>{});
}

void writeCache(const QList<Song>& songs) {
    ASSERT_TRUE(LibraryStore::writeCache(LibraryStore::encodeCache(songs)));
}

QStringList sortedTitles(const QList<Song>& songs) {
    QStringList out;
    for (const Song& s : songs)
        out.append(s.title);
    out.sort();
    return out;
}

} // namespace

TEST(LibraryStore, StartsFromCacheAndEditsWithoutScanning) {
    TestHome home;
    const QString music = home.folder("Music");
    Song blue1 = makeSong(music + "/Joni/Blue/1.mp3", "Joni", "Blue", "All I Want");
    Song blue2 = makeSong(music + "/Joni/Blue/2.mp3", "Joni", "Blue", "My Old Man");
    blue2.added = Date{5000};
    Song hejira = makeSong(music + "/Joni/Hejira/1.flac", "Joni", "Hejira", "Coyote");
    hejira.added = Date{5000};
    hejira.bytes = 10;
    Song apple = makeSong(music + "/Fiona/1.mp3", "fiona", "apple", "Criminal");
    apple.added = Date{5000};
    writeCache({blue1, blue2, hejira, apple});
    LibraryEdits edits;
    edits.songTitles.insert(blue1.url.path, "All I Want (edit)");
    edits.covers.insert(blue1.albumID(), "C.jpg");
    ASSERT_TRUE(edits.save());

    Defaults defaults;
    defaults.set("libraryFolder", music);
    FakeScanner scanner;
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    QTest::qWait(50);
    EXPECT_TRUE(scanner.calls().isEmpty());
    EXPECT_FALSE(store.scanning());
    EXPECT_EQ(store.folder().path, music);

    EXPECT_EQ(store.songs().size(), 4);
    EXPECT_EQ(store.song(blue1.url.path)->title, "All I Want (edit)");
    EXPECT_FALSE(store.song(music + "/nothing.mp3"));
    EXPECT_EQ(store.totalBytes(), 3 * 4'000'000 + 10);

    ASSERT_TRUE(store.artist("JONI"));
    EXPECT_EQ(store.artist("joni")->albums.size(), 2);
    EXPECT_FALSE(store.artist("Jon"));
    ASSERT_TRUE(store.album(blue1.albumID()));
    EXPECT_EQ(store.album(blue1.albumID())->cover, edits.cover(blue1.albumID()));
    EXPECT_FALSE(store.album("joni"));

    // Artwork: the chosen cover, the first song of the album, or the song itself when it has no album.
    EXPECT_EQ(store.artworkURL(blue2), *edits.cover(blue1.albumID()));
    EXPECT_EQ(store.artworkURL(hejira), hejira.url);
    const Song gone = makeSong("/elsewhere/x.mp3", "Nobody", "Nothing");
    EXPECT_EQ(store.artworkURL(gone), gone.url);

    // Newest first; the same instant in plain title order, capitals first.
    QStringList recent;
    for (const Album& a : store.recentlyAdded())
        recent.append(a.title);
    EXPECT_EQ(recent, QStringList({"Blue", "Hejira", "apple"}));
}

TEST(LibraryStore, BrokenCacheIsSetAsideAndTheCollectionStartsEmpty) {
    TestHome home;
    TestHome::writeFile(LibraryStore::cachePath(), R"([{"url":"file:///m/a.mp3","title":"A"}])");
    Defaults defaults;
    FakeScanner scanner;
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    EXPECT_TRUE(store.songs().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(LibraryStore::cachePath()));
    EXPECT_EQ(QDir(home.dataHome() + "/VELTO").entryList({"library-2.json.unreadable-*"}).size(), 1);
    // Without a stored folder the music folder is the user's XDG music folder.
    EXPECT_FALSE(store.folder().isEmpty());
}

TEST(LibraryStore, ScanPublishesOnTheGuiThreadAndSavesTheRawSongs) {
    TestHome home;
    const QString music = home.folder("Music");
    Defaults defaults;
    defaults.set("libraryFolder", music);
    // One folder, mixed artists, one song twice: the cache must keep them unresolved and doubled.
    const QList<Song> found{
        makeSong(music + "/x/1.mp3", "Ann", "Mix"), makeSong(music + "/x/2.mp3", "Bob", "Mix"),
        makeSong(music + "/x/2.flac", "Bob", "Mix", "2"), makeSong(music + "/x/3.mp3", "Cy", "Mix")};
    FakeScanner scanner;
    scanner.setSongs(music, found);
    scanner.setReports({{0, 60}, {25, 60}, {50, 60}});
    TestHome::writeFile(home.dataHome() + "/VELTO/library.json", "[]");

    const int guiNiceness = getpriority(PRIO_PROCESS, 0);
    int scanNiceness = guiNiceness;
    auto scanFunction = scanner.function();
    LibraryStore store(
        defaults, [&](const FileUrl& f, const QHash<QString, Song>& k, const LibraryScanner::Progress& p) {
            scanNiceness = getpriority(PRIO_PROCESS, 0); // this thread's
            return scanFunction(f, k, p);
        });
    ASSERT_TRUE(waitLoaded(store));
    QList<QThread*> publishedOn;
    QList<qsizetype> songsAtProgress;
    QObject::connect(&store, &LibraryStore::songsChanged,
                     [&] { publishedOn.append(QThread::currentThread()); });
    QObject::connect(&store, &LibraryStore::scanProgressChanged,
                     [&] { songsAtProgress.append(store.songs().size()); });
    store.scan();
    EXPECT_TRUE(store.scanning());
    ASSERT_TRUE(waitIdle(store));

    EXPECT_EQ(publishedOn, QList<QThread*>{qApp->thread()});
    EXPECT_GT(scanNiceness, 0); // the scan yields to the interface
    // Progress arrives before the result, coalesced (reports made together reach the window as one).
    ASSERT_FALSE(songsAtProgress.isEmpty());
    EXPECT_EQ(songsAtProgress.count(0), songsAtProgress.size());
    EXPECT_EQ(store.scanProgress(), (ScanProgress{50, 60})); // kept after the scan
    EXPECT_EQ(store.songs().size(), 3);
    EXPECT_EQ(store.duplicates().size(), 1);
    EXPECT_EQ(store.artists().size(), 1);
    EXPECT_EQ(store.artists()[0].name, "Various Artists");
    EXPECT_EQ(cachedSongs(), found); // as scanned: unresolved, duplicates present
    EXPECT_FALSE(QFileInfo::exists(home.dataHome() + "/VELTO/library.json"));

    // The next scan starts from what this one found, keyed by path.
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    ASSERT_EQ(scanner.calls().size(), 2);
    const auto known = scanner.calls()[1].known;
    EXPECT_EQ(known.size(), 4);
    EXPECT_EQ(known.value(music + "/x/2.mp3"), found[1]);
}

TEST(LibraryStore, RescanThatFindsNothingNewPublishesAndWritesNothing) {
    TestHome home;
    const QString music = home.folder("Music");
    Defaults defaults;
    defaults.set("libraryFolder", music);
    const QList<Song> found{makeSong(music + "/a.mp3", "Ann", "A"), makeSong(music + "/b.mp3", "Bob", "B")};
    writeCache(found);
    FakeScanner scanner;
    scanner.setSongs(music, {found[1], found[0]}); // finished in another order
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    QSignalSpy published(&store, &LibraryStore::songsChanged);
    const auto inode = [] {
        struct stat st {};
        return ::stat(QFile::encodeName(LibraryStore::cachePath()).constData(), &st) == 0 ? st.st_ino : 0;
    };
    const auto before = inode();
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(published.size(), 0);
    EXPECT_EQ(inode(), before);

    // A cache file that went missing is written again even so.
    QFile::remove(LibraryStore::cachePath());
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(sortedTitles(cachedSongs()), sortedTitles(found));

    // One changed song: published and saved.
    Song changed = found[0];
    changed.modified = Date{2000};
    changed.title = "A2";
    scanner.setSongs(music, {changed, found[1]});
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(published.size(), 1);
    EXPECT_EQ(store.song(changed.url.path)->title, "A2");
    EXPECT_EQ(sortedTitles(cachedSongs()), QStringList({"A2", "b"}));
}

TEST(LibraryStore, RequestsDuringAScanMakeExactlyOneMore) {
    TestHome home;
    Defaults defaults;
    FakeScanner scanner;
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    QList<bool> states;
    QObject::connect(&store, &LibraryStore::scanningChanged, [&] { states.append(store.scanning()); });

    scanner.hold();
    store.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner.waiting(); }, 5000));
    store.scan();
    store.scan();
    store.scan();
    EXPECT_EQ(scanner.calls().size(), 1);
    scanner.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return states.size() == 4; }, 10000));
    QTest::qWait(100);
    EXPECT_EQ(scanner.calls().size(), 2);
    EXPECT_EQ(states, QList<bool>({true, false, true, false}));
    EXPECT_FALSE(store.scanning());
}

TEST(LibraryStore, CacheKeepsTagTitlesUnderTheUsersEdits) {
    TestHome home;
    const QString music = home.folder("Music");
    Defaults defaults;
    defaults.set("libraryFolder", music);
    const Song song = makeSong(music + "/a.mp3", "Ann", "Album", "Tag Title");
    LibraryEdits edits;
    edits.songTitles.insert(song.url.path, "My Title");
    ASSERT_TRUE(edits.save());
    FakeScanner scanner;
    scanner.setSongs(music, {song});
    {
        LibraryStore store(defaults, scanner.function());
        ASSERT_TRUE(waitLoaded(store));
        store.scan();
        ASSERT_TRUE(waitIdle(store));
        EXPECT_EQ(store.song(song.url.path)->title, "My Title");
    }
    EXPECT_EQ(sortedTitles(cachedSongs()), QStringList{"Tag Title"});
    LibraryStore next(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(next));
    ASSERT_TRUE(next.song(song.url.path));
    EXPECT_EQ(next.song(song.url.path)->title, "My Title");
    EXPECT_EQ(next.song(song.url.path)->taggedTitle, "Tag Title");
}

TEST(LibraryStore, MissingFolderEmptiesTheCollectionButKeepsTheCache) {
    TestHome home;
    const QString music = home.path() + "/Unplugged";
    Defaults defaults;
    defaults.set("libraryFolder", music);
    const QList<Song> songs{makeSong(music + "/a.mp3", "Ann", "A"), makeSong(music + "/b.mp3", "Bob", "B")};
    writeCache(songs);
    const QByteArray cacheBefore = TestHome::readFile(LibraryStore::cachePath());

    FakeScanner scanner; // finds nothing, as the scanner does for a missing folder
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    EXPECT_EQ(store.songs().size(), 2);
    for (int i = 0; i < 2; ++i) { // twice: the second scan starts from an empty collection
        store.scan();
        ASSERT_TRUE(waitIdle(store));
        EXPECT_TRUE(store.songs().isEmpty());
        EXPECT_EQ(TestHome::readFile(LibraryStore::cachePath()), cacheBefore);
        EXPECT_EQ(scanner.calls().last().known.size(), 2);
    }

    // The disk is back: the scan still knows the cached songs, and the cache is written again.
    QDir().mkpath(music);
    scanner.setSongs(music, songs.mid(0, 1));
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(scanner.calls().last().known.size(), 2);
    EXPECT_EQ(cachedSongs(), songs.mid(0, 1));

    // An existing but empty folder where songs were (the mount point an unmounted disk leaves) shows an
    // empty collection, but the cache stays for the disk's return.
    scanner.setSongs(music, {});
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_TRUE(store.songs().isEmpty());
    EXPECT_EQ(cachedSongs(), songs.mid(0, 1));
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(scanner.calls().last().known.size(), 1);
}

TEST(LibraryStore, ChoosingAFolder) {
    TestHome home;
    const QString oldFolder = home.folder("Old");
    const QString newFolder = home.folder("New");
    Defaults defaults;
    defaults.set("libraryFolder", oldFolder);
    FakeScanner scanner;
    scanner.setSongs(oldFolder, {makeSong(oldFolder + "/a.mp3", "Ann", "A")});
    scanner.setSongs(newFolder, {makeSong(newFolder + "/b.mp3", "Bob", "B")});
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    QSignalSpy folderChanged(&store, &LibraryStore::folderChanged);

    for (const QUrl& nothing : {QUrl(), QUrl("https://example.com/music")})
        store.useFolder(nothing);
    EXPECT_EQ(folderChanged.size(), 0);
    EXPECT_TRUE(scanner.calls().isEmpty());

    store.scan();
    ASSERT_TRUE(waitIdle(store));
    ASSERT_EQ(store.songs().size(), 1);

    // Chosen while a scan of the old folder runs: that scan publishes, then the new folder is scanned.
    scanner.hold();
    store.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner.waiting(); }, 5000));
    store.useFolder(QUrl::fromLocalFile(newFolder + "/"));
    EXPECT_TRUE(store.songs().isEmpty()); // emptied at once
    EXPECT_EQ(store.folder().path, newFolder);
    EXPECT_EQ(folderChanged.size(), 1);
    EXPECT_EQ(defaults.stringValue("libraryFolder"), newFolder);
    scanner.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner.calls().size() == 3 && !store.scanning(); }, 10000));
    EXPECT_EQ(scanner.calls()[1].folder, oldFolder);
    EXPECT_EQ(scanner.calls()[2].folder, newFolder);
    EXPECT_EQ(sortedTitles(store.songs()), QStringList{"b"});
    EXPECT_EQ(sortedTitles(cachedSongs()), QStringList{"b"});
}

TEST(LibraryStore, WatchSwitchIsStoredAndTurningItOnScans) {
    TestHome home;
    Defaults defaults;
    FakeScanner scanner;
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    store.setWatching(false);
    EXPECT_EQ(defaults.value("watchFolder"), QJsonValue(false));
    QTest::qWait(50);
    EXPECT_TRUE(scanner.calls().isEmpty());
    store.setWatching(true);
    EXPECT_EQ(defaults.value("watchFolder"), QJsonValue(true));
    EXPECT_TRUE(store.scanning());
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(scanner.calls().size(), 1);
}

TEST(LibraryStore, ScansARealFolder) {
    TestHome home;
    const QString music = home.folder("Music");
    QDir().mkpath(music + "/Test Artist/Test Album");
    for (const char* name : {"a.mp3", "b.mp3"})
        ASSERT_TRUE(QFile::copy(fixturePath("tone.mp3"), music + "/Test Artist/Test Album/" + name));
    ASSERT_TRUE(QFile::copy(fixturePath("tone.flac"), music + "/Test Artist/Test Album/c.flac"));
    TestHome::writeFile(music + "/notes.txt", "not a song");
    Defaults defaults;
    defaults.set("libraryFolder", music);

    LibraryStore store(defaults);
    ASSERT_TRUE(waitLoaded(store));
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(store.scanProgress(), (ScanProgress{0, 3}));
    EXPECT_EQ(store.songs().size(), 2); // the two copies of one recording count once
    EXPECT_EQ(store.duplicates().size(), 1);
    ASSERT_EQ(store.albums().size(), 1);
    EXPECT_EQ(store.albums()[0].title, "Test Album");
    EXPECT_EQ(store.albums()[0].artist, "Test Artist");
    EXPECT_EQ(cachedSongs().size(), 3);

    // Nothing changed: the same songs again, from what the last scan knew.
    const QList<Song> before = store.songs();
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(sortedTitles(store.songs()), sortedTitles(before));
    EXPECT_TRUE(store.song(music + "/Test Artist/Test Album/c.flac"));
}

TEST(LibraryStore, WatchedFolderPicksUpNewSongsAndTheSwitchStopsIt) {
    TestHome home;
    const QString music = home.folder("Music");
    Defaults defaults;
    defaults.set("libraryFolder", music);
    LibraryStore store(defaults);
    ASSERT_TRUE(waitLoaded(store));
    EXPECT_TRUE(store.isWatching()); // on unless switched off
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_TRUE(store.songs().isEmpty());

    QDir().mkpath(music + "/New Artist");
    ASSERT_TRUE(QFile::copy(fixturePath("tone.flac"), music + "/New Artist/song.flac"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.songs().size() == 1; }, 8000));

    // Switched off, the store holds no watcher at all: nothing is left that could start a scan (a dropped
    // watcher says nothing more, as the watcher's own tests show), so no wall-clock wait is needed here.
    store.setWatching(false);
    EXPECT_FALSE(store.isWatching());
    ASSERT_TRUE(waitIdle(store));
    EXPECT_FALSE(store.scanning());
    EXPECT_EQ(store.songs().size(), 1);
}

TEST(LibraryStore, BringInCopiesWithStatusThenScans) {
    TestHome home;
    const QString music = home.folder("Music");
    const QString drop = home.folder("Drop");
    ASSERT_TRUE(QFile::copy(fixturePath("tone.flac"), drop + "/dropped.flac"));
    Defaults defaults;
    defaults.set("libraryFolder", music);
    defaults.set("watchFolder", false);
    LibraryStore store(defaults);
    ASSERT_TRUE(waitLoaded(store));
    EXPECT_EQ(store.addMusicMessage(), "Choose songs or folders to copy into Music.");

    QStringList statuses;
    QObject::connect(&store, &LibraryStore::importStatusChanged,
                     [&] { statuses.append(store.importStatusText()); });
    store.bringIn(QList<QUrl>{QUrl::fromLocalFile(drop), QUrl("https://example.com/song.mp3")});
    EXPECT_EQ(store.importStatusText(), "looking at what you dropped");
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.songs().size() == 1; }, 8000));
    EXPECT_TRUE(QFileInfo::exists(music + "/Test Artist/Test Album/dropped.flac"));
    EXPECT_EQ(statuses,
              (QStringList{"looking at what you dropped", "copying 1 of 1 songs", "added 1 songs"}));
    // The end text goes by itself.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !store.importStatus().has_value(); },
                                LibraryStore::statusClearMs + 2000));

    // The same song again is already here.
    store.bringIn(QList<QUrl>{QUrl::fromLocalFile(drop)});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return store.importStatusText() == "added 0 songs, 1 already here"; }, 8000));
}

TEST(LibraryStore, ScanNamesTheFilesThatChangedSinceTheLastOne) {
    TestHome home;
    const QString music = home.folder("Music");
    ASSERT_TRUE(QFile::copy(fixturePath("tone.flac"), music + "/a.flac"));
    ASSERT_TRUE(QFile::copy(fixturePath("tone.mp3"), music + "/b.mp3"));
    Defaults defaults;
    defaults.set("libraryFolder", music);
    defaults.set("watchFolder", false);
    LibraryStore store(defaults);
    ASSERT_TRUE(waitLoaded(store));
    QSignalSpy rewritten(&store, &LibraryStore::filesRewritten);
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_EQ(rewritten.count(), 0); // new files are not "changed"

    QFile a(music + "/a.flac");
    ASSERT_TRUE(a.open(QIODevice::ReadWrite));
    ASSERT_TRUE(a.setFileTime(QDateTime::currentDateTimeUtc().addSecs(5), QFileDevice::FileModificationTime));
    a.close();
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    ASSERT_EQ(rewritten.count(), 1);
    EXPECT_EQ(rewritten.first().first().value<QList<FileUrl>>(),
              QList<FileUrl>{FileUrl::fromPath(music + "/a.flac")});
}

// The cache is read on a worker: the store (and with it the window) is there before a slow read ends, a
// scan asked for meanwhile waits for the cached songs, and the collection arrives in one step: every list
// is in place when the first signal comes.
TEST(LibraryStore, CacheArrivesInOneStepAfterASlowRead) {
    TestHome home;
    const QString music = home.folder("Music");
    Defaults defaults;
    defaults.set("libraryFolder", music);
    const QList<Song> songs{makeSong(music + "/A/a.mp3", "Ann", "A"),
                            makeSong(music + "/B/b.mp3", "Bob", "B")};
    std::mutex mutex;
    std::condition_variable cv;
    bool released = false;
    const auto slowReader = [&]() -> std::optional<QList<Song>> {
        std::unique_lock lock(mutex);
        cv.wait(lock, [&] { return released; });
        return songs;
    };
    FakeScanner scanner;
    scanner.setSongs(music, songs);
    LibraryStore store(defaults, scanner.function(), slowReader);
    EXPECT_FALSE(store.loaded());
    EXPECT_TRUE(store.songs().isEmpty());
    store.scan();
    QTest::qWait(50);
    EXPECT_TRUE(scanner.calls().isEmpty());

    struct Seen {
        qsizetype songs, albums, artists;
    };
    QList<Seen> seen;
    const auto record = [&] {
        seen.append({store.songs().size(), store.albums().size(), store.artists().size()});
    };
    for (auto signal :
         {&LibraryStore::songsChanged, &LibraryStore::albumsChanged, &LibraryStore::artistsChanged})
        QObject::connect(&store, signal, record);
    {
        std::lock_guard lock(mutex);
        released = true;
    }
    cv.notify_all();
    ASSERT_TRUE(waitLoaded(store));
    ASSERT_EQ(seen.size(), 3);
    for (const Seen& s : seen) {
        EXPECT_EQ(s.songs, 2);
        EXPECT_EQ(s.albums, 2);
        EXPECT_EQ(s.artists, 2);
    }
    // The scan that waited starts from the cached songs.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !scanner.calls().isEmpty(); }, 5000));
    EXPECT_EQ(scanner.calls().first().known.size(), 2);
}

// An edit made while the cache is still being read is laid over the cached songs when they arrive.
TEST(LibraryStore, EditDuringTheCacheReadIsKept) {
    TestHome home;
    Defaults defaults;
    const Song song = makeSong("/m/A/a.mp3", "Ann", "A");
    std::atomic<bool> go{false};
    LibraryStore store(
        defaults, [](auto&&...) { return QList<Song>{}; },
        [&]() -> std::optional<QList<Song>> {
            while (!go)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return QList<Song>{song};
        });
    store.rename(song, "Renamed");
    go = true;
    ASSERT_TRUE(waitLoaded(store));
    ASSERT_EQ(store.songs().size(), 1);
    EXPECT_EQ(store.songs().first().title, "Renamed");
}

// Views update only the rows a scan touched, from what the store says the scan changed.
TEST(LibraryStore, ScanTellsWhatItChanged) {
    TestHome home;
    const QString music = home.folder("Music");
    Defaults defaults;
    defaults.set("libraryFolder", music);
    const Song kept = makeSong(music + "/A/1.mp3", "Ann", "A", "One");
    const Song retagged = makeSong(music + "/A/2.mp3", "Ann", "A", "Two");
    const Song gone = makeSong(music + "/B/1.mp3", "Bob", "B", "Gone");
    const Song added = makeSong(music + "/C/1.mp3", "Cy", "C", "New");
    writeCache({kept, retagged, gone});
    Song two = retagged;
    two.title = "Two (live)";
    FakeScanner scanner;
    scanner.setSongs(music, {kept, two, added});
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    const LibraryChange& change = store.lastChange();
    EXPECT_EQ(change.addedSongs, QStringList{added.path()});
    EXPECT_EQ(change.removedSongs, QStringList{gone.path()});
    EXPECT_EQ(change.changedSongs, QStringList{retagged.path()});
    EXPECT_EQ(change.addedArtists, QStringList{"cy"});
    EXPECT_EQ(change.removedArtists, QStringList{"bob"});
}

// A scan derives its albums and artists on its worker with the edits of its start; an edit made while it
// ran must not be lost when the result arrives.
TEST(LibraryStore, EditDuringAScanIsKept) {
    TestHome home;
    const QString music = home.folder("Music");
    Defaults defaults;
    defaults.set("libraryFolder", music);
    const Song song = makeSong(music + "/A/a.mp3", "Ann", "A");
    FakeScanner scanner;
    scanner.setSongs(music, {song});
    LibraryStore store(defaults, scanner.function());
    ASSERT_TRUE(waitLoaded(store));
    scanner.hold();
    store.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner.waiting(); }, 5000));
    store.rename(song, "Renamed");
    scanner.release();
    ASSERT_TRUE(waitIdle(store));
    ASSERT_EQ(store.songs().size(), 1);
    EXPECT_EQ(store.songs().first().title, "Renamed");
    EXPECT_EQ(store.albums().size(), 1);
}

// A music folder missing at start, or gone while watched, is looked for again: when it is back the store
// watches and scans it without being asked.
TEST(LibraryStore, MissingFolderIsScannedWhenItComesBack) {
    TestHome home;
    const QString music = home.path() + "/Disk/Music";
    Defaults defaults;
    defaults.set("libraryFolder", music);
    LibraryStore store(defaults);
    store.setReturnPollInterval(50);
    ASSERT_TRUE(waitLoaded(store));
    store.scan();
    ASSERT_TRUE(waitIdle(store));
    EXPECT_TRUE(store.songs().isEmpty());

    QDir().mkpath(music + "/Band");
    ASSERT_TRUE(QFile::copy(fixturePath("tone.flac"), music + "/Band/song.flac"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.songs().size() == 1; }, 8000));
    EXPECT_TRUE(store.isWatching());

    // Unplugged (moved away), the collection empties and the cache stays; plugged in again, it is back.
    const QByteArray cache = TestHome::readFile(LibraryStore::cachePath());
    ASSERT_TRUE(QDir().rename(music, home.path() + "/Away"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.songs().isEmpty() && !store.scanning(); }, 8000));
    EXPECT_EQ(TestHome::readFile(LibraryStore::cachePath()), cache);
    ASSERT_TRUE(QDir().rename(home.path() + "/Away", music));
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.songs().size() == 1; }, 8000));
}
