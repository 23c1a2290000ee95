#include "library/LibraryScanner.h"
#include "library/LibraryCache.h"
#include "support/TestHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <atomic>
#include <chrono>
#include <cmath>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <unistd.h>

namespace {

using Reports = QList<std::pair<qsizetype, qsizetype>>;

QStringList paths(const QList<FileUrl>& urls) {
    QStringList out;
    for (const FileUrl& u : urls)
        out.append(u.path);
    out.sort();
    return out;
}

QStringList paths(const QList<Song>& songs) {
    QStringList out;
    for (const Song& s : songs)
        out.append(s.url.path);
    out.sort();
    return out;
}

void touch(const QString& path) {
    TestHome::writeFile(path, QByteArray());
}

// Songs named after their file, made without opening anything.
Song nameOnly(const FileUrl& at, const Song*) {
    return LibraryScanner::songFromTags(at, FileTags{}, Date{1}, Date{1}, 0);
}

TEST(LibraryScanner, PlayableExtensions) {
    for (const char* p :
         {"/m/a.mp3", "/m/a.MP3", "/m/a.m4b", "/m/a.Flac", "/m/a.aif", "/m/a.caf", "/m/a.alac"})
        EXPECT_TRUE(LibraryScanner::isPlayable(p)) << p;
    for (const char* p : {"/m/a.ogg", "/m/mp3", "/m/a.mp3.txt", "/m/a.", "/m/.mp3", "/m.mp3/a"})
        EXPECT_FALSE(LibraryScanner::isPlayable(p)) << p;
    EXPECT_EQ(LibraryScanner::playable().size(), 10);
}

TEST(LibraryScanner, WalkKeepsOnlyVisiblePlayableRegularFiles) {
    TestHome home;
    const QString root = home.folder("Music");
    const QString outside = home.folder("Elsewhere/Album");
    touch(root + "/A/song.MP3");
    touch(root + "/A/.hidden.mp3");
    touch(root + "/.hidden/inside.mp3");
    touch(root + "/A/notes.txt");
    touch(root + "/A/cover.jpg");
    touch(root + "/A/noext");
    touch(root + "/Folder.mp3/inner.flac"); // a folder named like a song is walked, not listed
    touch(outside + "/linked.flac");
    // Linked albums are followed once, however many links lead there; a link back up ends the walk.
    ASSERT_EQ(
        ::symlink(QFile::encodeName(outside).constData(), QFile::encodeName(root + "/Linked").constData()),
        0);
    ASSERT_EQ(
        ::symlink(QFile::encodeName(outside).constData(), QFile::encodeName(root + "/A/Again").constData()),
        0);
    ASSERT_EQ(::symlink("..", QFile::encodeName(root + "/A/loop").constData()), 0);
    ASSERT_EQ(::symlink("/nonexistent/x.mp3", QFile::encodeName(root + "/dead.mp3").constData()), 0);
    // A name that is not UTF-8 cannot be given back as a path that exists.
    const QByteArray bad = QFile::encodeName(root) + "/bad\xff.mp3";
    const int fd = ::open(bad.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);

    const QStringList found = paths(LibraryScanner::files(FileUrl::fromPath(root)));
    ::unlink(bad.constData()); // the temporary folder cannot remove what it cannot name
    EXPECT_EQ(found.size(), 3) << found.join(", ").toStdString();
    EXPECT_TRUE(found.contains(root + "/A/song.MP3"));
    EXPECT_TRUE(found.contains(root + "/Folder.mp3/inner.flac"));
    EXPECT_EQ(found.count(root + "/A/Again/linked.flac") + found.count(root + "/Linked/linked.flac"), 1);
}

TEST(LibraryScanner, FilesOfASingleSongOrAMissingFolder) {
    const FileUrl single = FileUrl::fromPath("/no/such/dir/Track.FLAC");
    EXPECT_EQ(LibraryScanner::files(single), QList<FileUrl>{single});
    EXPECT_TRUE(LibraryScanner::files(FileUrl::fromPath("/no/such/dir")).isEmpty());
}

TEST(LibraryScanner, ProgressStartsAtZeroThenEveryTwentyFive) {
    const std::pair<int, Reports> cases[] = {
        {60, {{0, 60}, {25, 60}, {50, 60}}},
        {50, {{0, 50}, {25, 50}, {50, 50}}},
        {0, {{0, 0}}},
    };
    for (const auto& [count, expected] : cases) {
        SCOPED_TRACE(count);
        TestHome home;
        const QString root = home.folder("Music");
        for (int i = 0; i < count; ++i)
            touch(QStringLiteral("%1/%2.mp3").arg(root).arg(i));
        Reports reports;
        const QList<Song> songs = LibraryScanner::scan(
            FileUrl::fromPath(root), {},
            [&](qsizetype done, qsizetype total) {
                reports.append({done, total});
            },
            nameOnly);
        EXPECT_EQ(reports, expected);
        EXPECT_EQ(songs.size(), count);
    }

    Reports reports;
    EXPECT_TRUE(LibraryScanner::scan(FileUrl::fromPath("/no/such/folder"), {}, [&](qsizetype d, qsizetype t) {
                    reports.append({d, t});
                }).isEmpty());
    EXPECT_EQ(reports, (Reports{{0, 0}}));
}

// Eight reads at once at most, and all eight used: each read waits a little, so the pool fills up.
TEST(LibraryScanner, ReadsAtMostEightFilesAtOnce) {
    TestHome home;
    const QString root = home.folder("Music");
    for (int i = 0; i < 40; ++i)
        touch(QStringLiteral("%1/%2.flac").arg(root).arg(i));
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    std::mutex seenMutex;
    QStringList seen;
    const QList<Song> songs =
        LibraryScanner::scan(FileUrl::fromPath(root), {}, {}, [&](const FileUrl& at, const Song* k) {
            const int now = ++running;
            int previous = most.load();
            while (now > previous && !most.compare_exchange_weak(previous, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            {
                std::lock_guard lock(seenMutex);
                seen.append(at.path);
            }
            --running;
            return nameOnly(at, k);
        });
    EXPECT_EQ(most.load(), 8);
    EXPECT_EQ(songs.size(), 40);
    seen.sort();
    EXPECT_EQ(paths(songs), seen);
    EXPECT_EQ(seen.removeDuplicates(), 0);
}

// The store's scan: known songs found in the list it hands over, the cache's text written by the readers as
// songs finish (equal to encoding the result afterwards, in the result's order), and texts that many songs
// share kept once.
TEST(LibraryScanner, ScanReusingWritesTheCacheTextOfItsResult) {
    TestHome home;
    const QString root = home.folder("Music");
    for (int a = 0; a < 3; ++a)
        home.folder(QStringLiteral("Music/Artist %1/Älbum \"%1\"").arg(a));
    for (int i = 0; i < 300; ++i)
        touch(QStringLiteral("%1/Artist %2/Älbum \"%2\"/%3 Song.mp3").arg(root).arg(i % 3).arg(i));

    QByteArray text;
    const QList<Song> first =
        LibraryScanner::scanReusing(FileUrl::fromPath(root), {}, {}, nullptr, &text, nameOnly);
    ASSERT_EQ(first.size(), 300);
    EXPECT_EQ(text, LibraryCache::encode(first));
    QSet<const QChar*> artists, albums;
    for (const Song& s : first) {
        artists.insert(s.artist.constData());
        albums.insert(s.album.constData());
    }
    EXPECT_EQ(artists.size(), 3);
    EXPECT_EQ(albums.size(), 3);

    // A rescan: two new files, one known song missing from the list, one known file gone.
    touch(root + "/Artist 0/Älbum \"0\"/new 1.mp3");
    touch(root + "/Artist 1/Älbum \"1\"/new 2.mp3");
    QList<Song> known = first;
    known.removeAt(7);
    known.append(nameOnly(FileUrl::fromPath(root + "/gone.mp3"), nullptr));
    std::atomic<int> read{0};
    const QList<Song> second = LibraryScanner::scanReusing(FileUrl::fromPath(root), known, {}, nullptr, &text,
                                                           [&](const FileUrl& at, const Song* k) {
                                                               if (k) return *k;
                                                               ++read;
                                                               return nameOnly(at, k);
                                                           });
    EXPECT_EQ(read.load(), 3);
    ASSERT_EQ(second.size(), 302);
    EXPECT_EQ(text, LibraryCache::encode(second));
    EXPECT_EQ(LibraryCache::decode(text), second);

    // An empty folder still gives a readable cache.
    EXPECT_TRUE(
        LibraryScanner::scanReusing(FileUrl::fromPath(home.folder("Empty")), known, {}, nullptr, &text)
            .isEmpty());
    EXPECT_EQ(text, "[]");
}

struct timespec mtimeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mtim;
}

// A rescan opens only files whose modification date moved; nothing else is compared.
TEST(LibraryScanner, KnownSongIsReusedOnlyWhileTheModificationDateIsEqual) {
    TestHome home;
    const QString path = home.folder("Music/A") + "/tone.flac";
    ASSERT_TRUE(QFile::copy(fixturePath("tone.flac"), path));
    const FileUrl url = FileUrl::fromPath(path);
    const Song first = LibraryScanner::song(url);
    EXPECT_EQ(first.title, "Tone flac");
    EXPECT_EQ(first.bytes, QFileInfo(path).size());
    EXPECT_NE(first.modified, Date::distantPast());

    // Retag the file and put its modification time back as it was, to the nanosecond.
    const struct timespec before = mtimeOf(path);
    {
        TagLib::FileRef file(QFile::encodeName(path).constData());
        ASSERT_FALSE(file.isNull());
        file.tag()->setTitle("Retagged");
        ASSERT_TRUE(file.save());
    }
    const struct timespec times[2] = {before, before};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    EXPECT_EQ(LibraryScanner::song(url, &first), first);
    EXPECT_EQ(LibraryScanner::song(url).title, "Retagged");

    // A changed date reads the file again, and takes its added date from the file system again.
    Song stale = first;
    stale.modified = Date{first.modified.seconds - 1};
    stale.added = Date{5};
    const Song reread = LibraryScanner::song(url, &stale);
    EXPECT_EQ(reread.title, "Retagged");
    EXPECT_EQ(reread.modified, first.modified);
    EXPECT_EQ(reread.added, first.added);
    EXPECT_NE(reread.added, Date{5});

    // The scan reuses known songs by path.
    const QList<Song> scanned =
        LibraryScanner::scan(FileUrl::fromPath(home.folder("Music")), {{path, first}}, {});
    ASSERT_EQ(scanned.size(), 1);
    EXPECT_EQ(scanned[0], first);
}

bool hasNoAudio(const QString& name) {
    return name.startsWith("zero-length") || name.startsWith("random") || name.startsWith("cut-16.") ||
           name == "empty.mp3" || name == "garbage.m4a" || name == "huge-frame.mp3" ||
           name == "truncated.flac";
}

// Every generated format and every broken file, read for real on eight threads: good files give their
// tags, broken ones a song named from their file with length 0, and none is dropped.
TEST(LibraryScanner, ScansEveryFormatAndEveryBrokenFile) {
    TestHome home;
    const QString album = home.folder("Music/Some Artist/Some Album");
    QStringList copied;
    for (const QString& folder : {fixturePath(""), fixturePath("broken")}) {
        QDirIterator it(folder, QDir::Files);
        while (it.hasNext()) {
            it.next();
            ASSERT_TRUE(QFile::copy(it.filePath(), album + "/" + it.fileName()));
            if (LibraryScanner::isPlayable(it.fileName())) copied.append(album + "/" + it.fileName());
        }
    }
    // Not a file at all, though named like one: still a song, named from its path.
    QDir().mkpath(album + "/Folder.m4a");
    copied.sort();

    const QList<Song> songs = LibraryScanner::scan(FileUrl::fromPath(home.folder("Music")), {}, {});
    EXPECT_EQ(paths(songs), copied);
    for (const Song& s : songs) {
        const QString name = QFileInfo(s.url.path).fileName();
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(std::isfinite(s.duration));
        EXPECT_GE(s.duration, 0);
        if (name.startsWith("tone.") && !name.endsWith(".caf")) {
            EXPECT_NEAR(s.duration, 2.0, 0.3);
            if (!name.endsWith(".aac")) {
                EXPECT_EQ(s.title, "Tone " + QFileInfo(name).suffix());
                EXPECT_EQ(s.artist, "Test Artist");
                EXPECT_EQ(s.genre, "Electronic");
                EXPECT_EQ(s.year, 2019);
            }
        } else if (hasNoAudio(name)) {
            EXPECT_EQ(s.duration, 0);
            EXPECT_EQ(s.title, QFileInfo(name).completeBaseName());
            EXPECT_EQ(s.artist, "Some Artist");
            EXPECT_EQ(s.album, "Some Album");
        }
        const QFileInfo info(s.url.path);
        if (info.isFile()) EXPECT_EQ(s.bytes, info.size());
    }
}

TEST(LibraryScanner, SongOfANonFileOrAMissingFile) {
    TestHome home;
    const QString dir = home.folder("Music/Band/Folder.mp3");
    const Song folder = LibraryScanner::song(FileUrl::fromPath(dir));
    EXPECT_EQ(folder.title, "Folder");
    EXPECT_EQ(folder.album, "Band");
    EXPECT_EQ(folder.artist, "Music");
    EXPECT_EQ(folder.duration, 0);

    const Song missing = LibraryScanner::song(FileUrl::fromPath(home.path() + "/Music/Band/04 Gone.mp3"));
    EXPECT_EQ(missing.title, "Gone");
    EXPECT_EQ(missing.track, 4);
    EXPECT_EQ(missing.modified, Date::distantPast());
    EXPECT_EQ(missing.added, Date::distantPast());
    EXPECT_EQ(missing.bytes, 0);
}

// A FIFO named like a song, scanned as the one file it names: nothing in the scan may open it and wait for a
// writer (the readers only stat it; the read-ahead opens without waiting). The song is named from its path.
TEST(LibraryScanner, ScanOfAFifoNamedLikeASongDoesNotWait) {
    TestHome home;
    const QString fifo = home.folder("Music/Band/Album") + "/03 Pipe.mp3";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    auto scanned =
        std::async(std::launch::async, [&] { return LibraryScanner::scan(FileUrl::fromPath(fifo), {}, {}); });
    if (scanned.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Let a blocked open go, so that the test ends and says why.
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) ::close(writer);
        FAIL() << "the scan waits on the FIFO";
    }
    const QList<Song> songs = scanned.get();
    ASSERT_EQ(songs.size(), 1);
    EXPECT_EQ(songs[0].title, "Pipe");
    EXPECT_EQ(songs[0].track, 3);
    EXPECT_EQ(songs[0].duration, 0);
}

// TagLib's regression files, whatever their extension: each gives a song, none crashes or hangs.
TEST(LibraryScanner, EveryCorpusFileGivesASong) {
    QDirIterator it(corpusPath(), QDir::Files);
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() == "README.md") continue;
        SCOPED_TRACE(path.toStdString());
        const Song s = LibraryScanner::song(FileUrl::fromPath(path));
        EXPECT_EQ(s.url.path, path);
        EXPECT_FALSE(s.title.isEmpty());
        EXPECT_TRUE(std::isfinite(s.duration) && s.duration >= 0);
        EXPECT_GT(s.bytes, 0);
        ++count;
    }
    EXPECT_GT(count, 100);
}

