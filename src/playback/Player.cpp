#include "Player.h"

#include "LastFMStore.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "platform/gst/MediaBackend.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QRandomGenerator>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

namespace {
const QString historyKey = QStringLiteral("history");
const QString likesKey = QStringLiteral("likes");
const QString playCountsKey = QStringLiteral("playCounts");
const QString repeatAllKey = QStringLiteral("repeatAll");

// A stored list of texts; anything else (missing, not a list, a list holding something else) is none.
QStringList textList(const QJsonValue& value) {
    if (!value.isArray()) return {};
    QStringList texts;
    for (const QJsonValue& item : value.toArray()) {
        if (!item.isString()) return {};
        texts.append(item.toString());
    }
    return texts;
}

std::optional<int> integer(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::floor(number) != number || std::abs(number) > 2147483647.0)
        return std::nullopt;
    return int(number);
}
} // namespace

Player::Player(Defaults& defaults, MediaBackend& backend, Random random, QString logPath, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_backend(backend), m_random(std::move(random)),
      m_log(std::move(logPath)) {
    if (!m_random)
        m_random = [](qsizetype bound) {
            return qsizetype(QRandomGenerator::global()->bounded(quint64(bound)));
        };
    readStoredState();
    m_backend.setVolume(float(m_volume));
    m_backend.setTapSink(&m_levels);

    connect(this, &Player::queueChanged, this, &Player::noticeCurrent);
    connect(this, &Player::indexChanged, this, &Player::noticeCurrent);
    connect(this, &Player::queueChanged, this, &Player::timeLeftChanged);
    connect(this, &Player::indexChanged, this, &Player::timeLeftChanged);
    connect(this, &Player::positionChanged, this, &Player::timeLeftChanged);

    // The position follows the engine four times a second while a song plays.
    m_positionTimer.setInterval(250);
    connect(&m_positionTimer, &QTimer::timeout, this, &Player::observePosition);
    m_now = [] {
        return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count());
    };
    connect(&m_backend, &MediaBackend::ready, this, &Player::onStarted);
    connect(&m_backend, &MediaBackend::ended, this, &Player::onEnded);
    connect(&m_backend, &MediaBackend::failed, this, &Player::onFailed);
    connect(&m_backend, &MediaBackend::outputUnavailable, this, [this](const QString& message) {
        qWarning() << "audio output:" << message;
        post(QStringLiteral("no sound output found, playing silently"));
    });
    observeQuit();
}

Player::~Player() {
    // The backend may outlive the player: its streaming thread must stop writing into our levels first.
    m_backend.setTapSink(nullptr);
}

void Player::readStoredState() {
    m_historyPaths = textList(m_defaults.value(historyKey));
    const QStringList likes = textList(m_defaults.value(likesKey));
    m_likes = QSet<QString>(likes.begin(), likes.end());
    // A count of the wrong type costs only its own entry, not everyone's counts.
    const QJsonValue counts = m_defaults.value(playCountsKey);
    if (counts.isObject()) {
        const QJsonObject object = counts.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (auto count = integer(it.value())) m_playCounts.insert(it.key(), *count);
        }
    }
    const QJsonValue repeat = m_defaults.value(repeatAllKey);
    m_repeatAll = repeat.isBool() && repeat.toBool();
    const QJsonValue volume = m_defaults.value(volumeKey);
    m_volume = volume.isDouble() ? volume.toDouble() : defaultVolume;
}

// MARK: queue

void Player::play(const QList<Song>& songs, qsizetype from, std::optional<QString> smartDJ) {
    if (songs.isEmpty()) return;
    m_queue = songs;
    setIndex(int(std::clamp<qsizetype>(from, 0, songs.size() - 1)));
    setSmartDJArtist(std::move(smartDJ));
    m_moreOfTheMix = nullptr;
    if (m_shuffle) shuffleRest(false);
    emit queueReset();
    emit queueChanged();
    load();
}

