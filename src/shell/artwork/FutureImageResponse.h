#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QImage>
#include <QQuickImageResponse>
#include <QQuickTextureFactory>

// One request of an Image element answered by a picture made elsewhere. The watcher lives in the thread
// that made the response and hears of the result through that thread's event queue; when the Image goes
// away first, the response and its watcher are deleted and the result simply goes unused here. A null
// picture is a failure with `failure` as its text: an empty text would count as success with an empty
// picture, and the view shows its placeholder instead.
class FutureImageResponse : public QQuickImageResponse {
public:
    FutureImageResponse(QFuture<QImage> future, QString failure) : m_failure(std::move(failure)) {
        QObject::connect(&m_watcher, &QFutureWatcher<QImage>::finished, this, [this] {
            if (!m_watcher.future().isCanceled() && m_watcher.future().resultCount() > 0)
                m_picture = m_watcher.result();
            emit finished();
        });
        m_watcher.setFuture(future);
    }
    QQuickTextureFactory* textureFactory() const override {
        return QQuickTextureFactory::textureFactoryForImage(m_picture);
    }
    QString errorString() const override { return m_picture.isNull() ? m_failure : QString(); }

private:
    QFutureWatcher<QImage> m_watcher;
    QImage m_picture;
    QString m_failure;
};
