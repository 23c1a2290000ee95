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
// ("a" … "i", by "Ann" and "Bob"), a list that holds one song twice (rows 3 and 6), and 43 albums of two
// songs each ("Album 00" … "Album 42", by "Artist 0" … "Artist 4") apart from the library, for a grid that
// scrolls.
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
            QList<Song> many;
            for (int i = 0; i < 86; ++i) {
                const QString album = QStringLiteral("Album %1").arg(i / 2, 2, 10, QChar(u'0'));
                many.append(makeSong(QStringLiteral("/many/%1/%2.mp3").arg(album).arg(i),
                                     QStringLiteral("Artist %1").arg(i / 2 % 5), album));
            }
            m_manyAlbums = LibraryStore::build(many, {}).albums;
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_app->exposeTo(*engine);
        engine->rootContext()->setContextProperty(QStringLiteral("twice"), m_twice.get());
        engine->rootContext()->setContextProperty(QStringLiteral("manyAlbums"),
                                                  QVariant::fromValue(m_manyAlbums));
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
    QList<Album> m_manyAlbums;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_songs, Setup)

#include "SongListQuickMain.moc"