void Player::playNext(const QList<Song>& songs) {
    if (songs.isEmpty()) return;
    if (m_queue.isEmpty()) {
        play(songs, 0);
        post(QStringLiteral("playing ") + describe(songs));
        return;
    }
    for (qsizetype i = 0; i < songs.size(); ++i)
        m_queue.insert(m_index + 1 + i, songs[i]);
    emit queueInserted(m_index + 1, int(songs.size()));
    emit queueChanged();
    post(QStringLiteral("playing ") + describe(songs) + QStringLiteral(" next"));
}

void Player::enqueue(const QList<Song>& songs) {
    if (songs.isEmpty()) return;
    if (m_queue.isEmpty()) {
        play(songs, 0);
        post(QStringLiteral("playing ") + describe(songs));
        return;
    }
    const int at = int(m_queue.size());
    m_queue.append(songs);
    emit queueInserted(at, int(songs.size()));
    emit queueChanged();
    post(QStringLiteral("added ") + describe(songs) + QStringLiteral(" to now playing"));
}

void Player::jump(int index) {
    if (index < 0 || index >= m_queue.size()) return;
    setIndex(index);
    load();
}

void Player::remove(int index) {
    if (index < 0 || index >= m_queue.size() || index == m_index) return;
    m_queue.removeAt(index);
    emit queueRemoved(index);
    // Keep naming the same song.
    if (index < m_index) setIndex(m_index - 1);
    emit queueChanged();
}

void Player::setQueue(QList<Song> queue) {
    const bool sameLength = queue.size() == m_queue.size();
    m_queue = std::move(queue);
    if (sameLength)
        emit queueReplaced();
    else
        emit queueReset();
    emit queueChanged();
}

void Player::setIndex(int index) {
    if (m_index == index) return;
    m_index = index;
    emit indexChanged();
}

std::optional<Song> Player::current() const {
    if (m_index < 0 || m_index >= m_queue.size()) return std::nullopt;
    return m_queue[m_index];
}

QList<Song> Player::upNext() const {
    if (m_index + 1 >= m_queue.size()) return {};
    return m_queue.mid(m_index + 1);
}

double Player::timeLeft() const {
    const std::optional<Song> song = current();
    if (!song) return 0;
    double left = std::max(0.0, song->duration - m_position);
    for (qsizetype i = m_index + 1; i < m_queue.size(); ++i)
        left += m_queue[i].duration;
    return left;
}

void Player::setSmartDJArtist(std::optional<QString> artist) {
    if (m_smartDJArtist == artist) return;
    m_smartDJArtist = std::move(artist);
    emit smartDJArtistChanged();
}

void Player::setShuffle(bool on) {
    if (m_shuffle == on) return;
    m_shuffle = on;
    // Turning it off keeps the shuffled order; turning it on again shuffles anew.
    if (on) shuffleRest();
    emit shuffleChanged();
}

void Player::shuffleRest(bool announce) {
    const qsizetype first = m_index + 1;
    if (first >= m_queue.size()) return;
    for (qsizetype last = m_queue.size() - 1; last > first; --last) {
        const qsizetype pick = first + m_random(last - first + 1);
        if (pick != last) m_queue.swapItemsAt(pick, last);
    }
    if (!announce) return;
    emit queueReordered();
    emit queueChanged();
}

// MARK: Smart DJ

SmartDJ::Taste Player::taste() const {
    SmartDJ::Taste taste{m_likes, m_playCounts, SmartDJ::skips(m_log.listens()), {}};
    for (const QString& path : m_historyPaths.mid(0, 30))
        taste.recent.insert(path);
    return taste;
}

QList<Song> Player::mixAround(const Artist& artist, const ArtistRelations& relations,
                              const QSet<QString>& avoiding) {
    // Each mix draws from its own generator seeded by the player's random source, so a player made with
    // a fixed source makes the same mixes.
    QRandomGenerator random(quint32(m_random(qsizetype(1) << 32)));
    return SmartDJ::mix(artist, relations, taste(), 60, avoiding, random);
}

