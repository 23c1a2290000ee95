#include "library/LibraryStore.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

// The artist page with the application's real stores over a private home whose library holds "Ann" with
// twelve albums of two songs, one a year from 2001, and "Bob" with one: enough albums for the page's grid to
// reach below the fold; and, for the column, thirty artists "Aa 01" … and one named "all".
class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_app) {
            usePrivateBus();
            m_home = std::make_unique<TestHome>();
            QList<Song> songs;
            for (int a = 1; a <= 12; ++a)
                for (int s = 1; s <= 2; ++s) {
                    const QString album = QStringLiteral("Album %1").arg(a, 2, 10, QLatin1Char('0'));
                    Song song =
                        makeSong(m_home->folder("Music") + QStringLiteral("/%1-%2.mp3").arg(a).arg(s),
                                 QStringLiteral("Ann"), album, album + QStringLiteral(" song %1").arg(s));
                    song.year = 2000 + a;
                    songs.append(song);
                }
            songs.append(makeSong(m_home->folder("Music") + "/b.mp3", "Bob", "Second", "b"));
            // Thirty artists before one named "all" in the column, so its row lies below the fold.
            for (int a = 1; a <= 30; ++a) {
                const QString name = QStringLiteral("Aa %1").arg(a, 2, 10, QLatin1Char('0'));
                songs.append(makeSong(m_home->folder("Music") + QStringLiteral("/aa%1.mp3").arg(a), name,
                                      name + QStringLiteral(" album"), QStringLiteral("t")));
            }
            songs.append(makeSong(m_home->folder("Music") + "/all.mp3", "all", "Everything", "e"));
            LibraryStore::writeCache(LibraryStore::encodeCache(songs));
            m_app = std::make_unique<TamskApp>();
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_app->exposeTo(*engine);
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_artist_page, Setup)

#include "ArtistPageQuickMain.moc"
