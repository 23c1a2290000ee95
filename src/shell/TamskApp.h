#pragma once

#include <QObject>
#include <QQmlApplicationEngine>
#include <memory>

class ArtworkCache;
class Defaults;
class MediaBackend;
class MprisService;
class NowPlayingCenter;
class Player;
class QQuickWindow;
class QuitSignals;

// The application object: moves the former data folder first, then owns the long-lived stores and the
// windows. No store exists before the move has finished. Only one VELTO runs per desktop session: a second
// start hands over to the first (which brings its window forward) and makes nothing.
class TamskApp : public QObject {
    Q_OBJECT
public:
    explicit TamskApp(QObject* parent = nullptr);
    ~TamskApp() override;

    // True when another VELTO was running and has been asked to show itself: this one should end.
    bool handedOver() const { return m_handedOver; }

    Defaults& defaults() { return *m_defaults; }
    ArtworkCache& artwork() { return *m_artwork; }
    Player& player() { return *m_player; }
    QQmlApplicationEngine& engine() { return m_engine; }

    // Loads and shows the main window; false when its QML failed to load.
    bool showMainWindow();
    QQuickWindow* mainWindow() const;

private:
    bool m_handedOver = false;
    std::unique_ptr<NowPlayingCenter> m_nowPlaying;
    std::unique_ptr<MprisService> m_mpris;
    std::unique_ptr<Defaults> m_defaults;
    // Declared before the engine so that the engine, its windows and its image providers go first.
    std::unique_ptr<ArtworkCache> m_artwork;
    std::unique_ptr<MediaBackend> m_backend;
    std::unique_ptr<Player> m_player;
    QuitSignals* m_quitSignals = nullptr;
    QQmlApplicationEngine m_engine;
};
