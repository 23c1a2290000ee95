#include "QuickplayModel.h"

#include "core/Text.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/artwork/PlaylistCover.h"

#include <QTimer>

QuickplayModel::QuickplayModel(QObject* parent) : QObject(parent) {}

QuickplayModel::QuickplayModel(AppModel& app, LibraryStore& library, Player& player, PlaylistStore& playlists,
                               QObject* parent)
    : QObject(parent), m_app(&app), m_library(&library), m_player(&player), m_playlists(&playlists) {
    follow();
}

void QuickplayModel::setApp(AppModel* app) {
    if (app == m_app) return;
    m_app = app;
    follow();
}

void QuickplayModel::setLibrary(LibraryStore* library) {
    if (library == m_library) return;
    m_library = library;
    follow();
}

void QuickplayModel::setPlayer(Player* player) {
    if (player == m_player) return;
    m_player = player;
    follow();
}

void QuickplayModel::setPlaylists(PlaylistStore* playlists) {
    if (playlists == m_playlists) return;
    m_playlists = playlists;
    follow();
}

void QuickplayModel::setStores(AppStores* stores) {
    if (!stores) return;
    // One rebuild, with all four in place.
    m_app = stores->app;
    m_library = stores->library;
    m_player = stores->player;
    m_playlists = stores->playlists;
    follow();
}

void QuickplayModel::follow() {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    emit storesChanged();
    if (!m_app || !m_library || !m_player || !m_playlists) return;
    auto watch = [this](auto* sender, auto signal) {
        m_connections.append(connect(sender, signal, this, &QuickplayModel::schedule));
    };
    watch(m_app.data(), &AppModel::pinsChanged);
    watch(m_app.data(), &AppModel::smartDJArtistsChanged);
    watch(m_library.data(), &LibraryStore::songsChanged);
    watch(m_library.data(), &LibraryStore::albumsChanged);
    watch(m_library.data(), &LibraryStore::artistsChanged);
    watch(m_player.data(), &Player::historyPathsChanged);
    // The automatic playlists a pin may name are made from likes and play counts.
    watch(m_player.data(), &Player::likesChanged);
    watch(m_player.data(), &Player::playCountsChanged);
    // A pinned playlist shows its songs as they are now (a song added from a tile's menu included).
    watch(m_playlists.data(), &PlaylistStore::playlistsChanged);
    refresh();
}

void QuickplayModel::schedule() {
    if (m_scheduled) return;
    m_scheduled = true;
    // One rebuild for the burst of signals a single change sends (a scan publishes songs, albums and
    // artists in a row).
    QTimer::singleShot(0, this, [this] {
        if (m_scheduled) refresh();
    });
}

QuickRow QuickplayModel::row(const QuickItem& item, const QuickplayContent& content,
                             const LibraryStore& library) {
    QuickRow out;
    out.id = item.id();
    if (const Album* album = item.asAlbum()) {
        out.kind = QStringLiteral("album");
        out.key = album->id();
        out.title = album->title;
        out.artist = album->artist;
        if (auto url = album->artworkURL()) out.artwork = url->path;
        out.songCount = int(album->songs.size());
    } else if (const Artist* artist = item.asArtist()) {
        out.kind = QStringLiteral("artist");
        out.key = artist->name;
        out.title = artist->name;
        if (auto url = artist->artworkURL(content.shown)) out.artwork = url->path;
        out.albumCount = int(artist->albums.size());
        for (const Album& a : artist->albums)
            out.songCount += int(a.songs.size());
    } else if (const auto* playlist = item.asPlaylist()) {
        out.kind = QStringLiteral("playlist");
        out.key = Playlist::uuidText(playlist->playlist.id);
        out.title = playlist->playlist.name;
        out.songCount = int(playlist->songs.size());
        const QList<FileUrl> urls = PlaylistCover::urls(playlist->songs, [&library](const QString& id) {
            const std::optional<Album> album = library.album(id);
            return album ? album->artworkURL() : std::nullopt;
        });
        for (const FileUrl& url : urls)
            out.coverUrls.append(url.path);
    }
    return out;
}

QuickRow QuickplayModel::smartDJRow(const Artist& artist) {
    QuickRow out;
    out.id = QStringLiteral("dj:") + Text::lower(artist.name);
    out.kind = QStringLiteral("artist");
    out.key = artist.name;
    out.title = artist.name;
    if (auto url = artist.artworkURL()) out.artwork = url->path;
    out.albumCount = int(artist.albums.size());
    for (const Album& a : artist.albums)
        out.songCount += int(a.songs.size());
    return out;
}

void QuickplayModel::refresh() {
    m_scheduled = false;
    if (!m_app || !m_library || !m_player || !m_playlists) return;
    ++m_builds;
    m_content = QuickplayContent(*m_app, *m_library, *m_player, *m_playlists);
    auto rows = [this](const QList<QuickItem>& items) {
        QList<QuickRow> out;
        out.reserve(items.size());
        for (const QuickItem& item : items)
            out.append(row(item, m_content, *m_library));
        return out;
    };
    m_pins.setRows(rows(m_content.pins));
    m_new.setRows(rows(m_content.newItems));
    QList<QuickRow> history;
    for (const Album& album : std::as_const(m_content.history))
        history.append(row(QuickItem::album(album), m_content, *m_library));
    m_history.setRows(history);
    QList<QuickRow> dj;
    for (const Artist& artist : std::as_const(m_content.smartDJ))
        dj.append(smartDJRow(artist));
    m_smartDJ.setRows(dj);
    emit rebuilt();
}

QStringList QuickplayModel::collectionIds() const {
    return m_pins.ids() + m_new.ids() + m_history.ids();
}

bool QuickplayModel::seedSmartDJ() {
    if (!m_app || !m_library || !m_player) return false;
    return ::seedSmartDJ(*m_app, *m_library, *m_player);
}
