#include "LikeModel.h"

#include "library/FileUrl.h"
#include "shell/look/Motion.h"

#include <QElapsedTimer>
#include <algorithm>

namespace {
double processSeconds() {
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.nsecsElapsed() / 1e9;
}

// One keyframe of the pop: the spring's step response, stretched over the keyframe so that it lands on
// its value when the keyframe ends.
double springProgress(double u) {
    const double damping = 1 - LikeModel::springBounce;
    const double end = Motion::springAt(LikeModel::springResponse, LikeModel::springResponse, damping);
    return Motion::springAt(std::clamp(u, 0.0, 1.0) * LikeModel::springResponse, LikeModel::springResponse,
                            damping) /
           end;
}
} // namespace

LikeModel::LikeModel(QObject* parent) : QObject(parent), m_now(processSeconds) {}

void LikeModel::setPlayer(Player* player) {
    if (player == m_player) return;
    disconnect(m_likesConnection);
    m_player = player;
    if (player) m_likesConnection = connect(player, &Player::likesChanged, this, &LikeModel::likesChanged);
    emit playerChanged();
    snap();
}

void LikeModel::setSong(const QString& path) {
    if (path == m_song) return;
    m_song = path;
    emit songChanged();
    snap();
}

bool LikeModel::readLiked() const {
    return m_player && !m_song.isEmpty() && m_player->likes().contains(m_song);
}

// A new song (or player) is shown as it stands, without animation.
void LikeModel::snap() {
    const bool was = m_liked;
    m_liked = readLiked();
    m_shownSong = m_song;
    m_fill = m_liked ? 1 : 0;
    m_fillAnimating = false;
    m_popping = false;
    m_popScale = 1;
    if (was != m_liked) emit likedChanged();
    emit frameChanged();
}

void LikeModel::likesChanged() {
    const bool now = readLiked();
    if (now == m_liked) return;
    m_liked = now;
    emit likedChanged();
    if (m_song != m_shownSong || m_reduceMotion) {
        snap();
        return;
    }
    const double t = m_now();
    m_fillFrom = m_fill;
    m_fillTo = now ? 1 : 0;
    m_fillStart = t;
    m_fillSeconds = now ? fillSeconds : drainSeconds;
    m_fillEaseOut = now;
    m_fillAnimating = true;
    if (now) {
        ++m_pops;
        m_popStart = t;
        m_popping = true;
    }
    refresh();
}

void LikeModel::toggle() {
    if (!m_player || m_song.isEmpty()) return;
    // Likes are kept by path: the song need not be in the library still to be unliked.
    Song song;
    song.url = FileUrl::fromPath(m_song);
    m_player->toggleLike(std::optional<Song>(song));
}

void LikeModel::refresh() {
    if (!animating()) return;
    const double t = m_now();
    if (m_fillAnimating) {
        const double u = std::clamp((t - m_fillStart) / m_fillSeconds, 0.0, 1.0);
        const QEasingCurve curve =
            m_fillEaseOut ? Motion::bezier(0, 0, 0.58, 1) : Motion::bezier(0.42, 0, 1, 1);
        m_fill = m_fillFrom + (m_fillTo - m_fillFrom) * curve.valueForProgress(u);
        // A frame's clock may land a hair short of the end in floating point; that counts as the end.
        if (t - m_fillStart >= m_fillSeconds - 1e-9) {
            m_fill = m_fillTo;
            m_fillAnimating = false;
        }
    }
    if (m_popping) {
        m_popScale = popAt(t - m_popStart);
        if (t - m_popStart >= popUpSeconds + popDownSeconds - 1e-9) {
            m_popScale = 1;
            m_popping = false;
        }
    }
    emit frameChanged();
}

double LikeModel::popAt(double t) {
    if (t <= 0 || t >= popUpSeconds + popDownSeconds) return 1;
    if (t < popUpSeconds) return 1 + (popPeak - 1) * springProgress(t / popUpSeconds);
    return popPeak + (1 - popPeak) * springProgress((t - popUpSeconds) / popDownSeconds);
}

QString LikeModel::accessibleName() const {
    return m_liked ? QStringLiteral("Liked") : QStringLiteral("Like");
}

QString LikeModel::hintText() const {
    return m_liked ? QStringLiteral("Unlike") : QStringLiteral("Like");
}

LikeLook LikeModel::look(bool bare, bool liked, bool hovered, double size, double height,
                         const QColor& primary, const QColor& secondary, const QColor& inverse,
                         const QColor& accentFrom) {
    LikeLook look;
    if (bare) {
        look.glyph = bareGlyph;
        look.outline = liked ? accentFrom : hovered ? primary : secondary;
        look.frameWidth = look.frameHeight = bareFrame;
        return look;
    }
    const bool solid = liked || hovered;
    look.glyph = roundGlyphScale * size;
    look.outline = solid ? inverse : primary;
    look.disc = solid ? primary : QColor(Qt::transparent);
    look.ring = primary;
    look.frameWidth = std::max(size, roundMinWidth);
    look.frameHeight = height;
    return look;
}
