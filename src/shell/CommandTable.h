#pragma once

#include <QKeySequence>
#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

class AppModel;
class LibraryStore;
class Player;

// The commands of the menu bar and their shortcuts: titles, enabled and checked states follow the player
// and the navigation model. The window draws them as menus and binds the shortcuts for the whole
// application; every decision is here, so a test can reach it without a window.
class CommandTable : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
    // [{title, items: [{id, title, shortcut, enabled, checkable, checked, divider}]}], in menu order.
    Q_PROPERTY(QVariantList menus READ menus NOTIFY changed)

public:
    struct Command {
        QString id;
        QString menu;
        QString title;
        QKeySequence shortcut;
        bool enabled = true;
        std::optional<bool> checked; // present for toggles
        bool divider = false;
    };

    CommandTable(AppModel& app, Player& player, LibraryStore& library, QObject* parent = nullptr);

    QList<Command> commands() const;
    std::optional<Command> command(const QString& id) const;
    QVariantList menus() const;

    // Runs the command when it is enabled; false otherwise (a disabled command's shortcut does nothing).
    Q_INVOKABLE bool trigger(const QString& id);

    static constexpr double volumeStep = 0.05;

signals:
    void changed();
    void quitRequested();

private:
    void run(const QString& id);
    void changeSection(int section);

    AppModel& m_app;
    Player& m_player;
    LibraryStore& m_library;
};
