#pragma once

#include "DropMenuPage.h"

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

#include "shell/CommandTable.h"

// The menu bar's menus as pages of the program's own menus: one page per menu of the command table, a
// divider ending a section; each row runs its command.
class CommandMenus : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(CommandTable* commands READ commands WRITE setCommands NOTIFY commandsChanged)
    // The menu of the bar that is open, so that its button stays lit; empty when none is.
    Q_PROPERTY(QString openMenu READ openMenu NOTIFY openMenuChanged)
public:
    explicit CommandMenus(QObject* parent = nullptr);

    static DropMenuPage page(CommandTable& commands, const QString& menu);

    CommandTable* commands() const { return m_commands; }
    QString openMenu() const { return m_openMenu; }
    void setCommands(CommandTable* commands);

    // Opens a menu under its button in the menu bar.
    Q_INVOKABLE void open(const QString& menu, QQuickItem* button);

signals:
    void commandsChanged();
    void openMenuChanged();

private:
    void setOpenMenu(const QString& menu);

    QPointer<CommandTable> m_commands;
    QString m_openMenu;
};
