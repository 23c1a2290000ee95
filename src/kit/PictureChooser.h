#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <functional>

class QQmlEngine;
class QJSEngine;
class QQuickItem;
class QQuickWindow;

// Asks the user for one picture file in a window: an image file dialog with the caller's button text and
// message, whose answer (an empty address for a cancel) goes to the caller. One per QML engine; the album
// menus' "change cover…" and the artist page's picture rows open it.
class PictureChooser : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    using Answer = std::function<void(const QUrl&)>;
    // Shows the question; tests put one in that answers by hand.
    using Presenter = std::function<void(QQuickWindow* window, const QString& button, const QString& message,
                                         Answer answer)>;

    static PictureChooser* of(QQmlEngine* engine);
    static PictureChooser* create(QQmlEngine* engine, QJSEngine*) { return of(engine); }
    explicit PictureChooser(QQmlEngine* engine);

    void choose(QQuickWindow* window, const QString& button, const QString& message, Answer answer);
    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }

    // The artist page's "add a picture…" and "change picture…": the answer is stored as the artist's
    // picture.
    Q_INVOKABLE void chooseArtistPicture(const QString& artist, QQuickItem* from);

private slots:
    void accepted();
    void rejected();

private:
    void answered(QObject* dialog, const QUrl& picture);
    void present(QQuickWindow* window, const QString& button, const QString& message, Answer answer);

    QQmlEngine* m_engine;
    Presenter m_presenter;
    QHash<QObject*, Answer> m_waiting; // by dialog
};
