// The player's loudness: the user's volume, mute, and the short fades that soften pausing and resuming.

#include "Player.h"

#include "core/Defaults.h"
#include "library/SettingKey.h"
#include "platform/gst/MediaBackend.h"

#include <algorithm>
#include <cmath>

namespace {
const QString fadeOnPauseKey = QStringLiteral("fadeOnPause");
constexpr double pauseFadeSeconds = 0.32;
constexpr double resumeFadeSeconds = 0.22;
// Unmuting never comes back inaudible, even when the volume before muting was almost nothing.
constexpr double leastUnmutedVolume = 0.05;
} // namespace

void Player::setVolume(double volume) {
    if (!std::isfinite(volume)) return;
    // The user hears a resume fade come up; a volume set meanwhile (a mute right after resuming) must be
    // heard at once and stay. A pause fade keeps its course: it ends by setting this volume anyway.
    if (m_fade && m_fadeGivesWay) cancelFade();
    m_backend.setVolume(float(volume));
    m_defaults.set(volumeKey, volume);
    if (m_volume == volume) return;
    m_volume = volume;
    emit volumeChanged();
}

void Player::toggleMute() {
    if (m_volume > 0) {
        m_unmutedVolume = m_volume;
        setVolume(0);
    } else {
        setVolume(std::max(m_unmutedVolume, leastUnmutedVolume));
    }
}

QString Player::volumeText() const {
    // Only an exact 0 is muted: 0.004 reads "volume 0".
    if (m_volume == 0) return QStringLiteral("muted");
    return QStringLiteral("volume ") + QString::number(std::lround(m_volume * 100));
}

void Player::fadeVolume(float to, double seconds, std::function<void()> then) {
    cancelFade();
    auto* fade = new VolumeFade(
        m_backend.volume(), to, seconds, [this](float v) { m_backend.setVolume(v); }, *m_fadeClock, this);
    m_fade = fade;
    m_fadeGivesWay = false;
    fade->start([this, then = std::move(then)] {
        m_fade = nullptr;
        if (then) then();
    });
}

void Player::cancelFade() {
    delete m_fade.data();
}

void Player::pauseEngine() {
    auto pause = [this] {
        m_backend.pause();
        m_backend.setVolume(float(m_volume));
    };
    if (SettingKey::isOn(m_defaults, fadeOnPauseKey)) {
        // A resume before the fade ends cancels it, and with it this pause: the music never stops.
        fadeVolume(0.0f, pauseFadeSeconds, pause);
    } else {
        cancelFade();
        pause();
    }
}

void Player::resumeEngine() {
    // An engine that really stopped starts from silence; one still fading out rises from where it got to.
    if (!m_backend.isRunning()) m_backend.setVolume(0.0f);
    m_backend.play();
    fadeVolume(float(m_volume), resumeFadeSeconds);
    m_fadeGivesWay = true;
}
