#include "collection/SongValues.h"
#include "library/LibraryStore.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

// The song views with the application's real stores over a private home whose library holds nine songs
// ("a" … "i", by "Ann" and "Bob"), and a list that holds one song twice (rows 3 and 6).
class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_app) {
            usePrivateBus();
            m_home = std::make_unique<TestHome>();
            QList<Song> songs;
            for (const char* t : {"a", "b", "c", "d", "e", "f", "g", "h", "i"})
                songs.append(makeSong(m_home->folder("Music") + "/" + t + ".mp3",
                                      QString::fromUtf8(t) < QStringLiteral("e") ? "Ann" : "Bob",
                                      QString::fromUtf8(t) < QStringLiteral("e") ? "First" : "Second", t));
            LibraryStore::writeCache(LibraryStore::encodeCache(songs));
            m_app = std::make_unique<TamskApp>();
            m_twice = std::make_unique<SongValues>();
            m_twice->setSongs({songs[0], songs[1], songs[2], songs[3], songs[4], songs[5], songs[3]});
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_app->exposeTo(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("twice"), m_twice.get());
        engine->rootContext()->setContextProperty(QStringLiteral("emptyFolder"),
                                                  QUrl::fromLocalFile(m_home->folder("Empty")));
        const QString picture = m_home->folder("Pictures") + "/face.png";
        QImage face(16, 16, QImage::Format_RGB32);
        face.fill(Qt::red);
        face.save(picture);
        engine->rootContext()->setContextProperty(QStringLiteral("pictureFile"),
                                                  QUrl::fromLocalFile(picture));
        engine->rootContext()->setContextProperty(QStringLiteral("buildDir"),
                                                  QStringLiteral(VELTO_BUILD_DIR));
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
    std::unique_ptr<SongValues> m_twice;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_songs, Setup)

#include "SongListQuickMain.moc"
