#include "MenuContext.h"

#include "HoverAction.h"
#include "LikesAndPlays.h"
#include "PlaylistActions.h"
#include "core/Text.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"

#include <QPointer>
#include <QRandomGenerator>

namespace {
DropMenuItem row(const QString& title, std::function<void()> run, bool checked = false,
                 bool destructive = false) {
    return DropMenuItem(title, checked, destructive, std::move(run));
}

std::vector<DropMenuItem> joined(std::vector<DropMenuItem> a, std::vector<DropMenuItem> b) {
    a.insert(a.end(), std::make_move_iterator(b.begin()), std::make_move_iterator(b.end()));
    return a;
}
} // namespace

MenuContext::MenuContext(AppModel& app, LibraryStore& library, Player& player, PlaylistStore& playlists,
                         PlayerMusic& music, LastFMStore& lastFM)
    : app(app), library(library), player(player), playlists(playlists), music(music), lastFM(lastFM) {}

QList<Song> MenuContext::songs(const Playlist& playlist) const {
    return playlists.songs(playlist, library, likesAndPlays(player));
}

QList<Song> MenuContext::shuffled(QList<Song> songs, const Random& random) {
    // Fisher–Yates, drawing from the injected generator so that tests can replay an order.
    for (qsizetype i = songs.size() - 1; i > 0; --i) {
        const qsizetype j = random ? random(i + 1) : qsizetype(QRandomGenerator::global()->bounded(i + 1));
        songs.swapItemsAt(i, j);
    }
    return songs;
}

DropMenuPage MenuContext::artist(const Artist& artist, std::vector<DropMenuItem> first,
                                 bool showInCollection) const {
    DropMenuSection top{std::nullopt, joined({smartDJ(artist)}, std::move(first))};
    DropMenuSection handy{QStringLiteral("keep handy"),
                          {onPlayer(PlayerPick::artist(artist.name)), pinned(Pin::artist(artist.name)),
                           smartDJSlot(artist.name)}};
    DropMenuSection places;
    if (showInCollection) {
        QPointer<AppModel> nav(&app);
        places.items.push_back(row(QStringLiteral("show in collection"), [nav, name = artist.name] {
            if (nav) nav->show(name, std::nullopt);
        }));
    }
    places.items.push_back(mixview(MixSeed::artist(artist.name)));
    return DropMenuPage({std::move(top), std::move(handy), std::move(places)});
}

DropMenuPage MenuContext::album(const Album& album, bool showArtist, bool showInCollection) const {
    DropMenuSection top{std::nullopt, playItems(album.songs, true)};
    DropMenuSection handy{QStringLiteral("keep handy"),
                          {addToPlaylist(album.songs, album.title), onPlayer(PlayerPick::album(album)),
                           pinned(Pin::album(album.id()))}};
    DropMenuSection places;
    // Both rows lead to the same place: the album under its artist in the artists section.
    QPointer<AppModel> nav(&app);
    auto showIt = [nav, artist = album.artist, id = album.id()] {
        if (nav) nav->show(artist, id);
    };
    if (showInCollection) places.items.push_back(row(QStringLiteral("show in collection"), showIt));
    if (showArtist) places.items.push_back(row(QStringLiteral("show artist"), showIt));
    places.items.push_back(mixview(MixSeed::album(album.id())));
    DropMenuSection edit{QStringLiteral("edit"), coverItems(album)};
    return DropMenuPage({std::move(top), std::move(handy), std::move(places), std::move(edit)});
}

DropMenuPage MenuContext::playlist(const Playlist& playlist, bool showInCollection,
                                   std::vector<DropMenuItem> edit) const {
    const QList<Song> found = songs(playlist);
    DropMenuSection top;
    if (!found.isEmpty()) top.items = playItems(found, true);
    const QString id = Playlist::uuidText(playlist.id);
    DropMenuSection handy{QStringLiteral("keep handy"), {onPlayer(PlayerPick::playlist(playlist))}};
    if (std::optional<Pin> pin = Pin::playlist(id)) handy.items.push_back(pinned(*pin));
    DropMenuSection places;
    if (showInCollection) {
        QPointer<AppModel> nav(&app);
        places.items.push_back(row(QStringLiteral("show in collection"), [nav, id] {
            if (nav) nav->showPlaylist(id);
        }));
    }
    DropMenuSection edits{QStringLiteral("edit"), std::move(edit)};
    return DropMenuPage({std::move(top), std::move(handy), std::move(places), std::move(edits)});
}

DropMenuPage MenuContext::addPage(const QList<Song>& songs, const QString& newName) const {
    QPointer<Player> p(&player);
    DropMenuSection rows;
    rows.items.push_back(row(QStringLiteral("play next"), [p, songs] {
        if (p) p->playNext(songs);
    }));
    rows.items.push_back(row(QStringLiteral("add to now playing"), [p, songs] {
        if (p) p->enqueue(songs);
    }));
    rows.items.push_back(addToPlaylist(songs, newName));
    return DropMenuPage({std::move(rows)});
}

