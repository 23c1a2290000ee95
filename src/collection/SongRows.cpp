#include "SongRows.h"

#include "SongListModel.h"
#include "kit/DropMenu.h"
#include "kit/MenuContext.h"
#include "kit/PlaylistActions.h"
#include "kit/RightClickCatcher.h"
#include "library/LibraryStore.h"
#include "library/PlayerPick.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppStores.h"
#include "shell/look/Theme.h"

#include <QQmlEngine>
#include <QQuickWindow>

SongRows::Mark SongRows::mark(qint64 number, bool highlighted, bool current, bool playing) {
    if (highlighted) return {QStringLiteral("play.fill"), {}};
    if (current)
        return {playing ? QStringLiteral("speaker.wave.2.fill") : QStringLiteral("speaker.fill"), {}};
    if (number >= 1) return {{}, QString::number(number)};
    return {};
}

QVariantMap SongRows::markOf(qint64 number, bool highlighted, bool current, bool playing) {
    const Mark m = mark(number, highlighted, current, playing);
    return {{QStringLiteral("symbol"), m.symbol}, {QStringLiteral("text"), m.text}};
}

QString SongRows::accessibleName(const QString& title, const QString& artist, const QString& album,
                                 bool columns) {
    if (!columns) return title;
    return QStringList{title, artist, album}.join(QStringLiteral(", "));
}

QString SongRows::accessibleValue(bool current, double duration) {
    return current ? QStringLiteral("Playing") : Theme::formatTime(duration);
}

QList<SongRows::Action> SongRows::ownActions(bool liked, std::function<void()> enqueue,
                                             std::function<void()> like) {
    return {{QStringLiteral("plus"), QStringLiteral("Add to Now Playing"), std::move(enqueue)},
            {liked ? QStringLiteral("heart.fill") : QStringLiteral("heart"),
             liked ? QStringLiteral("Unlike") : QStringLiteral("Like"), std::move(like)}};
}

QVariantList SongRows::actionsOf(bool liked) {
    QVariantList out;
    for (const Action& a : ownActions(liked, {}, {}))
        out.append(QVariantMap{{QStringLiteral("symbol"), a.symbol}, {QStringLiteral("label"), a.label}});
    return out;
}

namespace {
Player* playerOf(SongListModel* model) {
    return model ? model->player() : nullptr;
}
} // namespace

void SongRows::runAction(SongListModel* model, int row, int index) {
    Player* player = playerOf(model);
    if (!player || row < 0 || row >= model->rowCount()) return;
    const Song song = model->songAt(row);
    if (index == 0)
        player->enqueue(QList<Song>{song});
    else if (index == 1)
        player->toggleLike(std::optional(song));
}

DropMenuPage SongRows::menu(const Song& song, const MenuParts& parts) {
    const auto item = [](const QString& title, std::function<void()> run, bool destructive = false) {
        return DropMenuItem(title, false, destructive, std::move(run));
    };
    DropMenuSection first;
    first.items.push_back(item(QStringLiteral("play"), parts.play));
    first.items.push_back(item(QStringLiteral("play next"), parts.playNext));
    QList<Action> actions = parts.listActions;
    actions += ownActions(parts.liked, parts.enqueue, parts.like);
    actions += parts.menuActions;
    // The list's own actions come first among the hover actions, and so in the menu.
    for (const Action& a : actions)
        first.items.push_back(item(a.label.toLower(), a.run));

    DropMenuSection handy{QStringLiteral("keep handy"), {}};
    if (parts.addToPlaylist) {
        handy.items.emplace_back(QStringLiteral("add to playlist"), false, false, parts.addToPlaylist,
                                 std::function<void()>{});
    }
    if (parts.onPlayer) handy.items.push_back(*parts.onPlayer);

    DropMenuSection album;
    if (parts.columns) album.items.push_back(item(QStringLiteral("show album"), parts.showAlbum));

    DropMenuSection edit{QStringLiteral("edit"), {}};
    edit.items.push_back(item(QStringLiteral("rename\u2026"), parts.rename));
    if (song.taggedTitle)
        edit.items.push_back(item(QStringLiteral("use the file's title"), parts.useFileTitle, true));

    return DropMenuPage({std::move(first), std::move(handy), std::move(album), std::move(edit)});
}

