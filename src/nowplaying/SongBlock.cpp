#include "SongBlock.h"

#include "shell/look/Motion.h"

#include <QTimer>

SongBlock::SongBlock(QObject* parent) : QObject(parent) {
    setSleep([this](int ms, std::function<void()> then) { QTimer::singleShot(ms, this, std::move(then)); });
}

SongBlock::~SongBlock() {
    *m_alive = false;
}

void SongBlock::setSleep(CardTurn::Sleep sleep) {
    std::weak_ptr<bool> alive = m_alive;
    auto guarded = [sleep = std::move(sleep), alive](int ms, std::function<void()> then) {
        sleep(ms, [alive, then = std::move(then)] {
            if (auto a = alive.lock(); a && *a) then();
        });
    };
    m_turn = std::make_unique<CardTurn>(
        guarded,
        [this](double degrees, int ms, const QEasingCurve& easing) { setAngle(degrees, ms, easing); },
        turnInMs, Motion::springMs(springResponse, springDamping),
        Motion::springCurve<springResponse, springDamping>());
}

void SongBlock::setSource(NowPlayingController* source) {
    if (m_source == source) return;
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) connect(m_source, &NowPlayingController::songChanged, this, &SongBlock::update);
    emit sourceChanged();
    update();
}

void SongBlock::setReduceMotion(bool reduce) {
    if (m_reduceMotion == reduce) return;
    m_reduceMotion = reduce;
    emit reduceMotionChanged();
}

void SongBlock::update() {
    if (!m_source || !m_source->song()) return; // the block goes away with the song; it keeps the last
    const Song song = *m_source->song();
    const QUrl cover = m_source->cover();
    const Song old = m_song;
    const bool first = !m_hasSong;
    m_hasSong = true;
    m_song = song;
    emit songChanged();
    if (first || old.artist != song.artist) emit artistKeyChanged();
    if (first || old.url != song.url) emit songKeyChanged();
    if (first) {
        show(cover);
        emit albumKeyChanged();
        return;
    }
    if (old.albumID() == song.albumID()) return; // another song of the album keeps the drawn cover
    emit albumKeyChanged();
    if (m_reduceMotion) {
        show(cover);
        return;
    }
    m_turn->turn([this, cover] { show(cover); });
}

void SongBlock::show(const QUrl& cover) {
    if (m_shownCover == cover) return;
    m_shownCover = cover;
    emit shownCoverChanged();
}

void SongBlock::setAngle(double degrees, int ms, const QEasingCurve& easing) {
    m_angle = degrees;
    m_angleMs = ms;
    m_angleEasing = easing;
    emit angleChanged();
}
