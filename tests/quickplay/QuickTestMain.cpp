#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "platform/portal/SystemAppearance.h"
#include "shell/AppStores.h"
#include "shell/artwork/ArtworkCache.h"
#include "shell/look/AccentStore.h"
#include "shell/look/ShellObjects.h"
#include "support/TestHome.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <condition_variable>
#include <memory>
#include <mutex>

// The views of the start page's neighbours with a library whose scans the test holds and lets go, and a
// cover cache whose song pictures are single colours named by the file ("/t/red.mp3"); a file whose name
// starts with "slow" answers only when the test lets it.
class Probe : public QObject {
    Q_OBJECT
public:
    ~Probe() override { letGo(); }

    // Where the views' screenshots go, beside the smoke test's.
    Q_INVOKABLE QString screenshot(const QString& name) const {
        const QString folder = QStringLiteral(VELTO_BUILD_DIR) + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        return folder + QLatin1Char('/') + name + QStringLiteral(".png");
    }

    Q_INVOKABLE void finishScan() {
        {
            std::lock_guard lock(m_mutex);
            m_scanHeld = false;
        }
        m_cv.notify_all();
    }
    Q_INVOKABLE void holdScans() {
        std::lock_guard lock(m_mutex);
        m_scanHeld = true;
    }
    Q_INVOKABLE void answerSlowCovers() {
        {
            std::lock_guard lock(m_mutex);
            m_coversHeld = false;
        }
        m_cv.notify_all();
    }
    void letGo() {
        finishScan();
        answerSlowCovers();
    }

    LibraryStore::ScanFunction scanner() {
        return [this](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress& progress) {
            progress(0, 0);
            std::unique_lock lock(m_mutex);
            m_cv.wait(lock, [this] { return !m_scanHeld; });
            return QList<Song>{};
        };
    }
    ArtworkCache::EmbeddedPictures covers() {
        return [this](const QString& path) -> QList<QByteArray> {
            const QString name = QFileInfo(path).completeBaseName();
            if (name.startsWith(QLatin1String("slow"))) {
                std::unique_lock lock(m_mutex);
                m_cv.wait(lock, [this] { return !m_coversHeld; });
            }
            QImage picture(32, 32, QImage::Format_RGB32);
            picture.fill(QColor(name.mid(name.startsWith(QLatin1String("slow")) ? 4 : 0)));
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "PNG");
            return {bytes};
        };
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_scanHeld = true;
    bool m_coversHeld = true;
};

class Setup : public QObject {
    Q_OBJECT
public:
    // A held cover load would keep the cache's pool waiting as it closes.
    ~Setup() override { m_probe.letGo(); }

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        if (!m_library) {
            m_home = std::make_unique<TestHome>();
            m_defaults = std::make_unique<Defaults>();
            m_defaults->set(QStringLiteral("libraryFolder"), m_home->folder(QStringLiteral("Music")));
            m_library = std::make_unique<LibraryStore>(*m_defaults, m_probe.scanner());
            m_artwork = std::make_unique<ArtworkCache>(m_probe.covers());
            m_appearance = std::make_unique<SystemAppearance>();
            m_accent = std::make_unique<AccentStore>(*m_defaults);
        }
        engine->addImportPath(QStringLiteral("qrc:/"));
        auto* stores = new AppStores(engine);
        stores->library = m_library.get();
        stores->installIn(*engine);
        ShellObjects::install(*engine, m_accent.get(), m_appearance.get());
        ArtworkCache::exposeTo(*engine, m_artwork.get());
        engine->rootContext()->setContextProperty(QStringLiteral("probe"), &m_probe);
    }
    void cleanupTestCase() { m_probe.letGo(); }

private:
    Probe m_probe;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Defaults> m_defaults;
    std::unique_ptr<LibraryStore> m_library;
    std::unique_ptr<ArtworkCache> m_artwork;
    std::unique_ptr<SystemAppearance> m_appearance;
    std::unique_ptr<AccentStore> m_accent;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_quickplay, Setup)

#include "QuickTestMain.moc"
