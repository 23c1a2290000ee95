#include "ButtonMenus.h"

#include "DropMenu.h"
#include "MenuContext.h"
#include "RightClickCatcher.h"
#include "library/LibraryStore.h"

#include <QQmlEngine>
#include <QQuickItem>

QList<Song> ButtonMenus::songs(const QVariantList& items, const LibraryStore& library) {
    QList<Song> out;
    for (const QVariant& item : items) {
        if (item.metaType() == QMetaType::fromType<Song>())
            out.append(item.value<Song>());
        else if (std::optional<Song> song = library.song(item.toString()))
            out.append(std::move(*song));
    }
    return out;
}

void ButtonMenus::openAdd(const QVariantList& items, const QString& newName, QQuickItem* button) {
    if (!button) return;
    std::optional<MenuContext> context = RightClickCatcher::contextFor(button, button->window());
    DropMenu* menus = DropMenu::of(qmlEngine(button));
    if (!context || !menus) return;
    menus->show(context->addPage(songs(items, context->library), newName),
                DropMenuAnchor::qmlAttachedProperties(button));
}

void ButtonMenus::openMore(MenuSource* page, QQuickItem* button) {
    if (!button || !page) return;
    std::optional<MenuContext> context = RightClickCatcher::contextFor(button, button->window());
    DropMenu* menus = DropMenu::of(qmlEngine(button));
    if (!context || !menus) return;
    menus->show(page->page(*context), DropMenuAnchor::qmlAttachedProperties(button));
}
