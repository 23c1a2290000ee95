#include "SeekBarModel.h"

#include "playback/Player.h"
#include "shell/look/Theme.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cmath>

namespace {
double monotonicSeconds() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.nsecsElapsed() / 1e9;
}
} // namespace

SeekBarModel::SeekBarModel(QObject* parent) : QObject(parent), m_now(monotonicSeconds) {}

void SeekBarModel::setHasSong(bool v) {
    if (m_hasSong == v) return;
    m_hasSong = v;
    changed();
}

void SeekBarModel::setDuration(double v) {
    if (m_duration == v) return;
    m_duration = v;
    changed();
}

void SeekBarModel::setPosition(double v) {
    if (m_position == v) return;
    m_position = v;
    changed();
}

void SeekBarModel::setIsPlaying(bool v) {
    if (m_isPlaying == v) return;
    m_isPlaying = v;
    changed();
    emit stateChanged();
}

void SeekBarModel::setReduceMotion(bool v) {
    if (m_reduceMotion == v) return;
    m_reduceMotion = v;
    changed();
    emit stateChanged();
}

void SeekBarModel::setPlayer(Player* player) {
    if (m_player == player) return;
    m_player = player;
    changed();
}

void SeekBarModel::setTimes(Times t) {
    if (m_times == t) return;
    m_times = t;
    changed();
}

void SeekBarModel::setWidth(double w) {
    if (m_width == w) return;
    m_width = w;
    changed();
    emit fractionChanged();
}

void SeekBarModel::changed() {
    emit inputChanged();
    emit stateChanged();
    refresh();
    // The time row reads the duration as well as the fraction.
    emit fractionChanged();
}

double SeekBarModel::live() const {
    if (m_liveTime) return m_liveTime();
    if (m_player) return m_player->liveTime();
    return m_position;
}

bool SeekBarModel::animating() const {
    return (m_isPlaying || m_sweep) && !m_dragging && !m_reduceMotion;
}

double SeekBarModel::fractionAt(double time) const {
    if (m_dragging) return *m_dragging;
    if (m_sweep) {
        const double t = (time - m_sweep->at) / glideSeconds;
        if (t < 1)
            return m_sweep->from +
                   (m_sweep->to - m_sweep->from) * (1 - std::pow(1 - std::max(t, 0.0), glidePower));
    }
    if (!m_hasSong || !(m_duration > 0)) return 0;
    const double seconds = m_isPlaying && !m_reduceMotion ? live() : m_position;
    double f = seconds / m_duration;
    // After a release the bar holds the sought point until the player catches up, at most a second.
    if (m_landing && time - m_landing->at < holdSeconds && std::abs(f - m_landing->fraction) > holdTolerance)
        return m_landing->fraction;
    if (std::isnan(f)) return 0;
    return std::clamp(f, 0.0, 1.0);
}

void SeekBarModel::refresh() {
    const double t = now();
    const double f = fractionAt(t);
    if (m_sweep && (t - m_sweep->at) / glideSeconds >= 1) {
        m_sweep.reset();
        emit stateChanged();
    }
    if (f != m_fraction) {
        m_fraction = f;
        emit fractionChanged();
    }
}

void SeekBarModel::hover(double x) {
    m_hoverX = x;
    emit stateChanged();
}

void SeekBarModel::leave() {
    if (!m_hoverX) return;
    m_hoverX.reset();
    emit stateChanged();
}

void SeekBarModel::press(double x, double) {
    m_pressX = x;
    m_dragMoved = false;
}

void SeekBarModel::move(double x, double, double width) {
    if (!m_pressX) return;
    const double w = std::max(width, 1.0);
    const double h = std::max(x / w, 0.0);
    // Only sideways travel starts a drag: a press that wanders up or down stays a click.
    if (std::abs(x - *m_pressX) > dragThreshold) m_dragMoved = true;
    if (!m_dragMoved) return;
    const bool started = !m_dragging;
    m_dragging = std::min(h, 1.0);
    const bool hadSweep = m_sweep.has_value();
    m_sweep.reset();
    const double t = now();
    if (!m_lastScrub || t - *m_lastScrub > scrubInterval) {
        emit scrubRequested(*m_dragging * m_duration);
        m_lastScrub = t;
    }
    if (started || hadSweep) emit stateChanged();
    refresh();
}

void SeekBarModel::release(double x, double width) {
    if (!m_pressX) return;
    const double w = std::max(width, 1.0);
    const double h = std::clamp(x / w, 0.0, 1.0);
    const double t = now();
    if (!m_dragMoved && !m_reduceMotion) m_sweep = Sweep{fractionAt(t), h, t};
    emit seekRequested(m_hasSong ? h * m_duration : 0);
    m_landing = Landing{h, t};
    m_dragging.reset();
    m_dragMoved = false;
    m_pressX.reset();
    emit stateChanged();
    refresh();
}

QString SeekBarModel::reading(double width) const {
    if (!m_hasSong || !(m_duration > 0)) return {};
    const double w = std::max(width, 1.0);
    std::optional<double> x;
    if (m_dragging)
        x = *m_dragging * w;
    else
        x = m_hoverX;
    if (!x) return {};
    return Theme::formatTime(std::clamp(*x, 0.0, w) / w * m_duration);
}

QString SeekBarModel::elapsedText() const {
    const double d = m_hasSong ? m_duration : 0;
    return Theme::formatTime(d * m_fraction);
}

QString SeekBarModel::endText() const {
    const double d = m_hasSong ? m_duration : 0;
    if (m_times == Total) return Theme::formatTime(d);
    return QStringLiteral("-") + Theme::formatTime(std::max(d - d * m_fraction, 0.0));
}

double SeekBarModel::pointerX(double width) const {
    return std::clamp(m_hoverX.value_or(0), 0.0, std::max(width, 1.0));
}

void SeekBarModel::step(double seconds) {
    const double d = m_hasSong && m_duration > 0 ? m_duration : 0;
    emit seekRequested(std::clamp(m_position + seconds, 0.0, d));
}
