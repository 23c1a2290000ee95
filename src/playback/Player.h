#pragma once

#include "AudioLevels.h"
#include "ListeningLog.h"
#include "RelatedArtists.h"
#include "SmartDJ.h"
#include "VolumeFade.h"
#include "library/Song.h"
#include "platform/mpris/NowPlayingCenter.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QUuid>
#include <QVariant>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

class Defaults;
class LastFMStore;
class LibraryStore;
class MediaBackend;

// The one playback engine of the program: the queue (Up Next), the song that plays, shuffle and repeat,
// and what is remembered of listening (likes, play counts, history, the listening log). Lives on the GUI
// thread; the media backend does the decoding and reports back with generation-tagged signals.
class Player : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
    Q_PROPERTY(int index READ index WRITE setIndex NOTIFY indexChanged)
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY isPlayingChanged)
    Q_PROPERTY(double position READ position NOTIFY positionChanged)
    Q_PROPERTY(QString smartDJArtist READ smartDJArtistName NOTIFY smartDJArtistChanged)
    Q_PROPERTY(QStringList historyPaths READ historyPaths NOTIFY historyPathsChanged)
    Q_PROPERTY(bool repeatAll READ repeatAll WRITE setRepeatAll NOTIFY repeatAllChanged)
    Q_PROPERTY(bool shuffle READ shuffle WRITE setShuffle NOTIFY shuffleChanged)
    Q_PROPERTY(double volume READ volume WRITE setVolume NOTIFY volumeChanged)
    Q_PROPERTY(QString volumeText READ volumeText NOTIFY volumeChanged)
    Q_PROPERTY(QString noticeText READ noticeText NOTIFY noticeChanged)
    Q_PROPERTY(QUuid noticeId READ noticeId NOTIFY noticeChanged)
    // The song that plays or is paused; undefined when the queue is empty.
    Q_PROPERTY(QVariant current READ currentValue NOTIFY currentChanged)
    Q_PROPERTY(int queueLength READ queueLength NOTIFY queueChanged)
    // What is left of the current song and all of Up Next, in seconds.
    Q_PROPERTY(double timeLeft READ timeLeft NOTIFY timeLeftChanged)
    // The liked songs' paths, sorted.
    Q_PROPERTY(QStringList likes READ likedPaths NOTIFY likesChanged)

