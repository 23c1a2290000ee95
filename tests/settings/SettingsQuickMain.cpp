#include "core/Defaults.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QDir>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

// The settings page with the application's own stores. The chosen pocket player is told by a stand-in
// for the pocket-player pages: its finish is whatever "player.finish" holds.
class Probe : public QObject {
    Q_OBJECT
public:
    // Where the views' screenshots go, beside the smoke test's.
    Q_INVOKABLE QString screenshot(const QString& name) const {
        const QString folder = QStringLiteral(VELTO_BUILD_DIR) + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        return folder + QLatin1Char('/') + name + QStringLiteral(".png");
    }
};

class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_app) {
            usePrivateBus();
            m_home = std::make_unique<TestHome>();
            m_app = std::make_unique<TamskApp>([](const Defaults& defaults) {
                return PlayerLook{QStringLiteral("ivra hd"),
                                  defaults.stringValue(QStringLiteral("player.finish")), QColor(Qt::red)};
            });
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_app->exposeTo(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("probe"), &m_probe);
    }

private:
    Probe m_probe;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_settings, Setup)

#include "SettingsQuickMain.moc"
