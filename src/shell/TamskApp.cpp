#include "TamskApp.h"

#include "artwork/ArtworkCache.h"
#include "core/Defaults.h"
#include "library/AppData.h"
#include "platform/QuitSignals.h"
#include "platform/tags/TagReader.h"
#include "platform/gst/GstMediaBackend.h"
#include "platform/mpris/MprisService.h"
#include "playback/Player.h"

#include <QCoreApplication>

#include <QQuickWindow>

TamskApp::TamskApp(QObject* parent) : QObject(parent) {
    // The media-controls name on the session bus says whether VELTO already runs. It is taken before
    // anything else, so that a second start touches no file.
    m_nowPlaying = std::make_unique<NowPlayingCenter>();
    m_mpris = std::make_unique<MprisService>(*m_nowPlaying);
    if (m_mpris->start() == MprisService::Start::nameTaken && MprisService::raiseRunning()) {
        m_handedOver = true;
        return;
    }

    m_defaults = std::make_unique<Defaults>();
    AppData::moveFromTamsk(*m_defaults);
    // The move may have brought former settings into the file; read them again before any store uses them.
    m_defaults = std::make_unique<Defaults>();
    m_quitSignals = new QuitSignals(this);

    m_backend = std::make_unique<GstMediaBackend>();
    m_player = std::make_unique<Player>(*m_defaults, *m_backend);
    m_player->connectSystemControls(*m_nowPlaying);
    connect(m_mpris.get(), &MprisService::raiseRequested, this, [this] { showMainWindow(); });
    connect(m_mpris.get(), &MprisService::quitRequested, this, [] { QCoreApplication::quit(); });
    m_engine.addImportPath(QStringLiteral("qrc:/"));
    m_artwork = std::make_unique<ArtworkCache>([](const QString& song) {
        const QByteArray picture = TagReader::embeddedPicture(song);
        return picture.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{picture};
    });
    ArtworkCache::exposeTo(m_engine, m_artwork.get());
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
