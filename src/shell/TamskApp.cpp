#include "TamskApp.h"

#include "AppModel.h"
#include "AppStores.h"
#include "CommandTable.h"
#include "artwork/ArtworkCache.h"
#include "core/Defaults.h"
#include "library/AppData.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "look/AccentStore.h"
#include "look/ShellObjects.h"
#include "platform/QuitSignals.h"
#include "platform/gst/GstMediaBackend.h"
#include "platform/mpris/MprisService.h"
#include "platform/portal/SystemAppearance.h"
#include "platform/tags/TagReader.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QQuickWindow>
#include <QThread>

TamskApp::TamskApp(RootModel::PlayerLookup playerLookup, QObject* parent)
    : QObject(parent), m_playerLookup(std::move(playerLookup)) {
    // Logout or `kill` during the start must still end through the event loop, never in the middle of a
    // file write: the quit signals come before anything touches a file.
    m_quitSignals = new QuitSignals(this);

    // The media-controls name on the session bus is the lock that keeps one VELTO per session. It is taken
    // before anything else, so that a second start touches no file.
    m_nowPlaying = std::make_unique<NowPlayingCenter>();
    m_mpris = std::make_unique<MprisService>(*m_nowPlaying);
    if (!takeBusName()) {
        m_handedOver = true;
        return;
    }

    m_defaults = std::make_unique<Defaults>();
    AppData::moveFromTamsk(*m_defaults);
    // The move may have brought former settings into the file; read them again before any store uses them.
    m_defaults = std::make_unique<Defaults>();

    connect(m_mpris.get(), &MprisService::raiseRequested, this, [this] { showMainWindow(); });
    connect(m_mpris.get(), &MprisService::quitRequested, this, [] { QCoreApplication::quit(); });
    m_engine.addImportPath(QStringLiteral("qrc:/"));

    m_appearance = std::make_unique<SystemAppearance>();
    m_artwork = std::make_unique<ArtworkCache>(
        [](const QString& song) {
            const QByteArray picture = TagReader::embeddedPicture(song);
            return picture.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{picture};
        },
        // Only the file system is asked, so the look-up is safe on the cache's worker threads.
        [](const QString& artist) -> std::optional<QString> {
            const QString path =
                ArtistImageStore::folder() + QLatin1Char('/') + ArtistImageStore::fileName(artist);
            return QFileInfo::exists(path) ? std::optional(path) : std::nullopt;
        });
    ArtworkCache::exposeTo(m_engine, m_artwork.get());
    ArtworkCache::quietMisses(m_engine);
}

TamskApp::~TamskApp() = default;

