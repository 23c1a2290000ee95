#include "MiniPlayerModel.h"

#include "core/Text.h"

void MiniPlayerModel::setPlayer(Player* player) {
    if (m_player == player) return;
    if (m_player) disconnect(m_player, nullptr, this, nullptr);
    m_player = player;
    if (m_player) {
        connect(m_player, &Player::queueChanged, this, &MiniPlayerModel::update);
        connect(m_player, &Player::indexChanged, this, &MiniPlayerModel::update);
    }
    emit sourceChanged();
    update();
}

void MiniPlayerModel::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    if (m_library) disconnect(m_library, nullptr, this, nullptr);
    m_library = library;
    // A cover the user chooses for the playing album shows at once.
    if (m_library) connect(m_library, &LibraryStore::albumsChanged, this, &MiniPlayerModel::update);
    emit sourceChanged();
    update();
}

void MiniPlayerModel::setWindows(WindowOpener* windows) {
    if (m_windows == windows) return;
    m_windows = windows;
    emit sourceChanged();
}

void MiniPlayerModel::update() {
    const std::optional<Song> song = m_player ? m_player->current() : std::nullopt;
    const bool present = song.has_value();
    const QString title = song ? Text::lower(song->title) : nothingPlaying();
    // A song without an artist keeps the line too.
    const QString artist = song && !song->artist.isEmpty() ? song->artist : noArtist();
    QUrl cover;
    if (song) cover = (m_library ? m_library->artworkURL(*song) : song->url).toUrl();
    if (present == m_present && title == m_title && artist == m_artist && cover == m_cover) return;
    m_present = present;
    m_title = title;
    m_artist = artist;
    m_cover = cover;
    emit changed();
}

bool MiniPlayerModel::key(int key, int modifiers) {
    if (modifiers & ~Qt::KeypadModifier) return false;
    if (key != Qt::Key_Space || !m_player) return false;
    m_player->toggle();
    return true;
}

bool MiniPlayerModel::openFullWindow() {
    return m_windows && m_windows->open(mainWindow());
}
