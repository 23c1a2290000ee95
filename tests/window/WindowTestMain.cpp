#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

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
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_app->exposeTo(*engine);
    }
    void cleanupTestCase() {}

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_window, Setup)

#include "WindowTestMain.moc"
