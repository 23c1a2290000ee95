#include "MenuSources.h"

#include "HoverAction.h"
#include "MenuContext.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"

#include <QPointer>

DropMenuItem MenuRow::item() {
    QPointer<MenuRow> self(this);
    return DropMenuItem(m_title, m_checked, m_destructive, [self] {
        if (self) emit self->chosen();
    });
}

std::vector<DropMenuItem> MenuRow::items(const QList<MenuRow*>& rows) {
    std::vector<DropMenuItem> out;
    for (MenuRow* row : rows)
        if (row) out.push_back(row->item());
    return out;
}

DropMenuPage ArtistMenu::page(const MenuContext& context) const {
    const std::optional<Artist> artist = context.library.artist(m_name);
    if (!artist) return DropMenuPage();
    return context.artist(*artist, MenuRow::items(m_first), m_showInCollection);
}

DropMenuPage AlbumMenu::page(const MenuContext& context) const {
    const std::optional<Album> album = context.library.album(m_albumID);
    if (!album) return DropMenuPage();
    return context.album(*album, m_showArtist, m_showInCollection);
}

DropMenuPage PlaylistMenu::page(const MenuContext& context) const {
    const std::optional<QUuid> id = Playlist::uuid(m_playlistID);
    const std::optional<Playlist> playlist = id ? context.playlists.playlist(*id) : std::nullopt;
    if (!playlist) return DropMenuPage();
    return context.playlist(*playlist, m_showInCollection, MenuRow::items(m_edit));
}

DropMenuPage CoverMenu::page(const MenuContext& context) const {
    const std::optional<Album> album = context.library.album(m_albumID);
    if (!album) return DropMenuPage();
    return DropMenuPage({DropMenuSection{std::nullopt, context.coverItems(*album)}});
}

DropMenuPage ActionsMenu::pageOf(const QList<HoverAction*>& actions) {
    return DropMenuPage({DropMenuSection{std::nullopt, MenuContext::items(actions)}});
}

DropMenuPage ActionsMenu::page(const MenuContext&) const {
    return pageOf(m_actions);
}
