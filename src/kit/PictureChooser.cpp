#include "PictureChooser.h"

#include "library/ArtistImageStore.h"
#include "shell/AppStores.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

namespace {
constexpr const char* engineKey = "_velto_pictureChooser";
}

PictureChooser::PictureChooser(QQmlEngine* engine) : QObject(engine), m_engine(engine) {}

PictureChooser* PictureChooser::of(QQmlEngine* engine) {
    if (!engine) return nullptr;
    if (auto* chooser = qobject_cast<PictureChooser*>(engine->property(engineKey).value<QObject*>()))
        return chooser;
    auto* chooser = new PictureChooser(engine);
    QQmlEngine::setObjectOwnership(chooser, QQmlEngine::CppOwnership);
    engine->setProperty(engineKey, QVariant::fromValue<QObject*>(chooser));
    return chooser;
}

void PictureChooser::choose(QQuickWindow* window, const QString& button, const QString& message,
                            Answer answer) {
    if (m_presenter)
        m_presenter(window, button, message, std::move(answer));
    else
        present(window, button, message, std::move(answer));
}

void PictureChooser::chooseArtistPicture(const QString& artist, QQuickItem* from) {
    AppStores* stores = AppStores::create(m_engine, nullptr);
    QPointer<ArtistImageStore> pictures(stores ? stores->pictures : nullptr);
    if (!pictures) return;
    choose(from ? from->window() : nullptr, ArtistImageStore::chooseButton(),
           ArtistImageStore::chooseMessage(artist), [pictures, artist](const QUrl& picture) {
               if (pictures) pictures->chosen(picture, artist);
           });
}

void PictureChooser::present(QQuickWindow* window, const QString& button, const QString& message,
                             Answer answer) {
    QQmlComponent component(m_engine, QUrl(QStringLiteral("qrc:/Velto/Kit/PictureDialog.qml")));
    QVariantMap properties{{QStringLiteral("title"), message}, {QStringLiteral("acceptLabel"), button}};
    // Modal over the window the question came from.
    if (window) properties.insert(QStringLiteral("parentWindow"), QVariant::fromValue<QObject*>(window));
    QObject* dialog = component.createWithInitialProperties(properties, m_engine->rootContext());
    if (!dialog) {
        qWarning().noquote() << "PictureChooser:" << component.errorString();
        return;
    }
    QQmlEngine::setObjectOwnership(dialog, QQmlEngine::CppOwnership);
    dialog->setParent(window ? static_cast<QObject*>(window) : static_cast<QObject*>(this));
    m_waiting.insert(dialog, std::move(answer));
    connect(dialog, SIGNAL(accepted()), this, SLOT(accepted()));
    connect(dialog, SIGNAL(rejected()), this, SLOT(rejected()));
    connect(dialog, &QObject::destroyed, this, [this, dialog] { m_waiting.remove(dialog); });
    QMetaObject::invokeMethod(dialog, "open");
}

void PictureChooser::accepted() {
    if (QObject* dialog = sender()) answered(dialog, dialog->property("selectedFile").toUrl());
}

void PictureChooser::rejected() {
    if (QObject* dialog = sender()) answered(dialog, QUrl());
}

void PictureChooser::answered(QObject* dialog, const QUrl& picture) {
    Answer answer = m_waiting.take(dialog);
    // The dialog goes once its own signal has returned.
    if (dialog) dialog->deleteLater();
    if (answer) answer(picture);
}
