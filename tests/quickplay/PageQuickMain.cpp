#include "QuickplayRig.h"
#include "library/ArtistImageStore.h"
#include "library/PlayerMusic.h"
#include "platform/portal/SystemAppearance.h"
#include "shell/AppStores.h"
#include "shell/artwork/ArtworkCache.h"
#include "shell/look/AccentStore.h"
#include "shell/look/ShellObjects.h"
#include "support/PrivateBus.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

#include "playback/LastFMStore.h"

// The whole Quickplay page over real stores: three artists of two albums each, two pins (an album and an
// artist), a played album in the history and two Smart DJ artists. The probe tells the test what the
// stores did.
class PageProbe : public QObject {
    Q_OBJECT
public:
    explicit PageProbe(QuickplayRig& rig) : m_rig(rig) {}

    Q_INVOKABLE int queued() const { return int(m_rig.player->queue().size()); }
    Q_INVOKABLE QString smartDJArtist() const { return m_rig.player->smartDJArtist().value_or(QString()); }
    Q_INVOKABLE int page() const { return int(m_rig.app->page()); }
    Q_INVOKABLE QStringList smartDJ() const { return m_rig.app->smartDJArtists().value_or(QStringList()); }
    Q_INVOKABLE QString front() const {
        return m_rig.defaults->stringValue(QStringLiteral("quickplayFront"));
    }
    Q_INVOKABLE QStringList pins() const {
        QStringList out;
        for (const Pin& pin : m_rig.app->pins())
            out.append(pin.stored());
        return out;
    }
    Q_INVOKABLE bool nowPlaying() const { return m_rig.app->page() == Nav::Page::nowPlaying; }
    // Back to the start: nothing queued, the start page, the collection half in front, the stored Smart DJ
    // artists and pins.
    Q_INVOKABLE void reset() {
        m_rig.player->setQueue({});
        m_rig.player->setSmartDJArtist(std::nullopt);
        m_rig.app->go(Nav::Page::quickplay);
        m_rig.defaults->set(QStringLiteral("quickplayFront"), QStringLiteral("collection"));
        m_rig.app->setSmartDJ({QStringLiteral("Mira"), QStringLiteral("Odo")});
        const QStringList wanted{QStringLiteral("album:") +
                                     albumID(QStringLiteral("Odo"), QStringLiteral("Odo First")),
                                 QStringLiteral("artist:Ash")};
        for (const QString& pin : pins())
            if (!wanted.contains(pin)) m_rig.app->togglePin(pin);
        for (const QString& pin : wanted)
            if (!pins().contains(pin)) m_rig.app->togglePin(pin);
    }

private:
    QuickplayRig& m_rig;
};

class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_rig) {
            usePrivateBus();
            QList<Song> songs;
            const QStringList artists{QStringLiteral("Mira"), QStringLiteral("Odo"), QStringLiteral("Ash")};
            double added = 1000;
            for (const QString& artist : artists)
                for (const QString& album : {QStringLiteral("First"), QStringLiteral("Second")})
                    for (const QString& title : {QStringLiteral("One"), QStringLiteral("Two")})
                        songs.append(albumSong(artist, artist + QLatin1Char(' ') + album, title, added++));
            m_rig = std::make_unique<QuickplayRig>(
                QuickplayRig::Start{.songs = songs,
                                    .pins = {QStringLiteral("album:") +
                                                 albumID(QStringLiteral("Odo"), QStringLiteral("Odo First")),
                                             QStringLiteral("artist:Ash")},
                                    .history = {QStringLiteral("/m/Mira/Mira Second/One.mp3")},
                                    .smartDJ = QStringList{QStringLiteral("Mira"), QStringLiteral("Odo")}});
            m_music = std::make_unique<PlayerMusic>(*m_rig->defaults);
            m_lastFM = std::make_unique<LastFMStore>(*m_rig->defaults);
            // As the program does: the player's Smart DJ reads the library and the Last.fm cache.
            m_rig->player->setStores(m_rig->library.get(), m_lastFM.get());
            m_pictures = std::make_unique<ArtistImageStore>();
            m_artwork = std::make_unique<ArtworkCache>([](const QString&) { return QList<QByteArray>(); });
            m_appearance = std::make_unique<SystemAppearance>();
            m_accent = std::make_unique<AccentStore>(*m_rig->defaults);
            m_probe = std::make_unique<PageProbe>(*m_rig);
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        auto* stores = new AppStores(engine);
        stores->app = m_rig->app.get();
        stores->library = m_rig->library.get();
        stores->player = m_rig->player.get();
        stores->playlists = m_rig->playlists.get();
        stores->playerMusic = m_music.get();
        stores->lastFM = m_lastFM.get();
        stores->pictures = m_pictures.get();
        stores->defaults = m_rig->defaults.get();
        stores->installIn(*engine);
        ShellObjects::install(*engine, m_accent.get(), m_appearance.get());
        ArtworkCache::exposeTo(*engine, m_artwork.get());
        engine->rootContext()->setContextProperty(QStringLiteral("probe"), m_probe.get());
    }

private:
    std::unique_ptr<QuickplayRig> m_rig;
    std::unique_ptr<PlayerMusic> m_music;
    std::unique_ptr<LastFMStore> m_lastFM;
    std::unique_ptr<ArtistImageStore> m_pictures;
    std::unique_ptr<ArtworkCache> m_artwork;
    std::unique_ptr<SystemAppearance> m_appearance;
    std::unique_ptr<AccentStore> m_accent;
    std::unique_ptr<PageProbe> m_probe;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_quickplay_page, Setup)

#include "PageQuickMain.moc"
