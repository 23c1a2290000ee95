#pragma once

#include "FolderWatcher.h"

#include "Artist.h"
#include "LibraryChange.h"
#include "LibraryEdits.h"
#include "LibraryScanner.h"
#include "ScannedSongs.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class Defaults;

// How far the running (or last) scan got. Kept after the scan ends.
struct ScanProgress {
    Q_GADGET
    Q_PROPERTY(qsizetype done MEMBER done)
    Q_PROPERTY(qsizetype total MEMBER total)
public:
    qsizetype done = 0;
    qsizetype total = 0;
    friend bool operator==(const ScanProgress&, const ScanProgress&) = default;
};

// The music library: the collection derived from the last scan (album artists resolved, second copies set
// aside, the user's edits laid over it), the state of scans, and the music folder. Everything here lives
// on the GUI thread; a scan reads files on a worker thread and hands its result back before any field
// changes. Nothing is scanned in the constructor: the collection comes from the cache file at once and the
// window asks for the first scan when it shows.
class LibraryStore : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
    Q_PROPERTY(QList<Song> songs READ songs NOTIFY songsChanged)
    Q_PROPERTY(QList<Album> albums READ albums NOTIFY albumsChanged)
    Q_PROPERTY(QList<Artist> artists READ artists NOTIFY artistsChanged)
    Q_PROPERTY(QList<Song> duplicates READ duplicates NOTIFY duplicatesChanged)
    Q_PROPERTY(bool scanning READ scanning NOTIFY scanningChanged)
    Q_PROPERTY(ScanProgress scanProgress READ scanProgress NOTIFY scanProgressChanged)
    Q_PROPERTY(QString importStatus READ importStatusText NOTIFY importStatusChanged)
    Q_PROPERTY(QUrl folder READ folderUrl NOTIFY folderChanged)
    Q_PROPERTY(qint64 totalBytes READ totalBytes NOTIFY songsChanged)
    Q_PROPERTY(QUrl latestArt READ latestArtUrl NOTIFY songsChanged)