// Reading must never open the user's music for writing: closing such a file raises IN_CLOSE_WRITE, which
// the folder watch (and every other program watching the folder) takes for a change. A scan and a cover
// look-up of every format, the broken files too, leave only closes-after-read behind.
TEST(LibraryScanner, ReadingOpensNoFileForWriting) {
    TestHome home;
    const QString album = home.folder("Music/Some Artist/Some Album");
    for (const QString& folder : {fixturePath(""), fixturePath("broken")}) {
        QDirIterator it(folder, QDir::Files);
        while (it.hasNext()) {
            it.next();
            if (LibraryScanner::isPlayable(it.fileName()))
                ASSERT_TRUE(QFile::copy(it.filePath(), album + "/" + it.fileName()));
        }
    }
    // Watching starts after the copies, whose own closes would count.
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_GE(inotify_add_watch(fd, QFile::encodeName(album).constData(), IN_CLOSE_WRITE | IN_CLOSE_NOWRITE),
              0);

    const QList<Song> songs = LibraryScanner::scan(FileUrl::fromPath(home.folder("Music")), {}, {});
    ASSERT_GT(songs.size(), 10);
    for (const Song& s : songs)
        TagReader::embeddedPicture(s.url.path);

    int closedAfterRead = 0;
    QStringList closedAfterWrite;
    alignas(inotify_event) char buffer[64 * 1024];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        for (ssize_t offset = 0; offset < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + e->len);
            if (e->mask & IN_CLOSE_WRITE) closedAfterWrite.append(QString::fromUtf8(e->name));
            if (e->mask & IN_CLOSE_NOWRITE) ++closedAfterRead;
        }
    }
    ::close(fd);
    EXPECT_EQ(closedAfterWrite, QStringList{});
    // The files were really opened (twice each), so the watch did see the reads.
    EXPECT_GE(closedAfterRead, songs.size());
}

} // namespace

