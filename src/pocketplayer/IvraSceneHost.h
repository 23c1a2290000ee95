#pragma once

#include "IvraModel.h"

#include <QPointer>
#include <QQmlComponent>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

// Holds the player's 3-D scene (a View3D made from `scene`) and sees that it never goes while the render
// thread may still be drawing it.
//
// Qt Quick 3D (6.4) frees a View3D's render objects (its materials, meshes and lights) on the GUI thread the
// moment the View3D is deleted, while the threaded render loop may be in the middle of drawing it: on a
// software renderer a scene's first frame spends seconds building its shaders, and a page that closes in
// that time took the program down. So the host never lets its scene be deleted with it. When the host leaves
// its window (a closing page takes its items out of the window before deleting them), goes, or turns
// inactive, the scene is handed to the window's content item, draws one empty frame (see retire()), is
// hidden, and is deleted once a frame without it has been drawn: nothing draws it any more. Where the window
// draws nothing (not shown, or its scene graph already gone) it is deleted at once.
class IvraSceneHost : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQmlComponent* scene READ scene WRITE setScene NOTIFY sceneChanged)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    // Handed to the scene as its own properties of the same names; another model or finish (by name) is
    // shown by a new scene.
    Q_PROPERTY(QString model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(IvraFinish finish READ finish WRITE setFinish NOTIFY finishChanged)
    Q_PROPERTY(QObject* picture READ picture WRITE setPicture NOTIFY pictureChanged)
    // The scene now shown, sized to the host; null while inactive.
    Q_PROPERTY(QQuickItem* item READ item NOTIFY itemChanged)

public:
    explicit IvraSceneHost(QQuickItem* parent = nullptr);
    ~IvraSceneHost() override;

    QQmlComponent* scene() const { return m_scene; }
    void setScene(QQmlComponent* scene);
    bool active() const { return m_active; }
    void setActive(bool active);
    QString model() const { return m_model; }
    void setModel(const QString& model);
    IvraFinish finish() const { return m_finish; }
    void setFinish(const IvraFinish& finish);
    QObject* picture() const { return m_picture; }
    void setPicture(QObject* picture);
    QQuickItem* item() const { return m_item; }

    // Takes `scene` out of use and deletes it once no frame can draw it (see the class comment).
    static void retire(QQuickItem* scene);

signals:
    void sceneChanged();
    void activeChanged();
    void modelChanged();
    void finishChanged();
    void pictureChanged();
    void itemChanged();

protected:
    void componentComplete() override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;
    // Called while the host still has its window, before its children leave it.
    void releaseResources() override;

private:
    void refresh();
    void letGo();
    QString bodyKey() const;
    void bodyMayChange();

    QPointer<QQmlComponent> m_scene;
    bool m_active = true;
    QString m_model = QStringLiteral("flash");
    IvraFinish m_finish;
    QPointer<QObject> m_picture;
    QPointer<QQuickItem> m_item;
    // The model's raw value followed by the finish name of the body m_item shows.
    QString m_itemKey;
};
