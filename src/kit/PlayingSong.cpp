#include "PlayingSong.h"

#include "library/LibraryStore.h"
#include "playback/Player.h"

void PlayingSong::setPlayer(Player* player) {
    if (m_player == player) return;
    if (m_player) disconnect(m_player, nullptr, this, nullptr);
    m_player = player;
    if (m_player) {
        connect(m_player, &Player::queueChanged, this, &PlayingSong::update);
        connect(m_player, &Player::indexChanged, this, &PlayingSong::update);
    }
    emit sourceChanged();
    update();
}

void PlayingSong::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    m_library = library;
    emit sourceChanged();
    update();
}

void PlayingSong::update() {
    const std::optional<Song> song = m_player ? m_player->current() : std::nullopt;
    const bool present = song.has_value();
    const QString title = song ? song->title : QString();
    const QString artist = song ? song->artist : QString();
    const QString albumArtist = song ? song->albumArtist : QString();
    const double duration = song ? song->duration : 0;
    const QString path = song ? song->path() : QString();
    QUrl artwork;
    if (song) artwork = (m_library ? m_library->artworkURL(*song) : song->url).toUrl();
    if (present == m_present && title == m_title && artist == m_artist && albumArtist == m_albumArtist &&
        duration == m_duration && path == m_path && artwork == m_artwork)
        return;
    m_present = present;
    m_title = title;
    m_artist = artist;
    m_albumArtist = albumArtist;
    m_duration = duration;
    m_path = path;
    m_artwork = artwork;
    emit changed();
}
