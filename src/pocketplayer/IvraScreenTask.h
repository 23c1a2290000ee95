#pragma once

#include "IvraModel.h"

#include <QFuture>
#include <QImage>
#include <QObject>
#include <QUrl>
#include <functional>

// Keeps a device picture's screen image: renders it when the model or the picture changes and at no other
// time (a new finish or accent colour shows at the next such change). A render overtaken by a newer one is
// dropped when it ends, and so is one that ends after the task is gone.
class IvraScreenTask : public QObject {
    Q_OBJECT
public:
    // Renders the screen for a model and picture, continuing on `context`'s thread.
    using Renderer = std::function<QFuture<QImage>(IvraModel model, const QUrl& art, QObject* context)>;

    explicit IvraScreenTask(Renderer renderer, QObject* parent = nullptr);

    // "hd /music/a.mp3": what decides whether the screen must be drawn again.
    static QString key(IvraModel model, const QUrl& art);

    // Starts a render when the key differs from the last one asked for.
    void show(IvraModel model, const QUrl& art);

    // The last finished render of the newest key; null before the first one ends or when it gave nothing.
    const QImage& screen() const { return m_screen; }

signals:
    void screenChanged();

private:
    Renderer m_renderer;
    std::optional<QString> m_key;
    quint64 m_generation = 0;
    QImage m_screen;
};
