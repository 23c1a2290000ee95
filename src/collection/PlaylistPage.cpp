#include "PlaylistPage.h"

#include "ListKeys.h"
#include "kit/LikesAndPlays.h"
#include "kit/MenuContext.h"
#include "kit/PlaylistActions.h"
#include "library/AutoPlaylist.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "quickplay/QueueText.h"
#include "shell/AppModel.h"
#include "shell/AppStores.h"
#include "shell/artwork/PlaylistCover.h"

#include <QDateTime>
#include <QSet>
#include <cmath>

namespace {
const int playlistsColumn = int(CollectionColumn::playlists);
const int songsColumn = int(CollectionColumn::songs);

std::optional<QUuid> uuidOf(const QString& text) {
    return Playlist::uuid(text);
}
} // namespace

PlaylistPage::PlaylistPage(QObject* parent) : QObject(parent), m_locale(QueueText::userLocale()) {
    m_list.setShownSongs(&m_songs);
    connect(&m_songs, &SongListModel::countChanged, this, &PlaylistPage::factsChanged);
    // A song list that empties cannot hold the keyboard.
    connect(&m_songs, &SongListModel::countChanged, this, [this] {
        if (m_focus == songsColumn && !hasSongs()) setFocusColumn(playlistsColumn);
    });
}

void PlaylistPage::setAppStores(AppStores* stores) {
    if (m_appStores == stores) return;
    m_appStores = stores;
    if (stores)
        setStores(stores->app, stores->library, stores->player, stores->playlists, stores->playerMusic);
    emit storesChanged();
}

void PlaylistPage::setStores(AppModel* app, LibraryStore* library, Player* player, PlaylistStore* playlists,
                             PlayerMusic* music) {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_app = app;
    m_library = library;
    m_player = player;
    m_playlists = playlists;
    m_music = music;
    m_songs.setPlayer(player);
    m_songs.setStores(playlists, library);
    m_list.setStores(playlists, library, player);
    if (app) {
        m_connections << connect(app, &AppModel::selectedPlaylistIDChanged, this, &PlaylistPage::follow)
                      << connect(app, &AppModel::namingNewPlaylistChanged, this, [this] {
                             // Only a change to true asks; the page clears the flag as it starts naming.
                             if (m_app && m_app->namingNewPlaylist() && m_focus >= 0) startNaming();
                         });
    }
    if (playlists) {
        // Songs joining or leaving a playlist change neither the shown playlist's texts nor its row: the
        // header is told only of playlists made, deleted and renamed (a long playlist's edits stay cheap).
        const auto retell = [this] {
            follow();
            emit shownChanged();
        };
        m_connections << connect(playlists, &PlaylistStore::playlistsChanged, this, &PlaylistPage::follow)
                      << connect(playlists, &PlaylistStore::playlistCreated, this, retell)
                      << connect(playlists, &PlaylistStore::playlistDeleted, this, retell)
                      << connect(playlists, &PlaylistStore::playlistRenamed, this, retell);
    }
    follow();
}

std::optional<Playlist> PlaylistPage::shown() const {
    if (!m_playlists || m_shown.isNull()) return std::nullopt;
    return m_playlists->playlist(m_shown);
}

void PlaylistPage::follow() {
    std::optional<Playlist> found;
    if (m_app && m_playlists && m_app->selectedPlaylistID())
        if (std::optional<QUuid> id = uuidOf(*m_app->selectedPlaylistID()))
            found = m_playlists->playlist(*id);
    QUuid id;
    if (found)
        id = found->id;
    else if (m_playlists && !m_playlists->playlists().isEmpty())
        id = m_playlists->playlists().first().id;
    else
        id = AutoPlaylist(AutoPlaylist::liked).id();
    if (id == m_shown) return;
    m_shown = id;
    // Moving to another playlist abandons its rename; the row menu's "rename" selects its playlist first.
    if (m_renaming && m_renamingID != id) setNaming(m_naming, false);
    m_songs.setPlaylist(id);
    emit shownChanged();
    emit factsChanged();
}

bool PlaylistPage::isOwn(const QUuid& id) const {
    if (!m_playlists || AutoPlaylist::fromId(id)) return false;
    const QList<Playlist>& own = m_playlists->playlists();
    return std::any_of(own.cbegin(), own.cend(), [&](const Playlist& p) { return p.id == id; });
}

QString PlaylistPage::shownName() const {
    const std::optional<Playlist> p = shown();
    return p ? p->name : QString();
}

