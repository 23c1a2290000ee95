#pragma once

#include <QObject>
#include <QQuickItem>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <functional>

#include "kit/DropMenuPage.h"

// The second step of a settings action that cannot be undone: a menu of one section headed by the question,
// with one destructive row named like the button. `confirmed` is emitted once that row was chosen, after
// the menu has closed; closing it any other way (Escape, a click elsewhere) emits nothing.
class ConfirmMenu : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString question READ question WRITE setQuestion NOTIFY questionChanged)

public:
    explicit ConfirmMenu(QObject* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QString question() const { return m_question; }
    void setQuestion(const QString& question);

    // The menu: `question` heading one destructive row `title`, which runs `run`.
    static DropMenuPage page(const QString& title, const QString& question, std::function<void()> run);
    // Opens the menu under `anchor` (an item in a window of an engine with the program's menus).
    Q_INVOKABLE void open(QQuickItem* anchor);

signals:
    void titleChanged();
    void questionChanged();
    void confirmed();

private:
    QString m_title;
    QString m_question;
};
