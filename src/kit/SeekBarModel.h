#pragma once

#include "playback/Player.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <algorithm>
#include <functional>
#include <optional>

// What the seek bar shows and does, apart from drawing: the fraction it shows at a moment (a drag, a
// click's glide, the player's live time, the hold after a release), the drag that scrubs, the reading
// under the pointer and the time row. It takes the song's duration and the player's state as plain values
// and asks for seeks with signals, so tests drive it with a clock of their own and no player.
class SeekBarModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasSong READ hasSong WRITE setHasSong NOTIFY inputChanged)
    Q_PROPERTY(double duration READ duration WRITE setDuration NOTIFY inputChanged)
    Q_PROPERTY(double position READ position WRITE setPosition NOTIFY inputChanged)
    Q_PROPERTY(bool isPlaying READ isPlaying WRITE setIsPlaying NOTIFY inputChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY inputChanged)
    // Where the live time comes from while playing: the player's engine.
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY inputChanged)
    Q_PROPERTY(Times times READ times WRITE setTimes NOTIFY inputChanged)
    // The bar's width, for the reading.
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY inputChanged)
    // The time under the pointer or at the drag; empty when there is none.
    Q_PROPERTY(QString reading READ currentReading NOTIFY stateChanged)
    // The tick's leading edge at the shown fraction; the pointer mark's, clamped to the bar.
    Q_PROPERTY(double tickX READ currentTickX NOTIFY fractionChanged)
    Q_PROPERTY(double pointerX READ currentPointerX NOTIFY stateChanged)
    // The fraction drawn now; refreshed at each frame and whenever an input changes.
    Q_PROPERTY(double fraction READ fraction NOTIFY fractionChanged)
    Q_PROPERTY(bool hovering READ hovering NOTIFY stateChanged)
    Q_PROPERTY(bool dragging READ dragging NOTIFY stateChanged)
    Q_PROPERTY(bool gliding READ gliding NOTIFY stateChanged)
    Q_PROPERTY(double hoverX READ hoverX NOTIFY stateChanged)
    // Frames are needed only while something can move: playing or gliding, not dragging, full motion.
    Q_PROPERTY(bool animating READ animating NOTIFY stateChanged)
    Q_PROPERTY(QString elapsedText READ elapsedText NOTIFY fractionChanged)
    Q_PROPERTY(QString endText READ endText NOTIFY fractionChanged)
public:
    enum Times { NoTimes, Remaining, Total };
    Q_ENUM(Times)

    static constexpr double glideSeconds = 0.4;
    static constexpr double glidePower = 3.5;
    static constexpr double holdSeconds = 1.0;
    static constexpr double holdTolerance = 0.01;
    static constexpr double dragThreshold = 2;
    static constexpr double scrubInterval = 0.08;
    static constexpr double accessibleStep = 10;

    // `now` gives seconds on a monotonic clock; by default the process's.
    explicit SeekBarModel(QObject* parent = nullptr);
    void setClock(std::function<double()> now) { m_now = std::move(now); }
    void setLiveTime(std::function<double()> liveTime) { m_liveTime = std::move(liveTime); }

    bool hasSong() const { return m_hasSong; }
    void setHasSong(bool v);
    double duration() const { return m_duration; }
    void setDuration(double v);
    double position() const { return m_position; }
    void setPosition(double v);
    bool isPlaying() const { return m_isPlaying; }
    void setIsPlaying(bool v);
    bool reduceMotion() const { return m_reduceMotion; }
    void setReduceMotion(bool v);
    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    Times times() const { return m_times; }
    void setTimes(Times t);
    double width() const { return m_width; }
    void setWidth(double w);
    QString currentReading() const { return reading(m_width); }
    double currentTickX() const { return tickX(m_width); }
    double currentPointerX() const { return pointerX(m_width); }

    double fraction() const { return m_fraction; }
    bool hovering() const { return m_hoverX.has_value(); }
    bool dragging() const { return m_dragging.has_value(); }
    bool gliding() const { return m_sweep.has_value(); }
    double hoverX() const { return m_hoverX.value_or(0); }
    bool animating() const;

    // The fraction shown at `time` (seconds on the model's clock).
    double fractionAt(double time) const;
    // Recomputes `fraction` now; ends a glide whose time is up.
    Q_INVOKABLE void refresh();

    // The pointer over the bar (x in the bar's own coordinates), and leaving it.
    Q_INVOKABLE void hover(double x);
    Q_INVOKABLE void leave();
    // A press, its moves and its release, in the bar's coordinates; `width` is the bar's.
    Q_INVOKABLE void press(double x, double y);
    Q_INVOKABLE void move(double x, double y, double width);
    Q_INVOKABLE void release(double x, double width);

    // The time under the pointer or at the drag, empty when there is none to show.
    Q_INVOKABLE QString reading(double width) const;
    QString elapsedText() const;
    QString endText() const;
    // The tick's leading edge; the pointer mark's, clamped to the bar.
    Q_INVOKABLE double tickX(double width) const { return m_fraction * std::max(width, 1.0) - 1; }
    Q_INVOKABLE double pointerX(double width) const;
    // The screen reader's steps: ten seconds either way, within the song.
    Q_INVOKABLE void increase() { step(accessibleStep); }
    Q_INVOKABLE void decrease() { step(-accessibleStep); }

signals:
    void inputChanged();
    void stateChanged();
    void fractionChanged();
    // Fast seeks while dragging; one exact seek on release or from the screen reader.
    void scrubRequested(double seconds);
    void seekRequested(double seconds);

private:
    struct Sweep {
        double from, to, at;
    };
    struct Landing {
        double fraction, at;
    };
    double now() const { return m_now(); }
    double live() const;
    void step(double seconds);
    void changed();

    std::function<double()> m_now;
    std::function<double()> m_liveTime;
    QPointer<Player> m_player;
    bool m_hasSong = false;
    double m_duration = 0;
    double m_position = 0;
    bool m_isPlaying = false;
    bool m_reduceMotion = false;
    Times m_times = NoTimes;
    double m_width = 1;

    double m_fraction = 0;
    std::optional<double> m_dragging;
    bool m_dragMoved = false;
    std::optional<double> m_pressX;
    std::optional<double> m_hoverX;
    std::optional<Sweep> m_sweep;
    std::optional<Landing> m_landing;
    std::optional<double> m_lastScrub;
};