bool TamskApp::takeBusName() {
    // A first VELTO that is still starting (reading its library, loading its window) answers late. Ask
    // again for a while; whatever the answer, this start never runs stores of its own while the name is
    // held, because two of them would write the same settings, log and library files. Only a name that
    // was given up meanwhile is taken.
    QDeadlineTimer deadline(handOverWaitMs);
    while (true) {
        if (m_mpris->start() != MprisService::Start::nameTaken) return true;
        if (MprisService::raiseRunning(m_mpris->busName(), raiseAttemptMs) || deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
}

AppModel& TamskApp::app() {
    if (!m_app) m_app = std::make_unique<AppModel>(*m_defaults);
    return *m_app;
}

LibraryStore& TamskApp::library() {
    if (!m_library) {
        m_library = std::make_unique<LibraryStore>(*m_defaults);
        // A re-tagged file shows its new cover without a restart.
        connect(m_library.get(), &LibraryStore::filesRewritten, this, [this](const QList<FileUrl>& files) {
            for (const FileUrl& file : files)
                m_artwork->forget(file);
        });
    }
    return *m_library;
}

Player& TamskApp::player() {
    if (!m_player) {
        m_backend = std::make_unique<GstMediaBackend>();
        m_player = std::make_unique<Player>(*m_defaults, *m_backend);
        m_player->connectSystemControls(*m_nowPlaying);
    }
    return *m_player;
}

PlaylistStore& TamskApp::playlists() {
    if (!m_playlists) m_playlists = std::make_unique<PlaylistStore>();
    return *m_playlists;
}

PlayerMusic& TamskApp::playerMusic() {
    if (!m_playerMusic) m_playerMusic = std::make_unique<PlayerMusic>(*m_defaults);
    return *m_playerMusic;
}

ArtistImageStore& TamskApp::pictures() {
    if (!m_pictures) {
        m_pictures = std::make_unique<ArtistImageStore>();
        connect(m_pictures.get(), &ArtistImageStore::pictureFileChanged, this,
                [this](const QString& path) { m_artwork->forget(FileUrl::fromPath(path)); });
    }
    return *m_pictures;
}

LastFMStore& TamskApp::lastFM() {
    if (!m_lastFM) m_lastFM = std::make_unique<LastFMStore>(*m_defaults);
    return *m_lastFM;
}

AccentStore& TamskApp::accent() {
    if (!m_accent) {
        ArtworkCache* cache = m_artwork.get();
        // The cover accent comes from the two colours of the playing cover.
        m_accent = std::make_unique<AccentStore>(*m_defaults, [cache](const QUrl& artwork) {
            return cache->gradient(FileUrl::fromPath(artwork.toLocalFile()))
                .then([](const std::optional<CoverGradient>& g) {
                    return g ? QList<QColor>{g->from, g->to} : QList<QColor>{};
                });
        });
    }
    return *m_accent;
}

CommandTable& TamskApp::commands() {
    if (!m_commands) {
        m_commands = std::make_unique<CommandTable>(app(), player(), library());
        connect(m_commands.get(), &CommandTable::quitRequested, this, [] { QCoreApplication::quit(); });
    }
    return *m_commands;
}

RootModel& TamskApp::root() {
    if (!m_root)
        m_root = std::make_unique<RootModel>(*m_defaults, app(), library(), player(), lastFM(), accent(),
                                             *m_appearance, m_playerLookup);
    return *m_root;
}

void TamskApp::installStores() {
    if (m_stores) return;
    m_stores = new AppStores(this);
    // In the order the main window reads them.
    m_stores->app = &app();
    m_stores->library = &library();
    m_stores->player = &player();
    m_stores->playlists = &playlists();
    m_stores->playerMusic = &playerMusic();
    m_stores->pictures = &pictures();
    m_stores->lastFM = &lastFM();
    m_stores->commands = &commands();
    m_stores->root = &root();
    m_stores->defaults = m_defaults.get();
    // The views hand the player songs by path and artists by name: it looks them up here.
    m_player->setStores(m_library.get(), m_lastFM.get());
    m_stores->relations = new RelatedArtists(*m_library, *m_player, *m_lastFM, m_stores);
    m_player->setRelations(m_stores->relations);
    m_stores->windows = new WindowOpener(
        [this](const QString& id) {
            return id == QLatin1String("mini") ? showMiniWindow() : showMainWindow();
        },
        m_stores);
}

void TamskApp::exposeTo(QQmlEngine& engine) {
    installStores();
    // Once per engine: the main and the mini window share one.
    if (engine.property("_velto_exposed").toBool()) return;
    engine.setProperty("_velto_exposed", true);
    m_stores->installIn(engine);
    ShellObjects::install(engine, &accent(), m_appearance.get());
    if (&engine != &m_engine) ArtworkCache::exposeTo(engine, m_artwork.get());
}

namespace {
// Brings back a window that is open, closed or minimised. `show()` leaves a minimised window minimised
// (it keeps the window's state), so the minimised flag is taken off first; a maximised window stays so.
void bringBack(QQuickWindow& window) {
    if (window.windowStates() & Qt::WindowMinimized)
        window.setWindowStates(window.windowStates() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
}
} // namespace

bool TamskApp::showMainWindow() {
    if (QQuickWindow* existing = mainWindow()) {
        bringBack(*existing);
        // On Wayland the compositor decides: it may only mark the window as wanting attention.
        existing->requestActivate();
        return true;
    }
    exposeTo(m_engine);
    m_engine.load(QUrl(QStringLiteral("qrc:/Velto/Window/Main.qml")));
    return mainWindow() != nullptr;
}

bool TamskApp::showMiniWindow() {
    if (QQuickWindow* existing = miniWindow()) {
        bringBack(*existing);
        return true;
    }
    exposeTo(m_engine);
    m_engine.load(QUrl(QStringLiteral("qrc:/Velto/Window/MiniWindow.qml")));
    return miniWindow() != nullptr;
}

QQuickWindow* TamskApp::window(const QString& id) const {
    for (QObject* root : m_engine.rootObjects())
        if (auto* w = qobject_cast<QQuickWindow*>(root); w && w->objectName() == id) return w;
    return nullptr;
}

QQuickWindow* TamskApp::mainWindow() const {
    return window(QStringLiteral("main"));
}
QQuickWindow* TamskApp::miniWindow() const {
    return window(QStringLiteral("mini"));
}
