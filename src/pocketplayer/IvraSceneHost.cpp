#include "IvraSceneHost.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <atomic>
#include <functional>

namespace {

// Counts a window's frames on its render thread and calls back on the GUI thread once a frame has been
// drawn whose synchronisation began after the call. One per window, owned by it.
class FrameWatch : public QObject {
public:
    static FrameWatch* of(QQuickWindow* window) {
        QObject* watch = window->findChild<QObject*>(name(), Qt::FindDirectChildrenOnly);
        return watch ? static_cast<FrameWatch*>(watch) : new FrameWatch(window);
    }

    void afterNextFrame(QObject* context, std::function<void()> then) {
        m_waiting.append({m_synced.load() + 1, context, std::move(then)});
        m_window->update();
    }

private:
    static QString name() { return QStringLiteral("veltoFrameWatch"); }

    explicit FrameWatch(QQuickWindow* window) : QObject(window), m_window(window) {
        setObjectName(name());
        // Both on the render thread (or the GUI thread where Qt Quick renders there).
        connect(
            window, &QQuickWindow::afterSynchronizing, this, [this] { m_frame = ++m_synced; },
            Qt::DirectConnection);
        connect(
            window, &QQuickWindow::afterRendering, this,
            [this] {
                m_drawn.store(m_frame);
                QMetaObject::invokeMethod(this, &FrameWatch::check, Qt::QueuedConnection);
            },
            Qt::DirectConnection);
    }

    void check() {
        const quint64 drawn = m_drawn.load();
        QList<Waiting> due;
        for (qsizetype i = m_waiting.size() - 1; i >= 0; --i)
            if (m_waiting[i].frame <= drawn) due.prepend(m_waiting.takeAt(i));
        for (const Waiting& w : due)
            if (w.context) w.then();
    }

    struct Waiting {
        quint64 frame;
        QPointer<QObject> context;
        std::function<void()> then;
    };
    QQuickWindow* m_window;
    std::atomic<quint64> m_synced{0};
    std::atomic<quint64> m_drawn{0};
    quint64 m_frame = 0; // render thread only
    QList<Waiting> m_waiting;
};

} // namespace

IvraSceneHost::IvraSceneHost(QQuickItem* parent) : QQuickItem(parent) {}

IvraSceneHost::~IvraSceneHost() {
    // Still in the window here when the host itself is deleted: ~QQuickItem would take the scene out of the
    // window and the host's children would then delete it while a frame may be drawing it.
    if (m_item) retire(m_item);
}

void IvraSceneHost::letGo() {
    if (!m_item) return;
    retire(m_item);
    m_item = nullptr;
    emit itemChanged();
}

void IvraSceneHost::releaseResources() {
    letGo();
    QQuickItem::releaseResources();
}

void IvraSceneHost::itemChange(ItemChange change, const ItemChangeData& value) {
    QQuickItem::itemChange(change, value);
    // Back in a window, the host shows a scene again.
    if (change == ItemSceneChange && value.window) refresh();
}

void IvraSceneHost::setScene(QQmlComponent* scene) {
    if (scene == m_scene) return;
    m_scene = scene;
    emit sceneChanged();
    letGo();
    refresh();
}

void IvraSceneHost::setActive(bool active) {
    if (active == m_active) return;
    m_active = active;
    emit activeChanged();
    refresh();
}

void IvraSceneHost::setModel(const QString& model) {
    if (model == m_model) return;
    m_model = model;
    emit modelChanged();
    bodyMayChange();
}

void IvraSceneHost::setFinish(const IvraFinish& finish) {
    if (finish == m_finish) return;
    m_finish = finish;
    emit finishChanged();
    bodyMayChange();
}

QString IvraSceneHost::bodyKey() const {
    return m_model + m_finish.name;
}

// Another body comes in a new scene, and the old scene goes the way every scene goes (retire()): Qt Quick 3D
// (6.4) would otherwise make the new body's meshes and textures in the very frame that frees the old ones,
// at their addresses, and find the old pictures and meshes under them.
void IvraSceneHost::bodyMayChange() {
    if (!m_item) return;
    if (bodyKey() == m_itemKey) {
        m_item->setProperty("finish", QVariant::fromValue(m_finish));
        return;
    }
    letGo();
    refresh();
}

void IvraSceneHost::setPicture(QObject* picture) {
    if (picture == m_picture) return;
    m_picture = picture;
    emit pictureChanged();
    if (m_item) m_item->setProperty("picture", QVariant::fromValue(m_picture.data()));
}

void IvraSceneHost::componentComplete() {
    QQuickItem::componentComplete();
    refresh();
}

void IvraSceneHost::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (m_item) m_item->setSize(newGeometry.size());
}

void IvraSceneHost::refresh() {
    if (!isComponentComplete()) return;
    const bool wanted = m_active && m_scene && window();
    if (!wanted) {
        letGo();
        return;
    }
    if (m_item) return;

    QQmlContext* context = m_scene->creationContext() ? m_scene->creationContext() : qmlContext(this);
    QObject* made = m_scene->beginCreate(context);
    auto* item = qobject_cast<QQuickItem*>(made);
    if (!item) {
        if (made) qWarning() << "IvraSceneHost: the scene is not an item";
        if (m_scene->isError()) qWarning() << m_scene->errors();
        if (made) m_scene->completeCreate();
        delete made;
        return;
    }
    // Owned here, never by the garbage collector: only retire() ends it.
    QQmlEngine::setObjectOwnership(item, QQmlEngine::CppOwnership);
    item->setParent(this);
    item->setParentItem(this);
    item->setSize(size());
    item->setProperty("model", m_model);
    item->setProperty("finish", QVariant::fromValue(m_finish));
    item->setProperty("picture", QVariant::fromValue(m_picture.data()));
    m_scene->completeCreate();
    m_item = item;
    m_itemKey = bodyKey();
    emit itemChanged();
}

void IvraSceneHost::retire(QQuickItem* scene) {
    if (!scene) return;
    QQuickWindow* window = scene->window();
    QQuickItem* keeper = window ? window->contentItem() : nullptr;
    // No frame of this window is being drawn: not shown, its scene graph gone (the window is closing), or
    // the scene is the window's own content.
    if (!keeper || keeper == scene || !window->isExposed() || !window->isSceneGraphInitialized()) {
        delete scene;
        return;
    }
    // Moved within the same window, it keeps its render objects; owned by the content item, it still goes
    // with the window.
    scene->setParentItem(keeper);
    scene->setParent(keeper);
    // Qt Quick 3D (6.4) frees the textures and meshes it uploaded only at the end of a frame that no longer
    // uses them; those of a scene deleted with them in use stay behind under addresses that later textures
    // reuse, which then show the old pictures. So the scene first draws one empty (transparent) frame...
    // Set here rather than through the scene's bindings: a scene deleted from QML no longer runs them.
    if (QObject* body = scene->findChild<QObject*>(QStringLiteral("body")))
        body->setProperty("visible", false);
    if (QObject* environment = scene->property("environment").value<QObject*>())
        environment->setProperty("lightProbe", QVariant::fromValue<QObject*>(nullptr));
    FrameWatch* frames = FrameWatch::of(window);
    frames->afterNextFrame(scene, [scene, frames] {
        // ...is then hidden, so that frames from the next synchronisation on leave it out...
        scene->setVisible(false);
        // ...and goes once one has been drawn.
        frames->afterNextFrame(scene, [scene] { scene->deleteLater(); });
    });
}