public:
    // A short message for the foot of the page. Every post is a new notice, even with the same text, so
    // the banner shows it again.
    struct Notice {
        QUuid id;
        QString text;
        static Notice make(QString text) { return Notice{QUuid::createUuid(), std::move(text)}; }
        friend bool operator==(const Notice&, const Notice&) = default;
    };

    // The song being listened to: its listen is written to the log when the player leaves it.
    struct Listening {
        Song song;
        Date start;
        bool mix = false;
    };

    // A uniform draw from 0 … bound − 1, for the shuffle.
    using Random = std::function<qsizetype(qsizetype bound)>;
    // More songs for a running Smart DJ mix, avoiding the given paths.
    using MixContinuation = std::function<QList<Song>(const QSet<QString>&)>;

    static constexpr int historyLimit = 60;
    static constexpr double restartThreshold = 3.0;
    static constexpr double defaultVolume = 0.7;
    static inline const QString volumeKey = QStringLiteral("volume");
    // How long a song may play without its position moving before it counts as unplayable: some broken
    // files keep the decoder busy forever without reaching an end or an error.
    static constexpr int defaultStallLimitMs = 5000;

    // `random` defaults to the system's generator. The log is read from `logPath` (by default the data
    // folder's "listening.json").
    Player(Defaults& defaults, MediaBackend& backend, Random random = {}, QString logPath = {},
           QObject* parent = nullptr);
    ~Player() override;

    // Queue and transport.
    Q_INVOKABLE void toggle();
    Q_INVOKABLE void next(bool automatic = false);
    Q_INVOKABLE void previous();
    Q_INVOKABLE void jump(int index);
    Q_INVOKABLE void remove(int index);
    Q_INVOKABLE void seek(double seconds);
    // A quick seek for dragging: lands near `seconds` and leaves `position` alone.
    Q_INVOKABLE void scrub(double seconds);
    void play(const QList<Song>& songs, qsizetype from = 0, std::optional<QString> smartDJ = std::nullopt);
    void playNext(const QList<Song>& songs);
    void enqueue(const QList<Song>& songs);
    // Plays a Smart DJ mix of 60 songs around `artist` and keeps it going when the queue runs out. A mix
    // that comes out empty changes nothing.
    void smartDJ(const Artist& artist, const LibraryStore& library, const LastFMStore& lastFM);
    void smartDJ(const Artist& artist, std::shared_ptr<const ArtistRelations> relations);
    // Runs the current mix on: more songs around its artist are appended. False when there is no mix or
    // nothing more to add.
    Q_INVOKABLE bool continueMix();

    // The same commands for the views, which hold songs as values or as paths: each item is a song or the
    // path of one in the collection (paths that are not are left out). Smart DJ takes an artist or its name.
    // These need the stores set below.
    void setStores(const LibraryStore* library, const LastFMStore* lastFM);
    // The relations the views use, built on a worker: a Smart DJ started from a view waits for them
    // instead of building its own on the GUI thread.
    void setRelations(RelatedArtists* relations) { m_relations = relations; }
    Q_INVOKABLE void play(const QVariantList& songs, int from = 0);
    Q_INVOKABLE void playNext(const QVariantList& songs);
    Q_INVOKABLE void enqueue(const QVariantList& songs);
    Q_INVOKABLE void smartDJ(const QVariant& artist);
    Q_INVOKABLE bool isLiked(const QVariant& song) const;
    Q_INVOKABLE void toggleLike(const QVariant& song);
    Q_INVOKABLE int plays(const QVariant& song) const;
    // Up Next as values, at most `limit` of them (all when negative).
    Q_INVOKABLE QVariantList upNextSongs(int limit = -1) const;
    QVariant currentValue() const;
    int queueLength() const { return int(m_queue.size()); }
    QStringList likedPaths() const;

    const QList<Song>& queue() const { return m_queue; }
    void setQueue(QList<Song> queue);
    int index() const { return m_index; }
    void setIndex(int index);
    std::optional<Song> current() const;
    QList<Song> upNext() const;
    double timeLeft() const;
    bool isPlaying() const { return m_isPlaying; }
    double position() const { return m_position; }
    // The engine's time now, moving between the quarter-second updates of `position`.
    Q_INVOKABLE double liveTime() const;
    const std::optional<QString>& smartDJArtist() const { return m_smartDJArtist; }
    void setSmartDJArtist(std::optional<QString> artist);
    QString smartDJArtistName() const { return m_smartDJArtist.value_or(QString()); }
    const std::optional<Listening>& listening() const { return m_listening; }

    bool shuffle() const { return m_shuffle; }
    void setShuffle(bool on);
    bool repeatAll() const { return m_repeatAll; }
    void setRepeatAll(bool on);
    double volume() const { return m_volume; }
    void setVolume(double volume);
    // Mutes, or brings back the volume from before muting.
    Q_INVOKABLE void toggleMute();
    // The volume as the readout shows it: "muted" or "volume 70".
    QString volumeText() const;
    // Where fades take their time from: the event loop, unless a test steps a clock by hand.
    void setFadeClock(FadeClock& clock) { m_fadeClock = &clock; }

    // The desktop's media keys and now-playing display: the player carries out the center's commands and
    // keeps it told what plays. Made once at start; the center may outlive the player or not.
    void connectSystemControls(NowPlayingCenter& center);

    // Likes, play counts, history.
    const QSet<QString>& likes() const { return m_likes; }
    bool isLiked(const std::optional<Song>& song) const;
    void toggleLike(const std::optional<Song>& song);
    int like(const QList<Song>& songs);
    const QHash<QString, int>& playCounts() const { return m_playCounts; }
    int plays(const std::optional<Song>& song) const;
    const QStringList& historyPaths() const { return m_historyPaths; }
    Q_INVOKABLE void clearHistory();
    // The listener's taste as it stands now, for weighing a mix's songs.
    SmartDJ::Taste taste() const;

    // The spectrum of what plays, fed by the backend's audio tap; made with the player, never replaced.
    AudioLevels& levels() { return m_levels; }
    const AudioLevels& levels() const { return m_levels; }

    ListeningLog& log() { return m_log; }
    const ListeningLog& log() const { return m_log; }

    const std::optional<Notice>& notice() const { return m_notice; }
    void setNotice(std::optional<Notice> notice);
    QString noticeText() const { return m_notice ? m_notice->text : QString(); }
    QUuid noticeId() const { return m_notice ? m_notice->id : QUuid(); }

    // How notices name songs: one song as its title in curly quotes, any other number as "n songs".
    static QString describe(const QList<Song>& songs);

    // Tells whoever shows the playing song to the system (title, state, elapsed time) to refresh; also run
    // after the queue has been re-mapped onto newer song values.
    void updateNowPlaying();

    void setStallLimit(int milliseconds) { m_stallLimitMs = milliseconds; }
    // Where the no-progress watch reads the time, in milliseconds of a monotonic clock; tests step their own.
    using Milliseconds = std::function<qint64()>;
    void setProgressClock(Milliseconds now) { m_now = std::move(now); }
    // Whether the quarter-second observer runs: while a song plays, and while a loaded song has not yet
    // started, whatever the play state. A paused song that has started costs nothing.
    bool isObserving() const { return m_positionTimer.isActive(); }

