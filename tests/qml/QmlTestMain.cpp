#include "core/Defaults.h"
#include "platform/portal/SystemAppearance.h"
#include "shell/look/AccentStore.h"
#include "shell/look/ShellObjects.h"

#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQuickTest>

// Gives each test engine the look's stores, as the application object does, with a private settings file.
class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_defaults = std::make_unique<Defaults>(m_dir.filePath(QStringLiteral("defaults.json")));
        m_appearance = std::make_unique<SystemAppearance>();
        m_accent = std::make_unique<AccentStore>(*m_defaults);
        ShellObjects::install(*engine, m_accent.get(), m_appearance.get());
    }
    void cleanupTestCase() {
        m_accent.reset();
        m_appearance.reset();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Defaults> m_defaults;
    std::unique_ptr<SystemAppearance> m_appearance;
    std::unique_ptr<AccentStore> m_accent;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_qml, Setup)

#include "QmlTestMain.moc"
