#include "NowPlayingController.h"

#include "shell/artwork/ArtworkCache.h"
#include "shell/look/AccentStore.h"

#include <QCursor>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <algorithm>

NowPlayingController::NowPlayingController(QObject* parent) : QObject(parent) {
    m_sleep = [this](int ms, std::function<void()> then) { QTimer::singleShot(ms, this, std::move(then)); };
    m_accent = [this]() -> Colors {
        AccentStore* store = qmlEngine(this) ? AccentStore::create(qmlEngine(this), nullptr) : nullptr;
        const Accent accent = store ? store->accent() : Accent::magenta();
        return {accent.from, accent.to};
    };
    m_coverColors = [this](const FileUrl& url, std::function<void(std::optional<Colors>)> done) {
        ArtworkCache* cache = qmlEngine(this) ? ArtworkCache::create(qmlEngine(this), nullptr) : nullptr;
        if (!cache) {
            done(std::nullopt);
            return;
        }
        cache->gradient(url).then(this, [done = std::move(done)](const std::optional<CoverGradient>& g) {
            done(g ? std::optional(Colors{g->from, g->to}) : std::nullopt);
        });
    };
    // The pointer is hidden for the whole program until it moves, as a desktop does for a film: an override
    // cursor, taken back once.
    m_pointer = [](bool hidden) {
        if (hidden)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    };
}

NowPlayingController::~NowPlayingController() {
    *m_alive = false;
    // Leaving the page never leaves the pointer hidden.
    if (m_pointerHidden && m_pointer) m_pointer(false);
}

void NowPlayingController::componentComplete() {
    m_tint = m_accent();
}

void NowPlayingController::setPlayer(Player* player) {
    if (m_player == player) return;
    if (m_player) disconnect(m_player, nullptr, this, nullptr);
    m_player = player;
    if (m_player) {
        connect(m_player, &Player::queueChanged, this, &NowPlayingController::update);
        connect(m_player, &Player::indexChanged, this, &NowPlayingController::update);
        // Whatever paused the music (a key, the mini player, the desktop's media keys), the controls show.
        m_wasPlaying = m_player->isPlaying();
        connect(m_player, &Player::isPlayingChanged, this, [this] {
            const bool playing = m_player->isPlaying();
            if (m_wasPlaying && !playing) wake();
            m_wasPlaying = playing;
        });
    }
    emit sourceChanged();
    update();
}

void NowPlayingController::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    if (m_library) disconnect(m_library, nullptr, this, nullptr);
    m_library = library;
    // A cover chosen for the playing album shows at once.
    if (m_library) connect(m_library, &LibraryStore::albumsChanged, this, &NowPlayingController::update);
    emit sourceChanged();
    update();
}

void NowPlayingController::setApp(AppModel* app) {
    if (m_app == app) return;
    m_app = app;
    emit sourceChanged();
}

void NowPlayingController::setWindows(WindowOpener* windows) {
    if (m_windows == windows) return;
    m_windows = windows;
    emit sourceChanged();
}

void NowPlayingController::setReduceMotion(bool reduce) {
    if (m_reduceMotion == reduce) return;
    m_reduceMotion = reduce;
    emit reduceMotionChanged();
}

QUrl NowPlayingController::cover() const {
    if (!m_song) return {};
    if (m_album)
        if (auto art = m_album->artworkURL()) return art->toUrl();
    return m_song->url.toUrl();
}

void NowPlayingController::update() {
    std::optional<Song> song = m_player ? m_player->current() : std::nullopt;
    std::optional<Album> album;
    if (song && m_library) album = m_library->album(song->albumID());
    const bool songSame = song.has_value() == m_song.has_value() && (!song || *song == *m_song);
    const bool albumSame = album.has_value() == m_album.has_value() && (!album || *album == *m_album);
    if (songSame && albumSame) return;
    m_song = std::move(song);
    m_album = std::move(album);
    emit songChanged();
    if (!albumSame) emit albumChanged();
    if (m_started) retint();
}

// MARK: showing and hiding the controls

void NowPlayingController::start() {
    if (m_started) return;
    m_started = true;
    if (!m_tint.first.isValid()) m_tint = m_accent();
    wake();
    retint();
}

