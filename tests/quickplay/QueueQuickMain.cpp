#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QDir>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

// The Up Next panel over the application's real stores; the probe fills the queue with numbered songs of
// three minutes ("/music/sN.mp3", title "SN", artist "Singer N") without a library.
class QueueProbe : public QObject {
    Q_OBJECT
public:
    explicit QueueProbe(TamskApp& app) : m_app(app) {}

    Q_INVOKABLE void play(int count, int index, const QString& smartDJ = {}) {
        QList<Song> songs;
        for (int i = 0; i < count; ++i) {
            Song song;
            song.url = FileUrl::fromPath(QStringLiteral("/music/s%1.mp3").arg(i));
            song.title = QStringLiteral("S%1").arg(i);
            song.artist = QStringLiteral("Singer %1").arg(i);
            song.duration = 180;
            songs.append(song);
        }
        m_app.player().play(songs, index, smartDJ.isEmpty() ? std::nullopt : std::optional<QString>(smartDJ));
    }
    // Appends songs as a Smart DJ continuation does.
    Q_INVOKABLE void enqueue(int count) {
        QList<Song> songs;
        for (int i = 0; i < count; ++i) {
            Song song;
            song.url = FileUrl::fromPath(QStringLiteral("/music/more%1.mp3").arg(i));
            song.title = QStringLiteral("More %1").arg(i);
            song.duration = 180;
            songs.append(song);
        }
        m_app.player().enqueue(songs);
    }
    // Nothing queued, as when the program starts.
    Q_INVOKABLE void clear() {
        m_app.player().setQueue({});
        m_app.player().setIndex(0);
        m_app.player().setSmartDJArtist(std::nullopt);
    }
    Q_INVOKABLE int playlistCount() const { return int(m_app.playlists().playlists().size()); }
    Q_INVOKABLE QString firstPlaylistName() const {
        return m_app.playlists().playlists().isEmpty() ? QString()
                                                       : m_app.playlists().playlists().front().name;
    }

private:
    TamskApp& m_app;
};

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
        engine->rootContext()->setContextProperty(QStringLiteral("queueProbe"), new QueueProbe(*m_app));
        QDir().mkpath(QStringLiteral(VELTO_BUILD_DIR "/screenshots"));
        // Pictures of the panel go beside the smoke test's screenshots.
        engine->rootContext()->setContextProperty(QStringLiteral("screenshots"),
                                                  QStringLiteral(VELTO_BUILD_DIR "/screenshots"));
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_queue, Setup)

#include "QueueQuickMain.moc"