std::vector<DropMenuItem> MenuContext::playItems(const QList<Song>& songs, bool shuffle) const {
    QPointer<Player> p(&player);
    std::vector<DropMenuItem> rows;
    // The player ignores an empty list, so the rows of no songs do nothing.
    rows.push_back(row(QStringLiteral("play"), [p, songs] {
        if (p) p->play(songs, 0, std::nullopt);
    }));
    if (shuffle) {
        // The copy is shuffled when the row is chosen, so each choice plays a new order.
        rows.push_back(row(QStringLiteral("shuffle"), [p, songs, r = random] {
            if (p) p->play(shuffled(songs, r), 0, std::nullopt);
        }));
    }
    rows.push_back(row(QStringLiteral("play next"), [p, songs] {
        if (p) p->playNext(songs);
    }));
    rows.push_back(row(QStringLiteral("add to now playing"), [p, songs] {
        if (p) p->enqueue(songs);
    }));
    return rows;
}

DropMenuItem MenuContext::onPlayer(const PlayerPick& pick) const {
    const bool on = music.picks().contains(pick);
    QPointer<PlayerMusic> m(&music);
    QPointer<Player> p(&player);
    // Acts on the state the menu showed: a pick that was on the player when it opened is taken off.
    return row(
        QStringLiteral("on the player"),
        [m, p, pick, on] {
            if (!m) return;
            PlayerMusic::Notify notify = [p](const QString& text) {
                if (p) p->setNotice(Player::Notice::make(text));
            };
            if (on)
                m->remove(pick, notify);
            else
                m->add({pick}, notify);
        },
        on);
}

DropMenuItem MenuContext::pinned(const Pin& pin) const {
    QPointer<AppModel> nav(&app);
    return row(
        QStringLiteral("pinned to quickplay"),
        [nav, pin] {
            if (nav) nav->togglePin(pin);
        },
        app.isPinned(pin));
}

std::vector<DropMenuItem> MenuContext::coverItems(const Album& album) const {
    std::vector<DropMenuItem> rows;
    QPointer<LibraryStore> lib(&library);
    rows.push_back(row(QStringLiteral("change cover") + QChar(0x2026), [lib, album, ask = choosePicture] {
        if (!lib || !ask) return;
        ask(LibraryStore::coverChooseButton(), LibraryStore::coverChooseMessage(album),
            [lib, album](const QUrl& picture) {
                if (lib) lib->coverChosen(picture, album);
            });
    }));
    if (album.cover) {
        rows.push_back(row(
            QStringLiteral("use the file's cover"),
            [lib, album] {
                if (lib) lib->removeCover(album);
            },
            false, true));
    }
    return rows;
}

DropMenuItem MenuContext::smartDJ(const Artist& artist) const {
    QPointer<Player> p(&player);
    QPointer<LibraryStore> lib(&library);
    QPointer<LastFMStore> fm(&lastFM);
    QPointer<AppModel> nav(&app);
    return row(QStringLiteral("smart dj"), [p, lib, fm, nav, artist] {
        if (!p || !lib || !fm) return;
        p->smartDJ(artist, *lib, *fm);
        if (nav) nav->go(Page::nowPlaying);
    });
}

DropMenuItem MenuContext::smartDJSlot(const QString& name) const {
    QPointer<AppModel> nav(&app);
    return row(
        QStringLiteral("quickplay smart dj"),
        [nav, name] {
            if (nav) nav->toggleSmartDJ(name);
        },
        app.hasSmartDJ(name));
}

DropMenuItem MenuContext::mixview(const MixSeed& seed) const {
    QPointer<AppModel> nav(&app);
    return row(QStringLiteral("mixview"), [nav, seed] {
        if (nav) nav->openMixview(seed);
    });
}

DropMenuItem MenuContext::addToPlaylist(const QList<Song>& songs, const QString& newName) const {
    QPointer<PlaylistStore> store(&playlists);
    QPointer<Player> p(&player);
    // The sub-page is built when it opens, so its checks show the playlists of that moment.
    return DropMenuItem(QStringLiteral("add to playlist"), false, false,
                        [store, p, songs, newName] {
                            if (!store || !p) return DropMenuPage();
                            return PlaylistActions::addPage(songs, newName, *store, *p);
                        },
                        {});
}

std::vector<DropMenuItem> MenuContext::items(const QList<HoverAction*>& actions) {
    std::vector<DropMenuItem> rows;
    for (HoverAction* action : actions) {
        if (!action) continue;
        QPointer<HoverAction> a(action);
        rows.push_back(row(Text::lower(action->label()), [a] {
            if (a) emit a->run();
        }));
    }
    return rows;
}
