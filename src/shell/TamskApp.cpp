#include "TamskApp.h"

#include "core/Defaults.h"
#include "library/AppData.h"
#include "platform/QuitSignals.h"

#include <QQuickWindow>

TamskApp::TamskApp(QObject* parent) : QObject(parent), m_defaults(std::make_unique<Defaults>()) {
    AppData::moveFromTamsk(*m_defaults);
    // The move may have brought former settings into the file; read them again before any store uses them.
    m_defaults = std::make_unique<Defaults>();
    m_quitSignals = new QuitSignals(this);
    m_engine.addImportPath(QStringLiteral("qrc:/"));
}

TamskApp::~TamskApp() = default;

bool TamskApp::showMainWindow() {
    if (QQuickWindow* existing = mainWindow()) {
        existing->show();
        existing->raise();
        existing->requestActivate();
        return true;
    }
    m_engine.load(QUrl(QStringLiteral("qrc:/Velto/Shell/window/Main.qml")));
    return mainWindow() != nullptr;
}

QQuickWindow* TamskApp::mainWindow() const {
    for (QObject* root : m_engine.rootObjects())
        if (auto* w = qobject_cast<QQuickWindow*>(root); w && w->objectName() == QLatin1String("main"))
            return w;
    return nullptr;
}
