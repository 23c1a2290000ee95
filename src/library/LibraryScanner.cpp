#include "LibraryScanner.h"

#include "LibraryCache.h"
#include "TagValues.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unicode/uchar.h>
#include <unistd.h>

namespace LibraryScanner {

const QSet<QString>& playable() {
    static const QSet<QString> extensions{
        QStringLiteral("mp3"),  QStringLiteral("m4a"),  QStringLiteral("m4b"), QStringLiteral("aac"),
        QStringLiteral("alac"), QStringLiteral("flac"), QStringLiteral("wav"), QStringLiteral("aif"),
        QStringLiteral("aiff"), QStringLiteral("caf")};
    return extensions;
}

namespace {

// The extension of the last path component; a name that only begins with a dot has none.
QStringView extensionOf(QStringView path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const QStringView name = path.sliced(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.sliced(dot + 1) : QStringView();
}

bool playableName(QStringView path) {
    const QStringView ext = extensionOf(path);
    return !ext.isEmpty() && playable().contains(ext.toString().toLower());
}

struct FolderId {
    dev_t dev;
    ino_t ino;
    friend auto operator<=>(const FolderId&, const FolderId&) = default;
};

// Depth-first walk in name order. Symbolic links are followed (people link albums into their music
// folder), but a folder already walked under another path is not entered again, which also ends link
// loops. Names that are not valid UTF-8 are left out rather than turned into paths that do not exist.
class Walk {
public:
    // Receives the playable files in walk order, a run at a time (the files of one folder up to its next
    // subfolder), so a reader can start on them while the walk goes on.
    using Sink = std::function<void(QList<FileUrl>&&)>;
    explicit Walk(Sink sink, const StopFlag* stop = nullptr) : m_sink(std::move(sink)), m_stop(stop) {}

    void folder(const QString& path, const QByteArray& encoded) {
        if (m_stop && m_stop->load(std::memory_order_relaxed)) return;
        struct stat st;
        if (::stat(encoded.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
        if (!m_seen.insert(FolderId{st.st_dev, st.st_ino}).second) return;

        DIR* dir = ::opendir(encoded.constData());
        if (!dir) return;
        std::vector<std::pair<QByteArray, unsigned char>> entries;
        while (const dirent* e = ::readdir(dir)) {
            if (e->d_name[0] == '.') continue; // hidden, and "." and ".."
            entries.emplace_back(QByteArray(e->d_name), e->d_type);
        }
        ::closedir(dir);
        std::sort(entries.begin(), entries.end());

        for (const auto& [name, type] : entries) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = utf8(name);
            if (utf8.hasError()) continue;
            const QString childPath =
                path.endsWith(QLatin1Char('/')) ? path + decoded : path + QLatin1Char('/') + decoded;
            const QByteArray childEncoded = encoded.endsWith('/') ? encoded + name : encoded + '/' + name;

            bool isDir = type == DT_DIR;
            bool isFile = type == DT_REG;
            if (type == DT_LNK || type == DT_UNKNOWN) {
                struct stat target;
                if (::stat(childEncoded.constData(), &target) != 0) continue; // dangling link
                isDir = S_ISDIR(target.st_mode);
                isFile = S_ISREG(target.st_mode);
            }
            if (isDir) {
                flush();
                folder(childPath, childEncoded);
            } else if (isFile && playableName(childPath)) {
                m_run.append(FileUrl::fromPath(childPath));
            }
        }
        flush();
    }

private:
    void flush() {
        if (!m_run.isEmpty()) m_sink(std::exchange(m_run, {}));
    }

    Sink m_sink;
    const StopFlag* m_stop;
    QList<FileUrl> m_run;
    std::set<FolderId> m_seen;
};

Date fromStatx(const struct statx_timestamp& t) {
    return Date::fromUnix(qint64(t.tv_sec), qint64(t.tv_nsec));
}

QStringView lastComponent(QStringView path) {
    if (path == u"/") return path;
    return path.sliced(path.lastIndexOf(u'/') + 1);
}

QStringView parentOf(QStringView path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) return {};
    return slash == 0 ? path.first(1) : path.first(slash);
}

// Unicode's notion of a number character (numeric type decimal, digit or numeric, in any script), which
// also takes in CJK numerals and vulgar fractions.
bool isNumberCharacter(char32_t c) {
    return u_getIntPropertyValue(UChar32(c), UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

} // namespace

bool isPlayable(const QString& path) {
    return playableName(path);
}

QList<FileUrl> files(const FileUrl& location) {
    if (isPlayable(location.path)) return {location};
    QList<FileUrl> found;
    Walk walk([&](QList<FileUrl>&& run) { found.append(std::move(run)); });
    walk.folder(location.path, QFile::encodeName(location.path));
    return found;
}

FileNameParts parseFileName(const QString& name) {
    static const QString separator = QStringLiteral(" - ");
    FileNameParts parts;
    QString rest = name;
    const QStringList pieces = name.split(separator);
    if (pieces.size() >= 3) {
        parts.artist = pieces[0];
        parts.album = pieces[1];
        rest = pieces.mid(2).join(separator);
    }

    // The leading run of number characters, counted in characters (code points), measured in UTF-16 units.
    qsizetype units = 0;
    int characters = 0;
    while (units < rest.size()) {
        const QChar c = rest.at(units);
        const char32_t code = c.isHighSurrogate() && units + 1 < rest.size()
                                  ? QChar::surrogateToUcs4(c, rest.at(units + 1))
                                  : c.unicode();
        if (!isNumberCharacter(code)) break;
        units += QChar::requiresSurrogates(code) ? 2 : 1;
        ++characters;
    }
    const std::optional<qint64> track = characters >= 1 && characters <= 3
                                            ? TagValues::decimal(QStringView(rest).first(units))
                                            : std::nullopt;
    if (!track) {
        parts.title = rest;
        return parts;
    }
    parts.track = track;
    qsizetype start = units;
    while (start < rest.size() && QStringView(u" -._").contains(rest.at(start)))
        ++start;
    parts.title = start < rest.size() ? rest.mid(start) : rest;
    return parts;
}

Song songFromTags(const FileUrl& url, const FileTags& tags, Date modified, Date added, qint64 bytes) {
    const QStringView path = url.path;
    const QStringView folder = parentOf(path);
    const QStringView fileName = lastComponent(path);
    const QStringView extension = extensionOf(fileName);
    const QStringView baseName =
        extension.isEmpty() ? fileName : fileName.first(fileName.size() - extension.size() - 1);
    const FileNameParts parts = parseFileName(baseName.toString());

    Song song;
    song.url = url;
    song.title = TagValues::firstText(tags.title).value_or(parts.title);
    if (auto artist = TagValues::firstText(tags.artist))
        song.artist = *artist;
    else
        song.artist = parts.artist ? *parts.artist : lastComponent(parentOf(folder)).toString();
    if (auto album = TagValues::firstText(tags.album))
        song.album = *album;
    else
        song.album = parts.album ? *parts.album : lastComponent(folder).toString();
    song.albumArtistTag = TagValues::firstText(tags.albumArtist);
    song.albumArtist = song.albumArtistTag.value_or(song.artist);
    song.disc = TagValues::number(tags.disc).value_or(1);
    song.track = TagValues::number(tags.track).value_or(parts.track.value_or(0));
    song.duration = std::isfinite(tags.seconds) ? tags.seconds : 0;
    song.genre = TagValues::genre(tags.genre);
    song.year = TagValues::year(tags.date);
    song.added = added;
    song.modified = modified;
    song.bytes = bytes;
    return song;
}

Song song(const FileUrl& at, const Song* known) {
    const QByteArray encoded = QFile::encodeName(at.path);
    Date modified = Date::distantPast();
    std::optional<Date> created;
    qint64 bytes = 0;
    bool regular = false;
    struct statx sx;
    if (::statx(AT_FDCWD, encoded.constData(), 0, STATX_TYPE | STATX_MTIME | STATX_BTIME | STATX_SIZE, &sx) ==
        0) {
        regular = (sx.stx_mask & STATX_TYPE) && S_ISREG(sx.stx_mode);
        if (sx.stx_mask & STATX_MTIME) modified = fromStatx(sx.stx_mtime);
        // Linux keeps no "added to folder" date; the birth time, where the file system records one, is
        // the nearest thing.
        if (sx.stx_mask & STATX_BTIME) created = fromStatx(sx.stx_btime);
        if (sx.stx_mask & STATX_SIZE) bytes = qint64(sx.stx_size);
    }
    if (known && known->modified == modified) return *known;
    // Only regular files are opened: a dropped folder named "x.mp3" or a FIFO (whose open would block
    // until someone writes to it) is named from its path instead.
    const FileTags tags = regular ? TagReader::read(at.path) : FileTags{};
    return songFromTags(at, tags, modified, created.value_or(modified), bytes);
}

namespace {

// Asks the kernel to start reading the parts of a file TagLib reads first: its start (headers, and most
// tags) and its end (ID3v1 and APE tags). On a library not yet in the page cache the readers otherwise wait
// on the disk one small read at a time; with the next files already on their way, the disk works while the
// readers parse. A library already cached is noticed (the first byte of a run of files reads without
// waiting) and then only looked at now and then, since each look costs an open and a close.
class Readahead {
public:
    // How many of the next files to pass over without a look (the library looks cached); it counts them.
    qsizetype skip(qsizetype available) {
        const qsizetype n = std::min<qsizetype>(m_skip, available);
        m_skip -= int(n);
        return n;
    }

    void file(const QString& path) {
        // Non-blocking, so that a FIFO named like a song cannot hold the open; only regular files are hinted.
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) return;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            char first;
            iovec into{&first, 1};
            if (::preadv2(fd, &into, 1, 0, RWF_NOWAIT) == 1) {
                if (++m_cachedRun >= cachedRunToSkip) {
                    m_cachedRun = 0;
                    m_skip = filesSkipped;
                }
            } else {
                m_cachedRun = 0;
                ::posix_fadvise(fd, 0, head, POSIX_FADV_WILLNEED);
                if (st.st_size > head) ::posix_fadvise(fd, st.st_size - tail, tail, POSIX_FADV_WILLNEED);
            }
        }
        ::close(fd);
    }

private:
    static constexpr off_t head = 128 * 1024;
    static constexpr off_t tail = 64 * 1024;
    static constexpr int cachedRunToSkip = 32;
    static constexpr int filesSkipped = 224;
    int m_cachedRun = 0;
    int m_skip = 0;
};

// The texts many songs share (artist, album, album artist, genre), kept once for all the songs a scan reads:
// without this each song holds its own copies, tens of megabytes at 100,000 songs. The readers share one
// table; its lock is taken once per song read from its file, which costs nothing beside the reading.
class SharedTexts {
public:
    void share(Song& s) {
        std::lock_guard lock(m_mutex);
        share(s.artist);
        share(s.album);
        share(s.albumArtist);
        if (s.albumArtistTag) share(*s.albumArtistTag);
        if (s.genre) share(*s.genre);
    }

private:
    void share(QString& text) {
        if (text.isEmpty()) return;
        const auto it = m_texts.constFind(text);
        if (it == m_texts.cend())
            m_texts.insert(text);
        else
            text = *it;
    }

    std::mutex m_mutex;
    QSet<QString> m_texts;
};

using Lookup = std::function<const Song*(const QString& path)>;

// `expected`: about how many songs the scan will find (those of the last one), reserved at once so the
// result does not grow by copies of itself while the walk goes on.
QList<Song> scanWith(const FileUrl& folder, const Lookup& lookup, const Progress& progress,
                     const SongReader& read, const StopFlag* stop, QByteArray* cacheText,
                     qsizetype expected = 0);

} // namespace

QList<Song> scan(const FileUrl& folder, const QHash<QString, Song>& known, const Progress& progress,
                 const StopFlag* stop) {
    return scan(
        folder, known, progress, [](const FileUrl& at, const Song* k) { return song(at, k); }, stop);
}

QList<Song> scan(const FileUrl& folder, const QHash<QString, Song>& known, const Progress& progress,
                 const SongReader& read, const StopFlag* stop) {
    const Lookup lookup = [&known](const QString& path) -> const Song* {
        const auto it = known.constFind(path);
        return it == known.cend() ? nullptr : &it.value();
    };
    return scanWith(folder, lookup, progress, read, stop, nullptr);
}

KnownSongs::KnownSongs(const QList<Song>& songs) : m_songs(songs) {
    m_index.reserve(m_songs.size());
    for (qsizetype i = 0; i < m_songs.size(); ++i) // the first of a doubled path stands
        if (!m_index.contains(m_songs.at(i).url.path)) m_index.insert(m_songs.at(i).url.path, i);
}

QList<Song> scanReusing(const FileUrl& folder, const KnownSongs& known, const Progress& progress,
                        const StopFlag* stop, QByteArray* cacheText, const SongReader& read) {
    const Lookup lookup = [&](const QString& path) { return known.find(path); };
    if (cacheText) {
        *cacheText = QByteArray();
        cacheText->reserve(known.songs().size() * 320 + 2); // about 300 bytes a song
        cacheText->append('[');
    }
    const qsizetype expected = known.songs().size();
    if (read) return scanWith(folder, lookup, progress, read, stop, cacheText, expected);
    return scanWith(
        folder, lookup, progress, [](const FileUrl& at, const Song* k) { return song(at, k); }, stop,
        cacheText, expected);
}

namespace {

QList<Song> scanWith(const FileUrl& folder, const Lookup& lookup, const Progress& progress,
                     const SongReader& read, const StopFlag* stop, QByteArray* cacheText,
                     qsizetype expected) {
    // Eight reader threads of our own start on the files while the walk is still listing them: on a large
    // library the walk is a good part of a full scan, and reading need not wait for it. At most eight of
    // them read at once. A reader takes a few new files at a time and a run of known files (on a rescan, one
    // stat call each) in one go, so that neither the lock nor a wake-up is paid per file. The walk hands
    // its files over in runs of a few hundred, so a rescan wakes the readers a few hundred times, not once
    // per folder.
    //
    // Files that only GStreamer's discoverer reads (CAF, ALAC named as such) go to a ninth thread of their
    // own: the discoverer's first use loads codec libraries for half a second, and the eight readers must not
    // all stand still behind it.
    //
    // A tenth thread keeps the disk busy a little ahead of the readers (Readahead above): it only hints, and
    // reads no file itself.
    //
    // Progress keeps its order: (0, total) once the walk knows the total, then every 25 finished songs, and
    // no file starts while a report is being made (the receiver may be slow: it hops to the GUI thread).
    // Songs finished before the total was known are reported right after (0, total).
    constexpr int newFilesPerTake = 4;
    std::mutex mutex;
    std::condition_variable mayStart;
    std::condition_variable sideMayStart;
    std::condition_variable mayReadAhead;
    QList<FileUrl> list;
    QList<FileUrl> side; // waiting for the discoverer's thread
    bool walkDone = false;
    int readersLeft = 8;
    qsizetype total = -1; // known once the walk is done
    qsizetype next = 0;
    // The read-ahead thread hints at most this many files past the next one a reader takes: far enough for
    // the disk to keep busy, near enough that what it fetched is still cached when the file is read.
    constexpr qsizetype readAheadFiles = 128;
    qsizetype ahead = 0;
    bool readAheadWaits = false;
    bool reporting = false;
    qsizetype reported = 0; // the last count reported
    QList<Song> result;
    result.reserve(expected);
    SharedTexts texts;
    const auto stopped = [&] { return stop && stop->load(std::memory_order_relaxed); };

    // Reports every multiple of 25 up to what has finished; called with `reporting` set by the caller.
    auto catchUp = [&](std::unique_lock<std::mutex>& lock) {
        while (progress && reported + 25 <= result.size()) {
            reported += 25;
            const qsizetype count = reported, all = total;
            lock.unlock();
            progress(count, all);
            lock.lock();
        }
        reporting = false;
    };

    // One song, and with the cache's text wanted, its text (after a comma) appended to `text`.
    const auto readOne = [&](const FileUrl& url, QByteArray& text) {
        const Song* k = lookup(url.path);
        Song s;
        try {
            s = read(url, k);
        } catch (...) {
            // Reading never drops a file: what nothing could read is named from its path.
            s = songFromTags(url, FileTags{}, Date::distantPast(), Date::distantPast(), 0);
        }
        if (!k || !(k->modified == s.modified)) texts.share(s);
        if (cacheText) {
            text.append(',');
            LibraryCache::appendSong(text, s);
        }
        return s;
    };

    // Hands finished songs (and their text) over; called with the lock held.
    const auto finish = [&](std::unique_lock<std::mutex>& lock, QList<Song>& songs, QByteArray& text) {
        if (cacheText && !text.isEmpty()) {
            // The text's songs are in the order the songs join the result; the first takes no comma.
            if (result.isEmpty())
                cacheText->append(text.constData() + 1, text.size() - 1);
            else
                cacheText->append(text);
            text.clear();
        }
        for (Song& s : songs)
            result.append(std::move(s));
        songs.clear();
        if (total >= 0 && !reporting && reported + 25 <= result.size()) {
            reporting = true;
            catchUp(lock);
            lock.unlock();
            mayStart.notify_all();
            sideMayStart.notify_all();
            lock.lock();
        }
    };

    auto reader = [&] {
        QList<FileUrl> batch;
        QList<Song> done;
        QByteArray text;
        std::unique_lock lock(mutex);
        for (;;) {
            mayStart.wait(lock, [&] { return !reporting && (next < list.size() || walkDone || stopped()); });
            if (next >= list.size() || stopped()) break; // the walk is done and every file taken
            int fresh = 0;
            while (next < list.size() && batch.size() < 64) {
                const FileUrl& url = list.at(next);
                if (TagReader::needsDiscoverer(url.path)) {
                    side.append(url);
                    sideMayStart.notify_one();
                    ++next;
                    continue;
                }
                const bool isKnown = lookup(url.path) != nullptr;
                if (!isKnown && ++fresh > newFilesPerTake) break;
                batch.append(url);
                ++next;
            }
            if (batch.isEmpty()) continue;
            // Woken only once half its window is free: a wake-up per take costs the readers more than the
            // hints save on a cached library.
            const bool wakeReadAhead = readAheadWaits && ahead <= next + readAheadFiles / 2;
            lock.unlock();
            if (wakeReadAhead) mayReadAhead.notify_one();
            for (const FileUrl& url : std::as_const(batch)) {
                if (stopped()) break;
                done.append(readOne(url, text));
            }
            batch.clear();
            lock.lock();
            finish(lock, done, text);
        }
        --readersLeft;
        lock.unlock();
        sideMayStart.notify_all();
        mayReadAhead.notify_one();
    };

    // New files only: a known file is only stat'ed, and the discoverer reads its files its own way.
    auto readAhead = [&] {
        Readahead hints;
        std::unique_lock lock(mutex);
        for (;;) {
            readAheadWaits = true;
            mayReadAhead.wait(lock, [&] {
                ahead = std::max(ahead, next);
                return stopped() || readersLeft == 0 ||
                       (ahead < list.size() && ahead < next + readAheadFiles);
            });
            readAheadWaits = false;
            if (stopped() || readersLeft == 0) break;
            ahead += hints.skip(list.size() - ahead);
            // Past the known files of its window in one go: a rescan should not pay a turn of the lock for
            // each, nor hold the lock for long.
            const qsizetype end = std::min(list.size(), next + readAheadFiles);
            while (ahead < end &&
                   (lookup(list.at(ahead).path) || TagReader::needsDiscoverer(list.at(ahead).path)))
                ++ahead;
            if (ahead >= end) continue;
            const FileUrl url = list.at(ahead++);
            lock.unlock();
            hints.file(url.path);
            lock.lock();
        }
    };

    auto sideReader = [&] {
        QList<Song> done;
        QByteArray text;
        std::unique_lock lock(mutex);
        for (;;) {
            sideMayStart.wait(lock, [&] { return (!reporting && !side.isEmpty()) || readersLeft == 0; });
            if (stopped()) side.clear();
            if (side.isEmpty()) {
                if (readersLeft == 0) break;
                continue;
            }
            const FileUrl url = side.takeFirst();
            lock.unlock();
            done.append(readOne(url, text));
            lock.lock();
            finish(lock, done, text);
        }
    };

    std::vector<std::thread> readers;
    readers.reserve(10);
    for (int t = 0; t < 8; ++t)
        readers.emplace_back(reader);
    readers.emplace_back(sideReader);
    readers.emplace_back(readAhead);

    QList<FileUrl> pending;
    const auto handOver = [&] {
        {
            std::lock_guard lock(mutex);
            list.append(std::move(pending));
        }
        pending.clear();
        mayStart.notify_all();
        mayReadAhead.notify_one();
    };
    const auto deliver = [&](QList<FileUrl>&& run) {
        // A file the last scan found takes the path text its known song holds, and the walk's own copy goes
        // at once: on a rescan of 100k songs those copies were tens of megabytes held to the end of the scan.
        for (FileUrl& url : run)
            if (const Song* k = lookup(url.path)) url.path = k->url.path;
        pending.append(std::move(run));
        // The first files go at once, so that reading starts while the walk goes on.
        if (pending.size() >= 256 || list.isEmpty()) handOver();
    };
    if (isPlayable(folder.path)) {
        deliver({folder});
    } else {
        Walk walk(deliver, stop);
        walk.folder(folder.path, QFile::encodeName(folder.path));
    }
    if (!pending.isEmpty()) handOver();

    {
        std::unique_lock lock(mutex);
        walkDone = true;
        total = list.size();
        result.reserve(total);
        reporting = true; // nothing starts until (0, total) and what finished before it are reported
        lock.unlock();
        if (progress) progress(0, total);
        lock.lock();
        catchUp(lock);
    }
    mayStart.notify_all();
    sideMayStart.notify_all();
    for (std::thread& t : readers)
        t.join();
    if (cacheText) cacheText->append(']');
    return result;
}

} // namespace

} // namespace LibraryScanner
