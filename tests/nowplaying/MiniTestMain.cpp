#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "platform/portal/SystemAppearance.h"
#include "playback/Player.h"
#include "shell/AppStores.h"
#include "shell/WindowOpener.h"
#include "shell/artwork/ArtworkCache.h"
#include "shell/look/AccentStore.h"
#include "shell/look/ShellObjects.h"
#include "support/TestHome.h"

#include <QDir>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

// What the tests steer and read besides the view: songs put in the player by hand, the windows the view
// asked for, and where screenshots go.
class MiniProbe : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList opened MEMBER opened NOTIFY openedChanged)
public:
    explicit MiniProbe(Player& player) : m_player(player) {}
    QStringList opened;

    Q_INVOKABLE void play(const QString& title, const QString& artist) {
        Song s;
        s.url = FileUrl::fromPath(QStringLiteral("/nowhere/%1.mp3").arg(title));
        s.title = title;
        s.artist = s.albumArtist = artist;
        s.album = QStringLiteral("Somewhere");
        s.duration = 245;
        m_player.play({s});
    }
    Q_INVOKABLE void stop() { m_player.setQueue({}); }
    Q_INVOKABLE void clearOpened() {
        opened.clear();
        emit openedChanged();
    }
    void open(const QString& id) {
        opened.append(id);
        emit openedChanged();
    }
    Q_INVOKABLE QString screenshot(const QString& name) const {
        const QString folder = QStringLiteral(VELTO_BUILD_DIR "/screenshots");
        QDir().mkpath(folder);
        return folder + QLatin1Char('/') + name + QStringLiteral(".png");
    }

signals:
    void openedChanged();

private:
    Player& m_player;
};

// The small window's view gets exactly what the program gives that window: the library, the player and
// the window opener, beside the look. No other store is there for it to reach.
class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_player) {
            m_home = std::make_unique<TestHome>();
            m_defaults = std::make_unique<Defaults>();
            m_defaults->set(QStringLiteral("libraryFolder"), m_home->folder(QStringLiteral("Music")));
            m_library = std::make_unique<LibraryStore>(
                *m_defaults, [](const FileUrl&, const QHash<QString, Song>&,
                                const LibraryScanner::Progress&) { return QList<Song>{}; });
            m_player = std::make_unique<Player>(*m_defaults, m_backend);
            m_artwork = std::make_unique<ArtworkCache>([](const QString&) { return QList<QByteArray>{}; });
            m_appearance = std::make_unique<SystemAppearance>();
            m_accent = std::make_unique<AccentStore>(*m_defaults);
            m_probe = std::make_unique<MiniProbe>(*m_player);
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        auto* stores = new AppStores(engine);
        stores->library = m_library.get();
        stores->player = m_player.get();
        MiniProbe* probe = m_probe.get();
        stores->windows = new WindowOpener(
            [probe](const QString& id) {
                probe->open(id);
                return true;
            },
            stores);
        stores->installIn(*engine);
        ShellObjects::install(*engine, m_accent.get(), m_appearance.get());
        ArtworkCache::exposeTo(*engine, m_artwork.get());
        engine->rootContext()->setContextProperty(QStringLiteral("probe"), probe);
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Defaults> m_defaults;
    FakeMediaBackend m_backend;
    std::unique_ptr<LibraryStore> m_library;
    std::unique_ptr<Player> m_player;
    std::unique_ptr<ArtworkCache> m_artwork;
    std::unique_ptr<SystemAppearance> m_appearance;
    std::unique_ptr<AccentStore> m_accent;
    std::unique_ptr<MiniProbe> m_probe;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_nowplaying, Setup)

#include "MiniTestMain.moc"
