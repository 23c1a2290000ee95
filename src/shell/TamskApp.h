#pragma once

#include <QObject>
#include <QQmlApplicationEngine>
#include <memory>

class ArtworkCache;
class Defaults;
class QQuickWindow;
class QuitSignals;

// The application object: moves the former data folder first, then owns the long-lived stores and the
// windows. No store exists before the move has finished.
class TamskApp : public QObject {
    Q_OBJECT
public:
    explicit TamskApp(QObject* parent = nullptr);
    ~TamskApp() override;

    Defaults& defaults() { return *m_defaults; }
    ArtworkCache& artwork() { return *m_artwork; }
    QQmlApplicationEngine& engine() { return m_engine; }

    // Loads and shows the main window; false when its QML failed to load.
    bool showMainWindow();
    QQuickWindow* mainWindow() const;

private:
    std::unique_ptr<Defaults> m_defaults;
    // Declared before the engine so that the engine, its windows and its image providers go first.
    std::unique_ptr<ArtworkCache> m_artwork;
    QuitSignals* m_quitSignals = nullptr;
    QQmlApplicationEngine m_engine;
};