void SongRows::openMenu(QQuickItem* item, SongListModel* model, int row, bool columns, QPointF point,
                        const QJSValue& rename) {
    openMenuWith(item, model, row, columns, point, rename, QJSValue(), QJSValue());
}

QList<SongRows::Action> SongRows::actionsFrom(const QJSValue& list) {
    QList<Action> out;
    if (!list.isArray()) return out;
    const int n = list.property(QStringLiteral("length")).toInt();
    for (int i = 0; i < n; ++i) {
        const QJSValue a = list.property(quint32(i));
        const QJSValue run = a.property(QStringLiteral("run"));
        out.append({a.property(QStringLiteral("symbol")).toString(),
                    a.property(QStringLiteral("label")).toString(), [run] {
                        QJSValue f = run;
                        if (f.isCallable()) f.call();
                    }});
    }
    return out;
}

void SongRows::openMenuWith(QQuickItem* item, SongListModel* model, int row, bool columns, QPointF point,
                            const QJSValue& rename, const QJSValue& extra, const QJSValue& menuRows) {
    if (!item || !item->window() || !model || row < 0 || row >= model->rowCount()) return;
    QQmlEngine* engine = qmlEngine(item);
    if (!engine) return;
    AppStores* stores = AppStores::create(engine, nullptr);
    const Song song = model->songAt(row);
    QPointer<SongListModel> list(model);
    QPointer<Player> player(model->player());
    QPointer<LibraryStore> library(stores->library);
    QPointer<AppModel> app(stores->app);
    MenuParts parts;
    parts.columns = columns;
    parts.liked = player && player->isLiked(std::optional(song));
    // A row's place can change while the menu is open (a rescan): "play" plays the song's row as it is
    // when chosen.
    parts.play = [list, song] {
        if (list) list->play(list->firstRowOf(song.url.path));
    };
    parts.playNext = [player, song] {
        if (player) player->playNext(QList<Song>{song});
    };
    parts.enqueue = [player, song] {
        if (player) player->enqueue(QList<Song>{song});
    };
    parts.like = [player, song] {
        if (player) player->toggleLike(std::optional(song));
    };
    parts.showAlbum = [app, song] {
        if (app) app->show(song.albumArtist, song.albumID());
    };
    parts.rename = [rename] {
        QJSValue f = rename;
        if (f.isCallable()) f.call();
    };
    parts.useFileTitle = [library, song] {
        if (library) library->rename(song, QString());
    };
    parts.listActions = actionsFrom(extra);
    parts.menuActions = actionsFrom(menuRows);
    QPointer<PlaylistStore> playlists(stores->playlists);
    parts.addToPlaylist = [playlists, player, song] {
        if (!playlists || !player) return DropMenuPage();
        return PlaylistActions::addPage({song}, song.title, *playlists, *player);
    };
    if (std::optional<MenuContext> context = RightClickCatcher::contextFor(item, item->window()))
        parts.onPlayer = context->onPlayer(PlayerPick::song(song));
    const QPointF at = item->mapToItem(item->window()->contentItem(), point);
    DropMenu::of(engine)->show(menu(song, parts), at, item->window());
}

QString SongRows::pickFormat() {
    return PlayerPick::mimeType;
}

QVariantList SongRows::picksOf(const QString& data) {
    const std::optional<PlayerPick> pick = PlayerPick::fromJsonBytes(data.toUtf8());
    return pick ? QVariantList{QVariant::fromValue(*pick)} : QVariantList{};
}

QString SongRows::pickOf(const QVariant& song) {
    if (song.metaType() != QMetaType::fromType<Song>()) return {};
    return QString::fromUtf8(PlayerPick::song(song.value<Song>()).toJsonBytes());
}