void Player::smartDJ(const Artist& artist, const LibraryStore& library, const LastFMStore& lastFM) {
    smartDJ(artist, std::make_shared<const ArtistRelations>(library.artists(), m_log.listens(), m_playCounts,
                                                            lastFM.artists()));
}

void Player::smartDJ(const Artist& artist, std::shared_ptr<const ArtistRelations> relations) {
    if (!relations) return;
    // The relations are worked out once per mix: continuations keep them and only refresh the taste.
    const QList<Song> mix = mixAround(artist, *relations, {});
    // An empty mix plays nothing, and a continuation left behind would later grow an ordinary queue.
    if (mix.isEmpty()) return;
    play(mix, 0, artist.name);
    m_moreOfTheMix = [player = QPointer<Player>(this), artist, relations](const QSet<QString>& avoiding) {
        if (!player) return QList<Song>();
        return player->mixAround(artist, *relations, avoiding);
    };
}

bool Player::continueMix() {
    if (!m_moreOfTheMix) return false;
    const MixContinuation more = m_moreOfTheMix;
    QSet<QString> queued;
    for (const Song& song : std::as_const(m_queue))
        queued.insert(song.path());
    QList<Song> songs = more(queued);
    if (songs.isEmpty()) {
        // Everything usable is queued already: songs heard long enough ago may come back.
        QSet<QString> lately;
        for (qsizetype i = std::max<qsizetype>(0, m_queue.size() - 20); i < m_queue.size(); ++i)
            lately.insert(m_queue[i].path());
        songs = more(lately);
    }
    if (songs.isEmpty()) return false;
    const int at = int(m_queue.size());
    m_queue.append(songs);
    emit queueInserted(at, int(songs.size()));
    emit queueChanged();
    return true;
}

// MARK: transport

void Player::load() {
    const std::optional<Song> song = current();
    if (!song) return;
    finishListening();
    m_listening = Listening{*song, Date::now(), m_smartDJArtist.has_value()};
    cancelFade();
    m_backend.setVolume(float(m_volume));
    m_generation = m_backend.load(song->path());
    m_backend.play();
    setPosition(0);
    restartStallClock();
    m_awaitingStart = true;
    m_engineReset = false;
    setIsPlaying(true);
    countPlay(song->path());
    updateNowPlaying();
}

void Player::finishListening() {
    if (!m_listening) return;
    const Listening open = std::move(*m_listening);
    m_listening.reset();
    m_log.record(Listen{open.song.path(), open.song.albumArtist, open.start, m_position, open.song.duration,
                        open.mix});
}

void Player::next(bool automatic) {
    if (m_index + 1 >= m_queue.size()) continueMix();
    if (m_index + 1 < m_queue.size()) {
        setIndex(m_index + 1);
        load();
        return;
    }
    if (m_repeatAll && !m_queue.isEmpty()) {
        setIndex(0);
        load();
    } else if (automatic) {
        // The last song played to its end: it stays current, paused at its start.
        finishListening();
        m_backend.pause();
        m_backend.seekExact(0);
        setIsPlaying(false);
        setPosition(0);
        updateNowPlaying();
    }
}

void Player::previous() {
    if (m_position > restartThreshold || m_index == 0) {
        restart();
    } else {
        setIndex(m_index - 1);
        load();
    }
}

void Player::restart() {
    setPosition(0);
    m_backend.seekExact(0);
    restartStallClock();
    updateNowPlaying();
}

void Player::toggle() {
    if (!current()) return;
    if (m_isPlaying) {
        setIsPlaying(false);
        pauseEngine();
    } else {
        resumeEngine();
        restartStallClock();
        // An engine reset after a failure opens the song again: it has to start anew.
        if (m_engineReset) m_awaitingStart = true;
        m_engineReset = false;
        setIsPlaying(true);
    }
    updateNowPlaying();
}

void Player::seek(double seconds) {
    if (!std::isfinite(seconds)) return;
    setPosition(seconds);
    m_backend.seekExact(seconds);
    restartStallClock();
    updateNowPlaying();
}