public:
    // The scanner's entry point; tests hand in one they can hold and release.
    using ScanFunction = std::function<QList<Song>(const FileUrl& folder, const QHash<QString, Song>& known,
                                                   const LibraryScanner::Progress& progress)>;

    // Reads the cache file's songs; tests hand in a slow one.
    using CacheReader = std::function<std::optional<QList<Song>>()>;

    explicit LibraryStore(Defaults& defaults, QObject* parent = nullptr);
    LibraryStore(Defaults& defaults, ScanFunction scanFunction, QObject* parent = nullptr);
    LibraryStore(Defaults& defaults, ScanFunction scanFunction, CacheReader cacheReader,
                 QObject* parent = nullptr);
    // Stops a running scan or import between two files and waits for the scan: its result must not outlive
    // us. Quitting during a first scan of a large library therefore takes one file's read, not the scan.
    ~LibraryStore() override;

    const QList<Song>& songs() const { return m_songs; }
    const QList<Album>& albums() const { return m_albums; }
    const QList<Artist>& artists() const { return m_artists; }
    const QList<Song>& duplicates() const { return m_duplicates; }
    // What the latest publication changed: read it in a handler of songsChanged, albumsChanged or
    // artistsChanged (all four lists change before the first of them is emitted).
    const LibraryChange& lastChange() const { return m_lastChange; }
    bool scanning() const { return m_scanning; }
    // The cache is read, decoded and derived on a worker while the window comes up; the collection arrives
    // in one step (every list changed before any signal) once it is ready. Until then it is empty, and a
    // scan asked for waits for it, since the scan reuses the cached songs.
    bool loaded() const { return !m_loading; }
    ScanProgress scanProgress() const { return m_scanProgress; }
    const std::optional<QString>& importStatus() const { return m_importStatus; }
    QString importStatusText() const { return m_importStatus.value_or(QString()); }
    const FileUrl& folder() const { return m_folder; }
    QUrl folderUrl() const { return m_folder.toUrl(); }

    // Lookups. A path or identity that is not in the collection gives nothing.
    std::optional<Artist> artist(const QString& named) const;
    std::optional<Album> album(const QString& id) const;
    std::optional<Song> song(const QString& path) const;
    // The song's album's artwork, else the song's own file (its embedded picture or one beside it).
    FileUrl artworkURL(const Song& song) const;
    // The same lookups for the views: a path, identity or name (or the value itself) in, the value out;
    // an invalid value (undefined in QML) when there is none.
    Q_INVOKABLE QVariant song(const QVariant& path) const;
    Q_INVOKABLE QVariant album(const QVariant& id) const;
    Q_INVOKABLE QVariant artist(const QVariant& name) const;
    // A song given by value or by path; an empty address for a path that is not in the collection.
    Q_INVOKABLE QUrl artworkURL(const QVariant& song) const;
    std::optional<Song> song(const char* path) const { return song(QString::fromUtf8(path)); }
    std::optional<Album> album(const char* id) const { return album(QString::fromUtf8(id)); }
    std::optional<Artist> artist(const char* name) const { return artist(QString::fromUtf8(name)); }
    qint64 totalBytes() const;
    // The file of the song added last (the first in the list's order among equal dates), whose cover the
    // pocket player's screen shows; none for no songs.
    static std::optional<FileUrl> latestArt(const QList<Song>& songs);
    QUrl latestArtUrl() const;
    // Every album, newest first; equal dates in plain title order.
    QList<Album> recentlyAdded() const;

    // The user's own titles and covers, laid over the tags without touching the music files. Each change is
    // saved to "edits.json" and shown at once, without a scan. A title that is empty or equal to the tag
    // (letter case counts) takes the edit away.
    void rename(const Song& song, const QString& name);
    void rename(const Album& album, const QString& name);
    // Stores the picture as the album's cover; false, with the old cover kept, when it cannot.
    bool setCover(const QUrl& picture, const Album& album);
    void removeCover(const Album& album);
    // The cover chooser's answer: a confirmed local file becomes the cover; a cancel (empty URL) does
    // nothing. The chooser shows these texts.
    void coverChosen(const QUrl& picture, const Album& album);
    static QString coverChooseButton() { return QStringLiteral("Use Cover"); }
    static QString coverChooseMessage(const Album& album);

    // Starts a scan; while one runs, any number of requests make exactly one more scan after it.
    Q_INVOKABLE void scan();
    // The result of the folder chooser: an empty or non-local URL changes nothing; otherwise the
    // collection is emptied at once, the folder is remembered and scanned.
    Q_INVOKABLE void useFolder(const QUrl& chosen);
    // The settings switch for following changes in the folder: stored under "watchFolder"; turning it on
    // starts the watch and scans, turning it off stops the watch.
    Q_INVOKABLE void setWatching(bool on);
    bool isWatching() const { return m_watcher != nullptr; }
    // How often a missing music folder is looked for (tests shorten it).
    void setReturnPollInterval(int ms) { m_returnPollMs = ms; }
    // "Choose Music Folder…": the window shows its folder chooser ("Use this folder") and answers with
    // useFolder.
    Q_INVOKABLE void chooseFolder() { emit chooseFolderRequested(); }
    static QString chooseFolderButton() { return QStringLiteral("Use this folder"); }

    // Copies dropped songs and folders (local files only) into the music folder in the background, filed
    // by album artist and album, with the status line telling how it goes; then scans.
    Q_INVOKABLE void bringIn(const QList<QUrl>& urls);
    void bringIn(const QList<FileUrl>& items);
    // "Add Music…": the window shows its file and folder choosers and hands the choice to bringIn.
    Q_INVOKABLE void addMusic() { emit addMusicRequested(); }
    static QString addMusicButton() { return QStringLiteral("Add"); }
    Q_INVOKABLE QString addMusicMessage() const;
    // How long an import's last status text stays.
    static constexpr int statusClearMs = 4000;

    // The steps of deriving the collection, free of any store so they can be checked and measured alone.
    static QList<Song> resolveAlbumArtists(QList<Song> songs);
    static QString identity(const Song& song);
    struct Split {
        QList<Song> kept;
        QList<Song> extra;
    };
    static Split removeDuplicates(const QList<Song>& songs);

    struct Collection {
        QList<Song> scanned; // the raw list, each path once
        ScannedSongs raw;    // the same, as the store keeps it
        QList<Song> songs;
        QList<Song> duplicates;
        QList<Album> albums;
        QList<Artist> artists;
        QHash<QString, qsizetype> songIndexByPath; // into songs
        QHash<QString, qsizetype> albumIndexByID;  // into albums
    };
    static Collection build(const QList<Song>& raw, const LibraryEdits& edits);

    // The library cache: the songs exactly as scanned.
    static QString cachePath();
    static QString formerCachePath();
    // nullopt when the file is missing or undecodable (then it is set aside).
    static std::optional<QList<Song>> loadCache();
    static QByteArray encodeCache(const QList<Song>& songs);
    // Writes the cache atomically and removes the former "library.json" in any case.
    static bool writeCache(const QByteArray& json);