bool PlaylistPage::shownOwn() const {
    return isOwn(m_shown);
}

QString PlaylistPage::madeCaption(const Playlist& playlist, const QString& locale) {
    const QDate day =
        QDateTime::fromSecsSinceEpoch(qint64(std::floor(playlist.created.unixSeconds()))).date();
    return QStringLiteral("playlist \u00b7 made ") + QueueText::dayAndMonth(day, locale);
}

QString PlaylistPage::caption() const {
    const std::optional<Playlist> p = shown();
    if (!p) return {};
    if (AutoPlaylist::fromId(p->id)) return QStringLiteral("automatic playlist");
    return madeCaption(*p, m_locale);
}

QString PlaylistPage::about() const {
    const std::optional<AutoPlaylist> a = AutoPlaylist::fromId(m_shown);
    return a ? a->about() : QString();
}

QString PlaylistPage::emptyNote() const {
    const std::optional<AutoPlaylist> a = AutoPlaylist::fromId(m_shown);
    if (!a)
        return QStringLiteral("Drag albums or songs onto this playlist, use the + beside any album, or "
                              "right-click and choose Add to Playlist.");
    switch (a->value()) {
    case AutoPlaylist::liked:
        return QStringLiteral("Songs you like show up here. Use the heart beside any song, or Ctrl+L for the "
                              "one playing.");
    case AutoPlaylist::mostPlayed:
        return QStringLiteral("Songs you play show up here, the most played first.");
    case AutoPlaylist::recentlyAdded:
        return QStringLiteral("Albums you add to your music folder show up here.");
    }
    return {};
}

QString PlaylistPage::facts(qsizetype count, double seconds) {
    QString text = PlaylistListModel::countText(count);
    if (count < 1) return text;
    // Halves go up (away from zero); anything under a minute still reads as one.
    const qint64 minutes = std::max<qint64>(1, qint64(std::round(seconds / 60.0)));
    return text + QStringLiteral(" \u00b7 ") + QString::number(minutes) + QStringLiteral(" min");
}

QVariant PlaylistPage::shownPick() const {
    const std::optional<Playlist> p = shown();
    return p ? QVariant(PlayerPick::playlist(*p).toJson()) : QVariant();
}

QList<QUrl> PlaylistPage::cover() const {
    const LibraryStore* library = m_library;
    if (!library) return {};
    QList<QUrl> out;
    for (const FileUrl& url :
         PlaylistCover::urls(m_songs.coverSongs(), [library](const QString& id) -> std::optional<FileUrl> {
             const std::optional<Album> album = library->album(id);
             if (!album || album->songs.isEmpty()) return std::nullopt;
             return library->artworkURL(album->songs.first());
         }))
        out.append(url.toUrl());
    return out;
}

QVariantList PlaylistPage::songPaths() const {
    QVariantList out;
    out.reserve(m_songs.count());
    for (int row = 0; row < m_songs.count(); ++row)
        out.append(m_songs.songAt(row).url.path);
    return out;
}

void PlaylistPage::setListIndex(int row) {
    const QUuid id = m_list.idAt(row);
    if (id.isNull() || !m_app) return;
    m_app->setSelectedPlaylistID(Playlist::uuidText(id));
}

void PlaylistPage::setFocusColumn(int column) {
    // With no songs there is no list to hand the keyboard to: the list keeps it.
    if (column == songsColumn && !hasSongs()) column = playlistsColumn;
    if (m_focus == column) return;
    m_focus = column;
    emit focusColumnChanged();
}

void PlaylistPage::setNaming(bool naming, bool renaming) {
    if (m_naming == naming && m_renaming == renaming) return;
    m_naming = naming;
    m_renaming = renaming;
    emit editingChanged();
}

void PlaylistPage::setDraft(const QString& draft) {
    if (m_draft == draft) return;
    m_draft = draft;
    emit draftChanged();
}

void PlaylistPage::setDroppingOnNew(bool on) {
    if (m_droppingOnNew == on) return;
    m_droppingOnNew = on;
    emit droppingOnNewChanged();
}

QString PlaylistPage::deleteTitle() const {
    return QStringLiteral("Delete ") + (m_deleting ? m_deleting->name : QString()) + QStringLiteral("?");
}

void PlaylistPage::appeared() {
    setFocusColumn(playlistsColumn);
    if (m_app && m_app->namingNewPlaylist()) startNaming();
}