namespace {

// A stop asked for during a scan ends it after the files already being read: quitting during a first scan
// of a large library waits for eight files, not for the library.
TEST(LibraryScanner, StopEndsTheWalkAndTheReadsEarly) {
    TestHome home;
    const QString music = home.folder("Music");
    for (int a = 0; a < 20; ++a) {
        const QString album = home.folder(QString("Music/Artist/Album %1").arg(a));
        for (int i = 0; i < 20; ++i)
            touch(album + QString("/%1.mp3").arg(i));
    }
    LibraryScanner::StopFlag stop{false};
    std::atomic<int> reads{0};
    const auto stopAfterTen = [&](const FileUrl& at, const Song* known) {
        if (++reads == 10) stop = true;
        return nameOnly(at, known);
    };
    const QList<Song> songs = LibraryScanner::scan(FileUrl::fromPath(music), {}, {}, stopAfterTen, &stop);
    EXPECT_LE(reads.load(), 10 + 8);
    EXPECT_EQ(songs.size(), reads.load());

    // Stopped before it began: not a file is listed or read.
    reads = 0;
    EXPECT_TRUE(LibraryScanner::scan(FileUrl::fromPath(music), {}, {}, stopAfterTen, &stop).isEmpty());
    EXPECT_EQ(reads.load(), 0);
}

} // namespace
