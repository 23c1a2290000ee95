#pragma once

#include "BandMotion.h"
#include "LightBandRenderer.h"

#include <QFuture>
#include <QPointer>
#include <QQuickItem>
#include <QTimer>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <memory>

#include "playback/Player.h"
#include "shell/look/AccentStore.h"

// How often the band draws: 60 frames a second while it is live and for 1.6 s after it stops (while it
// falls to rest), 10 a second otherwise. Times are seconds of a monotonic clock.
class BandSchedule {
public:
    static constexpr int liveMs = 17; // never faster than 60 a second
    static constexpr int restMs = 100;
    static constexpr double settleSeconds = 1.6;

    void setLive(bool live, double now);
    bool live() const { return m_live; }
    bool settling(double now) const { return !m_live && now < m_settleEnd; }
    int intervalMs(double now) const { return m_live || settling(now) ? liveMs : restMs; }

private:
    bool m_live = false;
    double m_settleEnd = -1;
};

// The light band along the bottom of the window: an accent glow whose outline rises and falls with what
// is heard. The GUI thread only steps the levels and makes the outline; the blurred band is drawn into an
// image on a thread of its own, once per frame of the window however often it ticks, and shown as a texture
// scaled up to the item. A frame equal to the last draws and uploads nothing, and a band that is hidden
// does not tick. It takes no input and is not read out.
class VisualizerGlow : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY playerChanged)
    Q_PROPERTY(bool dark READ dark WRITE setDark NOTIFY darkChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(bool showEqualizer READ showEqualizer WRITE setShowEqualizer NOTIFY showEqualizerChanged)
    // The highest the outline may rise, in points; the item is 80 points taller to leave room for the blur.
    Q_PROPERTY(double bandHeight READ bandHeight WRITE setBandHeight NOTIFY bandHeightChanged)
    Q_PROPERTY(double span READ span WRITE setSpan NOTIFY spanChanged)
    Q_PROPERTY(bool live READ live NOTIFY liveChanged)
    Q_PROPERTY(int frameInterval READ frameInterval NOTIFY frameIntervalChanged)
public:
    explicit VisualizerGlow(QQuickItem* parent = nullptr);
    ~VisualizerGlow() override;

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    bool dark() const { return m_dark; }
    void setDark(bool dark);
    bool reduceMotion() const { return m_reduceMotion; }
    void setReduceMotion(bool on);
    bool showEqualizer() const { return m_showEqualizer; }
    void setShowEqualizer(bool on);
    double bandHeight() const { return m_bandHeight; }
    void setBandHeight(double height);
    double span() const { return m_span; }
    void setSpan(double span);
    bool live() const { return m_schedule.live(); }
    int frameInterval() const { return m_timer.interval(); }

    // Tests drive the band with their own clock and source, one frame per `tick()`.
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }
    void setSource(std::unique_ptr<BandSource> source) { m_source = std::move(source); }
    void tick();
    // Frames drawn and frames handed to the scene since the band was made.
    int renders() const { return m_renders; }
    // The last drawn band, at `frameScale()` pixels a point.
    const QImage& frame() const { return m_image; }
    double frameScale() const { return m_imageScale; }

signals:
    void playerChanged();
    void darkChanged();
    void reduceMotionChanged();
    void showEqualizerChanged();
    void bandHeightChanged();
    void spanChanged();
    void liveChanged();
    void frameIntervalChanged();

protected:
    void componentComplete() override;
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    QSGNode* updatePaintNode(QSGNode* node, UpdatePaintNodeData*) override;
    void updatePolish() override;

private:
    void followTicking();
    void draw();
    void drawn(const QImage& image, double scale, QSizeF size);
    LightBandRenderer::Look look() const;

    QPointer<Player> m_player;
    QPointer<AccentStore> m_accent;
    bool m_dark = true;
    bool m_reduceMotion = false;
    bool m_showEqualizer = true;
    double m_bandHeight = 40;
    double m_span = 0.6;

    std::function<double()> m_clock;
    std::unique_ptr<BandSource> m_source;
    std::unique_ptr<BandMotion> m_motion;
    BandSchedule m_schedule;
    // Used by one drawing at a time: the drawing thread's while `m_drawing` runs, else the GUI thread's.
    std::unique_ptr<LightBandRenderer> m_renderer = std::make_unique<LightBandRenderer>();
    QFuture<void> m_drawing;
    QTimer m_timer;

    // What the last drawn frame was made of: an equal frame is not drawn again.
    struct Drawn {
        QPainterPath outline;
        QSizeF size;
        qreal dpr = 0;
        LightBandRenderer::Look look;
        double bandHeight = 0, span = 0;
        bool operator==(const Drawn&) const = default;
    };
    std::optional<Drawn> m_drawn;
    bool m_pending = false; // m_drawn differs from the image
    // The last finished drawing, what the scene shows: `m_imageScale` pixels a point over `m_imageSize`.
    QImage m_image;
    double m_imageScale = 1;
    QSizeF m_imageSize;
    bool m_upload = false;
    int m_renders = 0;
};
