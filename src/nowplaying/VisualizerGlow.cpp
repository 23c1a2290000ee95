#include "VisualizerGlow.h"

#include "playback/Player.h"
#include "shell/look/Accent.h"
#include "shell/look/AccentStore.h"
#include "shell/look/ShellObjects.h"

#include <QElapsedTimer>
#include <QQuickWindow>
#include <QSGSimpleTextureNode>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

void BandSchedule::setLive(bool live, double now) {
    if (live == m_live) return;
    m_live = live;
    // Falling to rest is drawn smoothly; music starting again ends the fall at once.
    m_settleEnd = live ? -1 : now + settleSeconds;
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

// The bands' drawing thread: one, so two bands on screen never hold up each other's frames behind other
// work, and a band waits for no one else's pool.
QThreadPool& drawingThread() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(1);
        p->setObjectName(QStringLiteral("light band"));
        return p;
    }();
    return *pool;
}

// Nothing to read while there is no player; the band is never live then.
class SilentSource final : public BandSource {
public:
    double liveTime() override { return 0; }
    bool levels(double, double, std::span<float, 32>) override { return false; }
};
} // namespace

VisualizerGlow::VisualizerGlow(QQuickItem* parent)
    : QQuickItem(parent), m_clock(monotonicSeconds), m_source(std::make_unique<SilentSource>()) {
    setFlag(ItemHasContents);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(BandSchedule::restMs);
    connect(&m_timer, &QTimer::timeout, this, &VisualizerGlow::tick);
    connect(this, &QQuickItem::widthChanged, this, &VisualizerGlow::update);
    connect(this, &QQuickItem::heightChanged, this, &VisualizerGlow::update);
}

VisualizerGlow::~VisualizerGlow() {
    // The drawing uses the renderer and posts its image to this item: it ends first.
    m_drawing.waitForFinished();
}

void VisualizerGlow::setPlayer(Player* player) {
    if (m_player == player) return;
    m_player = player;
    if (player) m_source = std::make_unique<PlayerBandSource>(*player);
    emit playerChanged();
}

void VisualizerGlow::setDark(bool dark) {
    if (m_dark == dark) return;
    m_dark = dark;
    emit darkChanged();
}

void VisualizerGlow::setReduceMotion(bool on) {
    if (m_reduceMotion == on) return;
    m_reduceMotion = on;
    emit reduceMotionChanged();
}

void VisualizerGlow::setShowEqualizer(bool on) {
    if (m_showEqualizer == on) return;
    m_showEqualizer = on;
    emit showEqualizerChanged();
}

void VisualizerGlow::setBandHeight(double height) {
    if (m_bandHeight == height) return;
    m_bandHeight = height;
    emit bandHeightChanged();
}

void VisualizerGlow::setSpan(double span) {
    if (m_span == span) return;
    m_span = span;
    emit spanChanged();
}

void VisualizerGlow::componentComplete() {
    QQuickItem::componentComplete();
    m_accent = ShellObjects::accentStore(qmlEngine(this));
    // The accent fades from one colour set to the next: the band follows every drawn step.
    if (m_accent)
        connect(m_accent, &AccentStore::drawnChanged, this, [this] {
            if (!m_timer.isActive()) tick();
        });
    followTicking();
}

void VisualizerGlow::itemChange(ItemChange change, const ItemChangeData& data) {
    QQuickItem::itemChange(change, data);
    if (change == ItemVisibleHasChanged || change == ItemSceneChange) followTicking();
}

void VisualizerGlow::followTicking() {
    // A band nobody sees (the chrome's while Now Playing covers it) costs nothing.
    const bool shown = isComponentComplete() && isVisible() && window();
    if (shown && !m_timer.isActive()) {
        m_timer.start();
        tick();
    } else if (!shown) {
        m_timer.stop();
    }
}

LightBandRenderer::Look VisualizerGlow::look() const {
    const Accent& accent = m_accent ? m_accent->drawn() : Accent::magenta();
    return {accent.glow, accent.foot, accent.hot, m_dark};
}

