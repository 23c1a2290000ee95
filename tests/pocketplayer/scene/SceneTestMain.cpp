// Quick Tests of the 3-D player scene. They run on the xcb platform under Xvfb: the offscreen platform's
// software scene graph draws no 3-D.
#include "pocketplayer/IvraStage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtQuickTest>

class SceneProbe : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // "none": no screen; "half": white above, black below; "white"; "black".
    Q_INVOKABLE void showScreen(QObject* stage, const QString& kind) {
        auto* s = qobject_cast<IvraStage*>(stage);
        if (!s) return;
        if (kind == QLatin1String("none")) {
            s->setScreen(QImage());
            return;
        }
        QImage image(90, 120, QImage::Format_RGB32);
        image.fill(kind == QLatin1String("black") ? Qt::black : Qt::white);
        if (kind == QLatin1String("half"))
            for (int y = 60; y < 120; ++y)
                for (int x = 0; x < 90; ++x)
                    image.setPixel(x, y, qRgb(0, 0, 0));
        s->setScreen(image);
    }

    Q_INVOKABLE QString shotPath(const QString& name) const {
        const QString folder = QStringLiteral(VELTO_BUILD_DIR "/screenshots");
        QDir().mkpath(folder);
        return folder + QLatin1Char('/') + name + QStringLiteral(".png");
    }

    Q_INVOKABLE double graphicsApi(QQuickItem* item) const {
        return item && item->window() ? int(item->window()->rendererInterface()->graphicsApi()) : -1;
    }

    // Deletes `holder` at once, as a closing page is, and keeps an eye on `scene`: true when the scene is
    // still there right after.
    Q_INVOKABLE bool deleteAndWatch(QObject* holder, QObject* scene) {
        watch(scene);
        delete holder;
        return watchedAlive();
    }
    Q_INVOKABLE void watch(QObject* object) { m_watched = object; }
    Q_INVOKABLE bool watchedAlive() const { return !m_watched.isNull(); }
    // Whether the watched scene still draws its body (a scene deleted from QML no longer reaches QML).
    Q_INVOKABLE bool watchedDrawsItsBody() const {
        const QObject* body = m_watched ? m_watched->findChild<QObject*>(QStringLiteral("body")) : nullptr;
        return body && body->property("visible").toBool();
    }

    Q_INVOKABLE void startClock() { m_clock.start(); }
    Q_INVOKABLE double elapsedMs() const { return m_clock.nsecsElapsed() / 1e6; }

private:
    QElapsedTimer m_clock;
    QPointer<QObject> m_watched;
};

class Setup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        engine->addImportPath(QStringLiteral("qrc:/"));
        engine->rootContext()->setContextProperty(QStringLiteral("sceneProbe"), new SceneProbe(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(velto_pocketplayer_scene, Setup)

#include "SceneTestMain.moc"