void NowPlayingController::wake() {
    setControlsShown(true);
    const quint64 activity = ++m_activity;
    emit activityChanged();
    std::weak_ptr<bool> alive = m_alive;
    m_sleep(hideAfterMs, [this, alive, activity] {
        if (auto a = alive.lock(); !a || !*a) return;
        // A later sign of the user started a spell of its own.
        if (activity == m_activity) quietSpell();
    });
}

void NowPlayingController::quietSpell() {
    if (!m_player || !m_player->isPlaying() || m_showQueue) return;
    setControlsShown(false);
    setPointerHidden(true);
}

void NowPlayingController::pointerMoved() {
    setPointerHidden(false);
    wake();
}

void NowPlayingController::setControlsShown(bool shown) {
    if (m_controlsShown == shown) return;
    m_controlsShown = shown;
    emit controlsShownChanged();
}

void NowPlayingController::setPointerHidden(bool hidden) {
    if (m_pointerHidden == hidden) return;
    m_pointerHidden = hidden;
    if (m_pointer) m_pointer(hidden);
    emit pointerHiddenChanged();
}

void NowPlayingController::toggleQueue() {
    m_showQueue = !m_showQueue;
    emit showQueueChanged();
    wake();
}

double NowPlayingController::queueHeight(double pageHeight) {
    return std::max(std::min(pageHeight - 240, 470.0), 220.0);
}

bool NowPlayingController::key(int key, int modifiers) {
    if (modifiers & ~Qt::KeypadModifier) return false;
    if (key == Qt::Key_Escape) {
        back();
        return true;
    }
    if (!m_player) return false;
    switch (key) {
    case Qt::Key_Space:
        m_player->toggle();
        break;
    case Qt::Key_Left:
        m_player->previous();
        break;
    case Qt::Key_Right:
        m_player->next(false);
        break;
    case Qt::Key_Up:
        m_player->setVolume(std::min(m_player->volume() + volumeStep, 1.0));
        break;
    case Qt::Key_Down:
        m_player->setVolume(std::max(m_player->volume() - volumeStep, 0.0));
        break;
    default:
        return false;
    }
    wake();
    return true;
}

// MARK: where the buttons lead

void NowPlayingController::back() {
    if (m_app) m_app->back();
}

void NowPlayingController::openMixview() {
    if (m_app && m_song) m_app->openMixview(QStringLiteral("album"), m_song->albumID());
}

bool NowPlayingController::openMiniPlayer() {
    return m_windows && m_windows->open(QStringLiteral("mini"));
}

void NowPlayingController::showAlbum() {
    if (m_app && m_song) m_app->showArtist(m_song->albumArtist, m_song->albumID());
}

void NowPlayingController::toggleFullScreen(QQuickItem* item) {
    if (item) toggleFullScreen(static_cast<QWindow*>(item->window()));
}

void NowPlayingController::toggleFullScreen(QWindow* window) {
    if (!window) return;
    if (window->visibility() == QWindow::FullScreen) {
        window->setVisibility(m_beforeFullScreen.value_or(QWindow::Windowed));
        m_beforeFullScreen.reset();
        return;
    }
    m_beforeFullScreen = window->visibility();
    window->setVisibility(QWindow::FullScreen);
}

// MARK: the tint

void NowPlayingController::retint() {
    const std::optional<QString> key = m_song ? std::optional(m_song->albumID()) : std::nullopt;
    // Another song of the same album keeps its colours; only the first run of a visit always looks.
    if (m_tintTicket > 0 && key == m_tintKey) return;
    m_tintKey = key;
    const quint64 ticket = ++m_tintTicket;
    const Colors fallback = m_accent();
    const std::optional<FileUrl> art = m_album ? m_album->artworkURL() : std::nullopt;
    if (!art) {
        applyTint(fallback);
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    m_coverColors(*art, [this, alive, ticket, fallback](std::optional<Colors> colors) {
        if (auto a = alive.lock(); !a || !*a) return;
        // The album changed while its colours were read: the newer album's tint stands.
        if (ticket != m_tintTicket) return;
        applyTint(colors.value_or(fallback));
    });
}

void NowPlayingController::applyTint(const Colors& colors) {
    const int ms = m_reduceMotion ? 0 : tintChangeMs;
    if (colors == m_tint && ms == m_tintMs) return;
    m_tint = colors;
    m_tintMs = ms;
    emit tintChanged();
}
