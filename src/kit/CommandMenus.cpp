#include "CommandMenus.h"

#include "DropMenu.h"

#include <QQmlEngine>

CommandMenus::CommandMenus(QObject* parent) : QObject(parent) {}

void CommandMenus::setCommands(CommandTable* commands) {
    if (m_commands == commands) return;
    m_commands = commands;
    emit commandsChanged();
}

DropMenuPage CommandMenus::page(CommandTable& commands, const QString& menu) {
    std::vector<DropMenuSection> sections(1);
    QPointer<CommandTable> table(&commands);
    for (const CommandTable::Command& c : commands.commands()) {
        if (c.menu != menu) continue;
        if (c.divider) {
            sections.emplace_back();
            continue;
        }
        DropMenuItem item(c.title, c.checked.value_or(false), false, [table, id = c.id] {
            if (table) table->trigger(id);
        });
        item.enabled = c.enabled;
        item.trailing = c.shortcut.toString(QKeySequence::NativeText);
        sections.back().items.push_back(std::move(item));
    }
    return DropMenuPage(std::move(sections));
}

void CommandMenus::open(const QString& menu, QQuickItem* button) {
    if (!m_commands || !button) return;
    DropMenu* menus = DropMenu::of(qmlEngine(button));
    if (!menus) return;
    menus->show(page(*m_commands, menu), DropMenuAnchor::qmlAttachedProperties(button));
    MenuController* opened = menus->open();
    if (!opened) return;
    setOpenMenu(menu);
    connect(opened, &MenuController::closed, this, [this, menu] {
        if (m_openMenu == menu) setOpenMenu(QString());
    });
}

void CommandMenus::setOpenMenu(const QString& menu) {
    if (m_openMenu == menu) return;
    m_openMenu = menu;
    emit openMenuChanged();
}