void PlaylistPage::startNaming() {
    if (m_app) m_app->setNamingNewPlaylist(false);
    setDraft(QString());
    setNaming(true, false);
    emit nameFieldWanted();
}

void PlaylistPage::startRenaming(const QString& id) {
    const std::optional<QUuid> uuid = uuidOf(id);
    if (!uuid || !isOwn(*uuid)) return;
    m_renamingID = *uuid;
    setDraft(m_playlists->playlist(*uuid)->name);
    setNaming(false, true);
    emit nameFieldWanted();
}

void PlaylistPage::renameFromMenu(const QString& id) {
    if (m_app) m_app->setSelectedPlaylistID(id);
    startRenaming(id);
}

void PlaylistPage::createFromDraft() {
    if (!m_naming || !m_playlists) return;
    const Playlist made = m_playlists->create(m_draft, {});
    if (m_app) m_app->setSelectedPlaylistID(Playlist::uuidText(made.id));
    setNaming(false, false);
    setFocusColumn(playlistsColumn);
}

void PlaylistPage::commitRename() {
    if (!m_renaming) return;
    if (m_playlists) m_playlists->rename(m_renamingID, m_draft);
    setNaming(false, false);
    setFocusColumn(songsColumn);
}

void PlaylistPage::cancelNaming() {
    setNaming(false, false);
    setFocusColumn(playlistsColumn);
}

void PlaylistPage::select(const QString& id) {
    show(id);
    setFocusColumn(playlistsColumn);
}

void PlaylistPage::show(const QString& id) {
    if (m_app) m_app->setSelectedPlaylistID(id);
}

void PlaylistPage::playRow(int row) {
    const QUuid id = m_list.idAt(row);
    if (id.isNull() || !m_playlists || !m_library || !m_player) return;
    const std::optional<Playlist> p = m_playlists->playlist(id);
    if (!p) return;
    const QList<Song> songs = m_playlists->songs(*p, *m_library, likesAndPlays(*m_player));
    if (!songs.isEmpty()) m_player->play(songs, 0);
}

void PlaylistPage::toSongs() {
    setFocusColumn(songsColumn);
}

bool PlaylistPage::listKey(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus) {
    if (!listFocusable()) return false;
    const ListKeys::Result r =
        ListKeys::press({key, Qt::KeyboardModifiers(modifiers), text, autoRepeat},
                        {m_list.count(), listIndex(), ListKeys::isTextInput(focus), true, true},
                        [this](int row) { return m_list.nameAt(row); });
    if (!r.handled) return false;
    if (r.cursor >= 0 && r.cursor != listIndex()) setListIndex(r.cursor);
    if (r.action == ListKeys::Action::choose) playRow(r.cursor);
    if (r.action == ListKeys::Action::right) toSongs();
    return true;
}

void PlaylistPage::askDelete(const QString& id) {
    const std::optional<QUuid> uuid = uuidOf(id);
    if (!uuid || !isOwn(*uuid)) return;
    m_deleting = m_playlists->playlist(*uuid);
    emit deletingChanged();
}

void PlaylistPage::dismissDelete() {
    if (!m_deleting) return;
    m_deleting.reset();
    emit deletingChanged();
}

void PlaylistPage::confirmDelete() {
    if (!m_deleting) return;
    const Playlist p = *m_deleting;
    dismissDelete();
    if (m_app) {
        if (const std::optional<Pin> pin = Pin::playlist(Playlist::uuidText(p.id));
            pin && m_app->isPinned(*pin))
            m_app->togglePin(*pin);
    }
    const PlayerPick pick = PlayerPick::playlist(p);
    // Quietly: the playlist going is what the user asked for.
    if (m_music && m_music->picks().contains(pick)) m_music->remove(pick);
    if (m_playlists) m_playlists->deletePlaylist(p.id);
    if (m_app) m_app->setSelectedPlaylistID(std::nullopt);
}

QList<PlayerPick> PlaylistPage::picksOf(const QVariantList& picks) {
    QList<PlayerPick> out;
    for (const QVariant& v : picks) {
        if (v.metaType() == QMetaType::fromType<PlayerPick>())
            out.append(v.value<PlayerPick>());
        else if (std::optional<PlayerPick> p = PlayerPick::fromJson(QJsonValue::fromVariant(v)))
            out.append(*p);
    }
    return out;
}

