#pragma once

#include "RootModel.h"

#include <QObject>
#include <QQmlApplicationEngine>
#include <QQmlEngine>
#include <memory>

class AccentStore;
class AppModel;
class AppStores;
class ArtistImageStore;
class ArtworkCache;
class CommandTable;
class Defaults;
class LastFMStore;
class LibraryStore;
class MediaBackend;
class MprisService;
class NowPlayingCenter;
class Player;
class PlayerMusic;
class PlaylistStore;
class QQuickWindow;
class QuitSignals;
class SystemAppearance;

// The application object: moves the former data folder first, then owns the long-lived stores and the
// windows. No store exists before the move has finished; each store is made at the first read of its slot
// and lives until the program ends. Only one VELTO runs per desktop session: a second start hands over to
// the first (which brings its window forward) and makes nothing.
class TamskApp : public QObject {
    Q_OBJECT
public:
    // `playerLookup` tells the accent and the settings page the chosen pocket player (its pages own those
    // settings).
    explicit TamskApp(RootModel::PlayerLookup playerLookup = {}, QObject* parent = nullptr);
    ~TamskApp() override;

    // True when another VELTO holds the session's name: it has been asked to show itself and this one
    // should end without making anything.
    bool handedOver() const { return m_handedOver; }
    // How long a second start keeps asking the first to show itself, and how long each ask may take.
    static constexpr int handOverWaitMs = 6000;
    static constexpr int raiseAttemptMs = 2000;

    Defaults& defaults() { return *m_defaults; }
    ArtworkCache& artwork() { return *m_artwork; }
    QQmlApplicationEngine& engine() { return m_engine; }

    // The seven store slots, in the order the main window reads them.
    AppModel& app();
    LibraryStore& library();
    Player& player();
    PlaylistStore& playlists();
    PlayerMusic& playerMusic();
    ArtistImageStore& pictures();
    LastFMStore& lastFM();

    CommandTable& commands();
    RootModel& root();
    AccentStore& accent();

    // Makes the stores and hands them, with the look's objects and the covers, to an engine's views.
    void exposeTo(QQmlEngine& engine);

    // Loads and shows the main window, or raises the one already open; false when its QML failed to load.
    bool showMainWindow();
    QQuickWindow* mainWindow() const;
    // The small floating window; made on first use.
    bool showMiniWindow();
    QQuickWindow* miniWindow() const;

private:
    QQuickWindow* window(const QString& id) const;
    bool takeBusName();
    void installStores();

    bool m_handedOver = false;
    RootModel::PlayerLookup m_playerLookup;
    std::unique_ptr<NowPlayingCenter> m_nowPlaying;
    std::unique_ptr<MprisService> m_mpris;
    std::unique_ptr<Defaults> m_defaults;
    std::unique_ptr<SystemAppearance> m_appearance;
    // Declared before the engine so that the engine, its windows and its image providers go first.
    std::unique_ptr<ArtworkCache> m_artwork;
    std::unique_ptr<MediaBackend> m_backend;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<LibraryStore> m_library;
    std::unique_ptr<Player> m_player;
    std::unique_ptr<PlaylistStore> m_playlists;
    std::unique_ptr<PlayerMusic> m_playerMusic;
    std::unique_ptr<ArtistImageStore> m_pictures;
    std::unique_ptr<LastFMStore> m_lastFM;
    std::unique_ptr<AccentStore> m_accent;
    std::unique_ptr<CommandTable> m_commands;
    std::unique_ptr<RootModel> m_root;
    AppStores* m_stores = nullptr;
    QuitSignals* m_quitSignals = nullptr;
    QQmlApplicationEngine m_engine;
};
