#include "FlipTileState.h"

#include "shell/artwork/ArtworkCache.h"

#include <QElapsedTimer>
#include <QQmlEngine>
#include <QTimer>

void CardTurn::turn(std::function<void()> swap) {
    m_angle(90, m_inMs, QEasingCurve(QEasingCurve::InQuad));
    // The swap and the way back always follow, whatever happens meanwhile.
    m_sleep(m_inMs, [this, swap = std::move(swap)] {
        swap();
        m_angle(-90, 0, QEasingCurve(QEasingCurve::Linear));
        m_sleep(edgeOnMs, [this] { m_angle(0, m_backMs, m_back); });
    });
}

namespace {
double monotonicSeconds() {
    static QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return double(clock.nsecsElapsed()) / 1e9;
}
} // namespace

FlipTileState::FlipTileState(QObject* parent) : QObject(parent), m_clock(monotonicSeconds) {
    setSleep([this](int ms, std::function<void()> then) { QTimer::singleShot(ms, this, std::move(then)); });
    m_load = [this](const FileUrl& url, std::function<void()> done) {
        ArtworkCache* cache = ArtworkCache::create(qmlEngine(this), nullptr);
        if (!cache) {
            done();
            return;
        }
        // Only that the picture is in the cache afterwards matters, not the picture itself.
        cache->image(url).then(this, [done = std::move(done)](const QImage&) { done(); });
    };
}

FlipTileState::~FlipTileState() {
    *m_alive = false;
}

void FlipTileState::setSleep(CardTurn::Sleep sleep) {
    std::weak_ptr<bool> alive = m_alive;
    m_sleep = [sleep = std::move(sleep), alive](int ms, std::function<void()> then) {
        sleep(ms, [alive, then = std::move(then)] {
            if (auto a = alive.lock(); a && *a) then();
        });
    };
    m_turn = std::make_unique<CardTurn>(
        m_sleep,
        [this](double degrees, int ms, const QEasingCurve& easing) { setAngle(degrees, ms, easing); },
        turnInMs, turnBackMs);
}

QUrl FlipTileState::shownUrl() const {
    return m_shown && m_shown->url ? m_shown->url->toUrl() : QUrl();
}

void FlipTileState::setFlips(bool flips) {
    if (m_flips == flips) return;
    m_flips = flips;
    emit flipsChanged();
}

void FlipTileState::setIntroDelay(double seconds) {
    if (m_introDelay == seconds) return;
    m_introDelay = seconds;
    emit introDelayChanged();
}

void FlipTileState::setAngle(double degrees, int ms, const QEasingCurve& easing) {
    m_angle = degrees;
    m_angleMs = ms;
    m_angleEasing = easing;
    emit angleChanged();
}

void FlipTileState::show(const std::optional<Item>& item) {
    m_shown = item;
    emit shownChanged();
}

void FlipTileState::read(const Item& item, std::function<void()> done) {
    if (!item.url) {
        done();
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    m_load(*item.url, [alive, done = std::move(done)] {
        if (auto a = alive.lock(); a && *a) done();
    });
}

void FlipTileState::arrive(const Item& item) {
    m_arrived = true;
    show(item);
    const double started = m_clock();
    read(item, [this, started] {
        const double loading = m_clock() - started;
        // The entrance sweep counts from the start of loading: a slow load eats into the delay.
        const double delay = m_flips ? m_introDelay * 1.2 : 0.0;
        m_fadeDelayMs = int(std::lround(std::max(delay - loading, 0.0) * 1000));
        m_faded = true;
        emit fadedChanged();
    });
}

void FlipTileState::setItem(const QString& id, const QUrl& url, const QString& pictureOf) {
    std::optional<Item> item;
    if (!id.isEmpty())
        item =
            Item{id, url.isLocalFile() ? std::optional(FileUrl::fromPath(url.toLocalFile())) : std::nullopt,
                 pictureOf};
    const auto sameId = [](const std::optional<Item>& a, const std::optional<Item>& b) {
        return a.has_value() == b.has_value() && (!a || a->id == b->id);
    };
    if (sameId(item, m_item)) return;
    m_item = item;

    if (!m_arrived) {
        if (item) arrive(*item);
        return;
    }
    if (m_flips && item) {
        m_next = item->id;
        const Item turning = *item;
        read(turning, [this, turning] {
            // A later change took over while this one loaded.
            if (m_next != turning.id) return;
            m_turn->turn([this, turning] { show(turning); });
        });
        return;
    }
    m_next.reset();
    show(item);
}