QList<Song> PlaylistPage::songsIn(const QList<PlayerPick>& picks,
                                  const std::optional<QUuid>& leavingOut) const {
    if (!m_library || !m_playlists) return {};
    std::optional<PlayerPick> own;
    if (leavingOut) {
        Playlist p;
        p.id = *leavingOut;
        own = PlayerPick::playlist(p);
    }
    const LikesAndPlays known = m_player ? likesAndPlays(*m_player) : LikesAndPlays{};
    QList<Song> out;
    QSet<QString> seen;
    for (const PlayerPick& pick : picks) {
        if (own && pick == *own) continue;
        for (const Song& s : pick.songs(*m_library, *m_playlists, known)) {
            if (seen.contains(s.url.path)) continue;
            seen.insert(s.url.path);
            out.append(s);
        }
    }
    return out;
}

void PlaylistPage::post(const QString& text) const {
    if (m_player) m_player->setNotice(Player::Notice::make(text));
}

void PlaylistPage::setLanded(const QString& id) {
    if (m_landed == id) return;
    m_landed = id;
    emit landedChanged();
}

void PlaylistPage::pulse(const QUuid& id) {
    const QString text = Playlist::uuidText(id);
    setLanded(text);
    // A later pulse on another row outlives this one's end.
    QTimer::singleShot(300, this, [this, text] {
        if (m_landed == text) setLanded(QString());
    });
}

bool PlaylistPage::makePlaylist(const QVariantList& picks) {
    return makePlaylist(picksOf(picks));
}

bool PlaylistPage::makePlaylist(const QList<PlayerPick>& picks) {
    const QList<Song> songs = songsIn(picks, std::nullopt);
    if (songs.isEmpty() || !m_playlists || !m_player) return false;
    const QString name = picks.size() == 1 ? picks.first().name : QString();
    PlaylistActions::create(name, songs, *m_playlists, *m_player);
    if (!m_playlists->playlists().isEmpty()) {
        const QUuid id = m_playlists->playlists().first().id;
        if (m_app) m_app->setSelectedPlaylistID(Playlist::uuidText(id));
        pulse(id);
    }
    return true;
}

bool PlaylistPage::dropOn(const QVariantList& picks, const QString& id) {
    const std::optional<QUuid> uuid = uuidOf(id);
    return uuid && dropOn(picksOf(picks), *uuid);
}

bool PlaylistPage::dropOn(const QList<PlayerPick>& picks, const QUuid& id) {
    const bool liked = id == AutoPlaylist(AutoPlaylist::liked).id();
    if (!liked && !isOwn(id)) return false;
    const QList<Song> songs = songsIn(picks, id);
    if (songs.isEmpty() || !m_playlists || !m_player) return false;
    if (liked) {
        const int n = m_player->like(songs);
        const qsizetype all = songs.size();
        QString text;
        if (n == all)
            text = QStringLiteral("liked ") + Player::describe(songs);
        else if (n > 0)
            // One new song among several is "1 song", as every other count reads.
            text = QStringLiteral("liked ") + QString::number(n) +
                   (n == 1 ? QStringLiteral(" song") : QStringLiteral(" songs"));
        else if (all == 1)
            text = Player::describe(songs) + QStringLiteral(" is liked already");
        else
            text = QStringLiteral("those are liked already");
        post(text);
    } else {
        PlaylistActions::add(songs, id, *m_playlists, *m_player);
    }
    pulse(id);
    return true;
}

void PlaylistPage::dragOver(const QString& id, bool on) {
    const std::optional<QUuid> uuid = uuidOf(id);
    const bool accepts = uuid && (isOwn(*uuid) || *uuid == AutoPlaylist(AutoPlaylist::liked).id());
    if (on && accepts) {
        if (m_dropTarget != id) {
            m_dropTarget = id;
            emit dropTargetChanged();
        }
    } else if (m_dropTarget == id) {
        m_dropTarget.clear();
        emit dropTargetChanged();
    }
}

std::optional<Song> PlaylistPage::songAtRow(int row) const {
    if (row < 0 || row >= m_songs.count()) return std::nullopt;
    return m_songs.songAt(row);
}

bool PlaylistPage::place(const QVariantList& picks, int row) {
    return place(picksOf(picks), row);
}

bool PlaylistPage::place(const QList<PlayerPick>& picks, int row) {
    const std::optional<Playlist> p = shown();
    if (!p || !isOwn(p->id) || !m_playlists) return false;
    const QList<Song> songs = songsIn(picks, p->id);
    if (songs.isEmpty()) return false;
    const int added = m_playlists->place(songs, songAtRow(row), p->id);
    if (added >= 1) post(PlaylistActions::addedNotice(songs, added, p->name));
    return true;
}