signals:
    void songsChanged();
    void albumsChanged();
    void artistsChanged();
    void duplicatesChanged();
    void scanningChanged();
    void scanProgressChanged();
    void importStatusChanged();
    void chooseFolderRequested();
    // After a scan: song files whose content changed since the last one (what was shown of them is stale).
    void filesRewritten(const QList<FileUrl>& files);
    void addMusicRequested();
    void folderChanged();
    void loadedChanged();

private slots:
    void deliverScan();

private:
    struct ScanResult;
    struct ScanHandoff;
    struct Loaded;
    void set(const QList<Song>& raw);
    // Lays the edits over the published collection again for the songs and albums named (and the albums
    // and artists those songs lie in) instead of deriving all of it: an edit changes one song or one album.
    // The result is what set(scanned()) would give. False when it cannot be done here (the cache is still
    // loading): the caller then derives the whole collection.
    bool reapplyEdits(const QStringList& songPaths, const QStringList& albumIDs);
    // `change` is what the new collection changed, when the caller worked it out already (on a worker).
    void publish(Collection c, std::optional<LibraryChange> change = std::nullopt);
    void adoptCache(Loaded loaded);
    // While the music folder is missing, or an empty mount point stands where the music was, a slow poll
    // watches for it to come back (a mount gives no inotify event on the folder) and then scans.
    void watchForReturn();
    void checkReturn();
    void setScanning(bool on);
    void setScanProgress(ScanProgress progress);
    void finishScan(ScanResult result);
    void joinScanThread();
    void watch();
    void setImportStatus(const std::optional<QString>& text);
    // Shows an end text that goes away after a while unless something replaced it.
    void showPassingStatus(const QString& text);

    Defaults& m_defaults;
    ScanFunction m_scanFunction;
    bool m_ownScanner = false; // no scan function was handed in: the scanner's own, which also encodes

    QList<Song> m_songs;
    QList<Album> m_albums;
    QList<Artist> m_artists;
    QList<Song> m_duplicates;
    LibraryChange m_lastChange;
    bool m_scanning = false;
    ScanProgress m_scanProgress;
    std::optional<QString> m_importStatus;
    FileUrl m_folder;

    bool m_rescanWhenDone = false;
    // The raw list of the last derivation, read back with scanned(); a generation for "still the same".
    ScannedSongs m_raw;
    quint64 m_rawGeneration = 0;
    QList<Song> scanned() const { return m_raw.songs(m_songs, m_duplicates); }
    // The songs of the last cache while the music folder is missing (an unplugged disk): the collection
    // shows empty, but when the folder returns the scan still reuses them instead of reading every file.
    QList<Song> m_heldKnown;
    // The cache file holds the raw list (in some order), so a scan that changed nothing need not write it.
    bool m_cacheHoldsScanned = false;
    LibraryEdits m_edits;
    QHash<QString, qsizetype> m_songIndexByPath;
    QHash<QString, qsizetype> m_albumIndexByID;
    QHash<QString, qsizetype> m_artistIndexByKey; // lower-cased name; the first artist of a key wins

    bool m_loading = false;
    bool m_scanWhenLoaded = false;
    // Counts set() calls: one made while the cache loads (an edit, a new folder) outdates what it built.
    quint64 m_sets = 0;
    std::thread m_loadThread;
    bool m_toldWatchLimit = false;
    QTimer* m_returnPoll = nullptr;
    int m_returnPollMs = 3000;
    // What the folder was (absent, or its device and inode) when the poll started.
    std::optional<std::pair<quint64, quint64>> m_folderIdentity;

    std::unique_ptr<FolderWatcher> m_watcher;
    // Set when the store goes; the scanner and the import look at it between files.
    std::shared_ptr<LibraryScanner::StopFlag> m_stop = std::make_shared<LibraryScanner::StopFlag>(false);
    std::shared_ptr<ScanHandoff> m_handoff;
    std::thread m_scanThread;
};