void VisualizerGlow::tick() {
    const double now = m_clock();
    const bool live = m_player && m_player->isPlaying() && !m_reduceMotion && m_showEqualizer;
    if (live != m_schedule.live()) {
        m_schedule.setLive(live, now);
        emit liveChanged();
    }
    if (!m_motion) m_motion = std::make_unique<BandMotion>(now);
    const BandMotion::Levels& levels = m_motion->step(*m_source, live, now);

    const QSizeF logical = size();
    const qreal dpr = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    if (!logical.isEmpty()) {
        // Compared by outline, not by level: levels at rest keep shrinking long after every point of the
        // outline sits on its floor.
        Drawn drawn{LightBand::outline(levels, logical, m_bandHeight, m_span),
                    logical,
                    dpr,
                    look(),
                    m_bandHeight,
                    m_span};
        if (!m_drawn || *m_drawn != drawn) {
            m_drawn = drawn;
            m_pending = true;
            // Drawn once per frame of the window, whatever the timer's pace against the frames: the
            // latest outline is drawn when the window polishes, just before it takes the frame. Without
            // a window nothing polishes, so the frame is drawn at once.
            if (window()) {
                polish();
                update();
            } else {
                draw();
            }
        }
    }

    const int interval = m_schedule.intervalMs(now);
    if (interval != m_timer.interval()) {
        m_timer.setInterval(interval);
        emit frameIntervalChanged();
    }
}

void VisualizerGlow::updatePolish() {
    QQuickItem::updatePolish();
    draw();
}

void VisualizerGlow::draw() {
    if (!m_pending || !m_drawn) return;
    // One drawing at a time; the latest outline is drawn when this one is in.
    if (m_drawing.isRunning()) return;
    m_pending = false;
    const Drawn d = *m_drawn;
    if (!window()) {
        // Nothing polishes without a window: drawn at once.
        const QImage& image = m_renderer->render(d.outline, d.size, d.dpr, d.bandHeight, d.span, d.look);
        drawn(image, m_renderer->scale(), d.size);
        return;
    }
    LightBandRenderer* renderer = m_renderer.get();
    m_drawing = QtConcurrent::run(&drawingThread(), [this, renderer, d] {
        const QImage image = renderer->render(d.outline, d.size, d.dpr, d.bandHeight, d.span, d.look);
        const double scale = renderer->scale();
        // Queued to the GUI thread; the item outlives the drawing, and an event left for it when it goes is
        // dropped with it.
        QMetaObject::invokeMethod(
            this, [this, image, scale, size = d.size] { drawn(image, scale, size); }, Qt::QueuedConnection);
    });
}

void VisualizerGlow::drawn(const QImage& image, double scale, QSizeF size) {
    m_image = image;
    m_imageScale = scale;
    m_imageSize = size;
    m_upload = true;
    ++m_renders;
    update();
    // A newer outline waited for this drawing.
    if (m_pending) {
        if (window())
            polish();
        else
            draw();
    }
}

QSGNode* VisualizerGlow::updatePaintNode(QSGNode* old, UpdatePaintNodeData*) {
    auto* node = static_cast<QSGSimpleTextureNode*>(old);
    if (m_upload && !m_image.isNull()) {
        if (QSGTexture* texture = window()->createTextureFromImage(m_image)) {
            if (!node) {
                node = new QSGSimpleTextureNode;
                node->setOwnsTexture(true);
            }
            node->setTexture(texture);
            m_upload = false;
        }
    }
    if (node) {
        // The band is made coarser than the screen; the texture is scaled up to the item with linear
        // filtering, its part that covers the item (the last pixel may reach past it) to the item's size.
        const QSizeF size = m_imageSize;
        const double scale = m_imageScale;
        node->setFiltering(QSGTexture::Linear);
        node->setSourceRect(QRectF(0, 0, size.width() * scale, size.height() * scale));
        node->setRect(QRectF(QPointF(0, 0), size));
    }
    return node;
}
