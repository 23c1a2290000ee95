#include "pocketplayer/SyncPlanSections.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QDir>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>
#include <memory>

// Hands the plan list plans described in JavaScript: {going, left, unplayable} give how many albums of one
// song each a part holds, `converted` how many of the songs going on are converted, `music` the setting.
class PlanProbe : public QObject {
    Q_OBJECT
    Q_PROPERTY(SyncPlanListModel* list READ list CONSTANT)
public:
    using QObject::QObject;
    SyncPlanListModel* list() { return &m_list; }

    Q_INVOKABLE void show(const QVariantMap& description) {
        SyncPlan plan;
        plan.going = albums("Going", description.value("going").toInt());
        plan.left = albums("Left", description.value("left").toInt());
        plan.unplayable = albums("Odd", description.value("unplayable").toInt());
        for (int i = 0; i < std::min<int>(description.value("converted").toInt(), plan.going.size()); ++i)
            plan.converted.insert(plan.going[i].url);
        plan.bytes = 1'500'000'000;
        plan.leftBytes = 700'000'000;
        m_list.show(plan, 256, description.value("music", QStringLiteral("all")).toString());
    }

    // Where a test saves a picture of what it drew, for a person to look at.
    Q_INVOKABLE QString shotPath(const QString& name) const {
        const QString folder = QStringLiteral(VELTO_BUILD_DIR "/screenshots");
        QDir().mkpath(folder);
        return folder + QLatin1Char('/') + name + QStringLiteral(".png");
    }

private:
    static QList<Song> albums(const QString& artist, int count) {
        QList<Song> out;
        for (int a = 1; a <= count; ++a) {
            Song s;
            s.url = FileUrl::fromPath(QStringLiteral("/nowhere/%1/%2.mp3").arg(artist).arg(a));
            s.title = QStringLiteral("Song %1").arg(a);
            s.artist = s.albumArtist = artist;
            s.album = QStringLiteral("%1 Album %2").arg(artist).arg(a);
            out.append(s);
        }
        return out;
    }

    SyncPlanListModel m_list;
};

// Each test engine gets the application's stores, as the program's own engine does, in a private home and
// on a private session bus.
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
        engine->rootContext()->setContextProperty(QStringLiteral("planProbe"), new PlanProbe(engine));
    }

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TamskApp> m_app;
};

QUICK_TEST_MAIN_WITH_SETUP(velto_pocketplayer, Setup)

#include "PlanViewsTestMain.moc"
