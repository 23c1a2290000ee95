// How the player meets the rest of the system: the desktop's media controls and now-playing display, and
// the end of the program.

#include "Player.h"

#include <QCoreApplication>
#include <cmath>

void Player::observeQuit() {
    // Quitting, logging out and SIGTERM/SIGINT all end the event loop this way: the song that plays then
    // gets its listen written like any song the player leaves.
    if (QCoreApplication* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &Player::finishListening);
}

void Player::connectSystemControls(NowPlayingCenter& center) {
    m_nowPlaying = &center;
    center.setLivePosition([player = QPointer<Player>(this)] { return player ? player->liveTime() : NAN; });
    // The desktop is answered at once; the command runs afterwards, on the player's own turn.
    connect(&center, &NowPlayingCenter::command, this, &Player::runCommand, Qt::QueuedConnection);
    connect(&center, &NowPlayingCenter::changePosition, this, &Player::seek, Qt::QueuedConnection);
    connect(&center, &NowPlayingCenter::changeVolume, this, &Player::setVolume, Qt::QueuedConnection);

    // Which commands would do something follows the queue, not only the song.
    for (auto changed : {&Player::queueChanged, &Player::indexChanged, &Player::repeatAllChanged,
                         &Player::smartDJArtistChanged, &Player::volumeChanged})
        connect(this, changed, this, [this] { publishNowPlaying(false); });
    // A song that turns out unplayable stops without a pause: the desktop must not go on showing it playing.
    connect(this, &Player::isPlayingChanged, this, [this] {
        if (m_nowPlaying && m_nowPlaying->state().info && m_nowPlaying->state().playing != m_isPlaying)
            publishNowPlaying(true);
    });
    publishNowPlaying(true);
}

void Player::runCommand(NowPlayingCenter::Command command) {
    switch (command) {
    case NowPlayingCenter::Command::togglePlayPause:
        toggle();
        break;
    case NowPlayingCenter::Command::play:
        if (!m_isPlaying) toggle();
        break;
    case NowPlayingCenter::Command::pause:
        if (m_isPlaying) toggle();
        break;
    case NowPlayingCenter::Command::nextTrack:
        next(false);
        break;
    case NowPlayingCenter::Command::previousTrack:
        previous();
        break;
    }
}

NowPlayingCenter::Abilities Player::abilities() const {
    NowPlayingCenter::Abilities can;
    if (!current()) return can;
    can.play = can.pause = can.seek = true;
    // Previous always does something: it restarts the song or goes back one.
    can.previous = true;
    can.next = m_index + 1 < m_queue.size() || m_repeatAll || bool(m_moreOfTheMix);
    return can;
}

void Player::updateNowPlaying() {
    emit nowPlayingChanged();
    publishNowPlaying(true);
}

void Player::publishNowPlaying(bool withSong) {
    if (!m_nowPlaying) return;
    NowPlayingCenter::State state = m_nowPlaying->state();
    if (withSong) {
        if (const std::optional<Song> song = current()) {
            // The song's own artist, also on a compilation whose album artist differs.
            state.info = NowPlayingInfo{song->title,    song->artist, song->album,
                                        song->duration, m_position,   m_isPlaying ? 1.0 : 0.0,
                                        m_generation};
            state.playing = m_isPlaying;
        } else {
            // Nothing to show; the playing state is left as it was.
            state.info.reset();
        }
    }
    state.abilities = abilities();
    state.volume = m_volume;
    m_nowPlaying->setState(std::move(state));
}
