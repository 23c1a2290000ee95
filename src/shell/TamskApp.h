#pragma once

#include <QObject>
#include <QQmlApplicationEngine>
#include <memory>

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
    QQmlApplicationEngine& engine() { return m_engine; }

    // Loads and shows the main window; false when its QML failed to load.
    bool showMainWindow();
    QQuickWindow* mainWindow() const;

private:
    std::unique_ptr<Defaults> m_defaults;
    QuitSignals* m_quitSignals = nullptr;
    QQmlApplicationEngine m_engine;
};
