#include "IvraScreenTask.h"

#include <QPointer>

IvraScreenTask::IvraScreenTask(Renderer renderer, QObject* parent)
    : QObject(parent), m_renderer(std::move(renderer)) {}

QString IvraScreenTask::key(IvraModel model, const QUrl& art) {
    return Ivra::rawValue(model) + QLatin1Char(' ') +
           (art.isLocalFile() ? art.toLocalFile() : art.toString());
}

void IvraScreenTask::show(IvraModel model, const QUrl& art) {
    const QString wanted = key(model, art);
    if (m_key == wanted || !m_renderer) return;
    m_key = wanted;
    const quint64 generation = ++m_generation;
    QPointer<IvraScreenTask> self(this);
    m_renderer(model, art, this).then(this, [self, generation](const QImage& screen) {
        if (!self || generation != self->m_generation) return;
        self->m_screen = screen;
        emit self->screenChanged();
    });
}