signals:
    void queueChanged();
    // What changed in the queue, for views that keep one row per entry; each comes just before
    // queueChanged. Rows were inserted at a position, one row was removed, the values were renewed in place
    // (same length and order), the songs after the current one were reordered (shuffle), or the queue was
    // replaced as a whole.
    void queueInserted(int at, int count);
    void queueRemoved(int at);
    void queueReplaced();
    void queueReordered();
    void queueReset();
    void indexChanged();
    void isPlayingChanged();
    void positionChanged();
    void smartDJArtistChanged();
    void historyPathsChanged();
    void likesChanged();
    void playCountsChanged();
    void repeatAllChanged();
    void shuffleChanged();
    void volumeChanged();
    void noticeChanged();
    void nowPlayingChanged();
    void currentChanged();
    void timeLeftChanged();

private:
    void load();
    // Shuffles the songs after the current one; `announce` tells the views (not when the queue is new).
    void shuffleRest(bool announce = true);
    void finishListening();
    QList<Song> mixAround(const Artist& artist, const ArtistRelations& relations,
                          const QSet<QString>& avoiding);
    void restart();
    void countPlay(const QString& path);
    void post(const QString& text) { setNotice(Notice::make(text)); }
    void setIsPlaying(bool playing);
    void setPosition(double seconds);
    void observePosition();
    void restartStallClock();
    void cannotPlay(const QString& reason);
    std::optional<Song> resolved(const QVariant& item) const;
    QList<Song> resolved(const QVariantList& items) const;
    void noticeCurrent();
    void onStarted(quint64 generation);
    void onEnded(quint64 generation);
    void onFailed(quint64 generation, const QString& message);
    void readStoredState();
    void storeLikes();
    // Volume and fades.
    void fadeVolume(float to, double seconds, std::function<void()> then = {});
    void cancelFade();
    void pauseEngine();
    void resumeEngine();
    // The desktop and the program's end.
    void observeQuit();
    void runCommand(NowPlayingCenter::Command command);
    NowPlayingCenter::Abilities abilities() const;
    // Writes the center; `withSong` also rewrites what plays (title, elapsed time, state).
    void publishNowPlaying(bool withSong);

    Defaults& m_defaults;
    MediaBackend& m_backend;
    Random m_random;

    QList<Song> m_queue;
    int m_index = 0;
    bool m_isPlaying = false;
    double m_position = 0;
    std::optional<QString> m_smartDJArtist;
    QStringList m_historyPaths;
    QSet<QString> m_likes;
    QHash<QString, int> m_playCounts;
    bool m_repeatAll = false;
    bool m_shuffle = false;
    std::optional<Notice> m_notice;
    double m_volume = defaultVolume;
    ListeningLog m_log;
    AudioLevels m_levels;
    std::optional<Listening> m_listening;
    MixContinuation m_moreOfTheMix;

    quint64 m_generation = 0; // of the song loaded last
    // The load whose failure was told already: one broken file says so once, however many errors it raises.
    std::optional<quint64> m_failedGeneration;
    std::optional<Song> m_announcedCurrent;
    const LibraryStore* m_library = nullptr;
    const LastFMStore* m_lastFM = nullptr;
    QPointer<RelatedArtists> m_relations;
    QTimer m_positionTimer;
    Milliseconds m_now;
    qint64 m_progressSince = -1; // on m_now's clock, when the position last moved; -1 before any song
    double m_lastSeenPosition = 0;
    int m_stallLimitMs = defaultStallLimitMs;
    // From a load until the engine says the song has started: a broken file can keep its decoder busy while
    // it never starts, paused or not, so the watch runs until then.
    bool m_awaitingStart = false;
    // The engine dropped the song after it could not play; resuming opens it again.
    bool m_engineReset = false;

    double m_unmutedVolume = defaultVolume;
    QPointer<VolumeFade> m_fade; // at most one runs
    bool m_fadeGivesWay = false; // a resume fade yields to a volume the user sets meanwhile
    FadeClock* m_fadeClock = &FadeClock::system();
    QPointer<NowPlayingCenter> m_nowPlaying;
};