void PlaylistPage::play() {
    if (m_player && hasSongs()) m_player->play(m_songs.songs(), 0);
}

void PlaylistPage::shuffle() {
    if (m_player && hasSongs()) m_player->play(MenuContext::shuffled(m_songs.songs(), {}), 0);
}

void PlaylistPage::removeSong(int row) {
    const std::optional<Song> song = songAtRow(row);
    if (!song || !shownOwn()) return;
    // Only the name is kept: a copy of the playlist held over the edit would share its paths with the store,
    // which would then copy all of them to take one out.
    const QString name = shownName();
    m_songs.expectRemoval(row);
    m_playlists->remove(*song, m_shown);
    m_songs.expectRemoval(-1);
    post(QStringLiteral("took ") + Player::describe({*song}) + QStringLiteral(" out of ") + name);
}

QVariantList PlaylistPage::moveActions(int row) const {
    const std::optional<Song> song = songAtRow(row);
    if (!song || !shownOwn()) return {};
    // Moves act on the song's first entry, so its place is that of its first row.
    const int position = m_songs.firstRowOf(song->url.path);
    QVariantList out;
    if (position >= 1)
        out.append(QVariantMap{{QStringLiteral("symbol"), QStringLiteral("arrow.up")},
                               {QStringLiteral("label"), QStringLiteral("Move Up")},
                               {QStringLiteral("offset"), -1}});
    if (position < m_songs.count() - 1)
        out.append(QVariantMap{{QStringLiteral("symbol"), QStringLiteral("arrow.down")},
                               {QStringLiteral("label"), QStringLiteral("Move Down")},
                               {QStringLiteral("offset"), 1}});
    return out;
}

void PlaylistPage::moveSong(int row, int offset) {
    const std::optional<Song> song = songAtRow(row);
    // No copy of the playlist is held over the edit (see removeSong).
    if (song && shownOwn()) m_playlists->move(*song, offset, m_shown);
}

DropMenuPage PlaylistPage::morePage(const MenuContext& context) const {
    const std::optional<Playlist> p = shown();
    if (!p) return DropMenuPage();
    DropMenuSection handy{QStringLiteral("keep handy"), {}};
    if (std::optional<Pin> pin = Pin::playlist(Playlist::uuidText(p->id)))
        handy.items.push_back(context.pinned(*pin));
    handy.items.push_back(context.onPlayer(PlayerPick::playlist(*p)));
    DropMenuSection edit{QStringLiteral("edit"), {}};
    if (isOwn(p->id)) {
        QPointer<const PlaylistPage> self(this);
        const QString id = Playlist::uuidText(p->id);
        edit.items.emplace_back(QStringLiteral("rename"), false, false, std::function<void()>([self, id] {
                                    if (self) const_cast<PlaylistPage*>(self.data())->startRenaming(id);
                                }));
        edit.items.emplace_back(QStringLiteral("delete\u2026"), false, true,
                                std::function<void()>([self, id] {
                                    if (self) const_cast<PlaylistPage*>(self.data())->askDelete(id);
                                }));
    }
    return DropMenuPage({std::move(handy), std::move(edit)});
}

DropMenuPage PlaylistPage::rowPage(const MenuContext& context, const QUuid& id) const {
    const std::optional<Playlist> p = m_playlists ? m_playlists->playlist(id) : std::nullopt;
    if (!p) return DropMenuPage();
    std::vector<DropMenuItem> edit;
    if (isOwn(id)) {
        QPointer<const PlaylistPage> self(this);
        const QString text = Playlist::uuidText(id);
        edit.emplace_back(QStringLiteral("rename"), false, false, std::function<void()>([self, text] {
                              if (self) const_cast<PlaylistPage*>(self.data())->renameFromMenu(text);
                          }));
        edit.emplace_back(QStringLiteral("delete\u2026"), false, true, std::function<void()>([self, text] {
                              if (self) const_cast<PlaylistPage*>(self.data())->askDelete(text);
                          }));
    }
    return context.playlist(*p, false, std::move(edit));
}

DropMenuPage PlaylistMoreMenu::page(const MenuContext& context) const {
    return m_page ? m_page->morePage(context) : DropMenuPage();
}

DropMenuPage PlaylistRowMenu::page(const MenuContext& context) const {
    const std::optional<QUuid> id = Playlist::uuid(m_playlistID);
    return m_page && id ? m_page->rowPage(context, *id) : DropMenuPage();
}