void Player::scrub(double seconds) {
    if (!std::isfinite(seconds)) return;
    m_backend.seekFast(seconds);
    restartStallClock();
}

double Player::liveTime() const {
    const double now = m_backend.position();
    return std::isfinite(now) ? now : m_position;
}

void Player::setIsPlaying(bool playing) {
    if (playing || m_awaitingStart) {
        if (!m_positionTimer.isActive()) m_positionTimer.start();
    } else {
        m_positionTimer.stop();
    }
    if (m_isPlaying == playing) return;
    m_isPlaying = playing;
    emit isPlayingChanged();
}

void Player::setPosition(double seconds) {
    if (m_position == seconds) return;
    m_position = seconds;
    emit positionChanged();
}

void Player::restartStallClock() {
    m_lastSeenPosition = NAN;
    m_progressSince = m_now();
}

void Player::observePosition() {
    const double now = m_backend.position();
    if (std::isfinite(now)) {
        if (!(std::abs(now - m_lastSeenPosition) < 0.001)) {
            m_lastSeenPosition = now;
            m_progressSince = m_now();
        }
        setPosition(now);
    }
    const bool watched = m_isPlaying || m_awaitingStart;
    if (watched && m_progressSince >= 0 && m_now() - m_progressSince > m_stallLimitMs)
        cannotPlay(QStringLiteral("no progress"));
}

void Player::onStarted(quint64 generation) {
    if (generation != m_generation || generation != m_backend.generation()) return;
    m_awaitingStart = false;
    // Paused before it started: now that it has, the paused engine rests and so does the observer.
    if (!m_isPlaying) m_positionTimer.stop();
}

void Player::onEnded(quint64 generation) {
    // The end of a song that has been replaced meanwhile must not skip the new one.
    if (generation != m_generation || generation != m_backend.generation()) return;
    next(true);
}

void Player::onFailed(quint64 generation, const QString& message) {
    if (generation != m_generation || generation != m_backend.generation()) return;
    cannotPlay(message);
}

void Player::cannotPlay(const QString& reason) {
    // A broken file raises several errors (and may stall again when resumed); the user hears about it once
    // per load, but the engine is let go every time.
    const bool toldAlready = m_failedGeneration == m_generation;
    m_failedGeneration = m_generation;
    const std::optional<Song> song = current();
    qWarning() << "cannot play" << (song ? song->path() : QString()) << ":" << reason;
    // Free the decoder (a stuck one may be spinning) and stop claiming to play. The count, history and open
    // listen stay: the song was loaded, and it is left like any other when the user moves on.
    m_backend.reset();
    m_awaitingStart = false;
    m_engineReset = true;
    setIsPlaying(false);
    if (song && !toldAlready) post(QStringLiteral("couldn't play ") + describe({*song}));
}

void Player::setRepeatAll(bool on) {
    m_defaults.set(repeatAllKey, on);
    if (m_repeatAll == on) return;
    m_repeatAll = on;
    emit repeatAllChanged();
}

// MARK: likes, counts, history

bool Player::isLiked(const std::optional<Song>& song) const {
    return song && m_likes.contains(song->path());
}

void Player::toggleLike(const std::optional<Song>& song) {
    if (!song) return;
    if (!m_likes.remove(song->path())) m_likes.insert(song->path());
    storeLikes();
    emit likesChanged();
}

int Player::like(const QList<Song>& songs) {
    int added = 0;
    for (const Song& song : songs) {
        if (m_likes.contains(song.path())) continue;
        m_likes.insert(song.path());
        ++added;
    }
    if (added > 0) {
        storeLikes();
        emit likesChanged();
    }
    return added;
}

void Player::storeLikes() {
    m_defaults.set(likesKey, QJsonArray::fromStringList(likedPaths()));
}

int Player::plays(const std::optional<Song>& song) const {
    return song ? m_playCounts.value(song->path()) : 0;
}

