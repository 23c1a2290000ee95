#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

// Gives each test engine the application's stores, as the program's own engine gets them, in a private
// home and on a private session bus.
class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_app) {
            usePrivateBus();
            m_home = std::make_unique<TestHome>();
            m_app = std::make_unique<TamskApp>();
            // A small music folder for the tests that play: a tagged tone and a file that only looks
            // like music.
            m_music = m_home->dataHome() + QStringLiteral("/test-music");
            QDir().mkpath(m_music);
            QFile::copy(QStringLiteral(VELTO_FIXTURES_DIR "/tone.wav"),
                        m_music + QStringLiteral("/tone.wav"));
            QFile::copy(QStringLiteral(VELTO_FIXTURES_DIR "/garbage.m4a"),
                        m_music + QStringLiteral("/garbage.m4a"));
        }
        engine->rootContext()->setContextProperty(QStringLiteral("testMusicFolder"), m_music);
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_app->exposeTo(*engine);
    }
    void cleanupTestCase() {}

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
    QString m_music;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_window, Setup)

#include "WindowTestMain.moc"