void Player::countPlay(const QString& path) {
    m_playCounts[path] += 1;
    QJsonObject counts;
    for (auto it = m_playCounts.cbegin(); it != m_playCounts.cend(); ++it)
        counts.insert(it.key(), it.value());
    m_defaults.set(playCountsKey, counts);
    emit playCountsChanged();

    m_historyPaths.removeAll(path);
    m_historyPaths.prepend(path);
    if (m_historyPaths.size() > historyLimit) m_historyPaths.resize(historyLimit);
    m_defaults.set(historyKey, QJsonArray::fromStringList(m_historyPaths));
    emit historyPathsChanged();
}

void Player::clearHistory() {
    m_historyPaths.clear();
    m_defaults.set(historyKey, QJsonArray());
    emit historyPathsChanged();
    m_log.setListens({});
    m_log.save();
}

// MARK: notices

void Player::setNotice(std::optional<Notice> notice) {
    if (m_notice == notice) return;
    m_notice = std::move(notice);
    emit noticeChanged();
}

QString Player::describe(const QList<Song>& songs) {
    if (songs.size() == 1) return QChar(0x201C) + songs.first().title + QChar(0x201D);
    return QString::number(songs.size()) + QStringLiteral(" songs");
}

// MARK: the views' commands

void Player::setStores(const LibraryStore* library, const LastFMStore* lastFM) {
    m_library = library;
    m_lastFM = lastFM;
}

std::optional<Song> Player::resolved(const QVariant& item) const {
    if (item.metaType() == QMetaType::fromType<Song>()) {
        Song song = item.value<Song>();
        if (!song.isValid()) return std::nullopt;
        return song;
    }
    if (!m_library || !item.canConvert<QString>()) return std::nullopt;
    return m_library->song(item.toString());
}

QList<Song> Player::resolved(const QVariantList& items) const {
    QList<Song> songs;
    songs.reserve(items.size());
    for (const QVariant& item : items)
        if (std::optional<Song> song = resolved(item)) songs.append(std::move(*song));
    return songs;
}

void Player::play(const QVariantList& songs, int from) {
    play(resolved(songs), from);
}

void Player::playNext(const QVariantList& songs) {
    playNext(resolved(songs));
}

void Player::enqueue(const QVariantList& songs) {
    enqueue(resolved(songs));
}

void Player::smartDJ(const QVariant& artist) {
    if (!m_library || !m_lastFM) return;
    std::optional<Artist> found = artist.metaType() == QMetaType::fromType<Artist>()
                                      ? m_library->artist(artist.value<Artist>().name)
                                      : m_library->artist(artist.toString());
    if (!found) return;
    if (!m_relations) {
        smartDJ(*found, *m_library, *m_lastFM);
        return;
    }
    m_relations->whenReady(
        this, [this, name = found->name](std::shared_ptr<const ArtistRelations> relations) {
            // The collection may have changed while the relations were built: mix around the artist as the
            // collection has it now.
            if (std::optional<Artist> now = m_library ? m_library->artist(name) : std::nullopt)
                smartDJ(*now, std::move(relations));
        });
}

bool Player::isLiked(const QVariant& song) const {
    return isLiked(resolved(song));
}

void Player::toggleLike(const QVariant& song) {
    toggleLike(resolved(song));
}

int Player::plays(const QVariant& song) const {
    return plays(resolved(song));
}

QVariantList Player::upNextSongs(int limit) const {
    QVariantList out;
    const qsizetype first = qsizetype(m_index) + 1;
    qsizetype end = m_queue.size();
    if (limit >= 0) end = std::min(end, first + limit);
    for (qsizetype i = first; i < end; ++i)
        out.append(QVariant::fromValue(m_queue[i]));
    return out;
}

QVariant Player::currentValue() const {
    const std::optional<Song> song = current();
    return song ? QVariant::fromValue(*song) : QVariant();
}

QStringList Player::likedPaths() const {
    QStringList paths(m_likes.begin(), m_likes.end());
    paths.sort();
    return paths;
}

void Player::noticeCurrent() {
    std::optional<Song> now = current();
    if (now == m_announcedCurrent) return;
    m_announcedCurrent = std::move(now);
    emit currentChanged();
}
