#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <limits>
#include <optional>

// What the desktop is told about the song that plays.
struct NowPlayingInfo {
    QString title;
    QString artist; // the song's own artist, also on a compilation
    QString album;
    double duration = 0; // seconds; 0 when unknown
    double elapsed = 0;  // seconds, as of this update
    double rate =
        0; // 1 while playing, 0 while paused: the desktop runs its clock from `elapsed` at this rate
    // Which load of the player this is. Every load is a new item, also when the same song starts again, so
    // a position request aimed at an earlier load can be recognised as stale.
    quint64 item = 0;

    friend bool operator==(const NowPlayingInfo&, const NowPlayingInfo&) = default;
};

// The player's side of the desktop's media controls, free of any bus: the player writes what plays and
// which commands would do something, and receives the commands the desktop sends. A publisher (the MPRIS
// service) shows the state and forwards commands; tests can drive the player through it directly.
class NowPlayingCenter : public QObject {
    Q_OBJECT
public:
    enum class Command { togglePlayPause, play, pause, nextTrack, previousTrack };
    Q_ENUM(Command)

    // Which commands would change something now, so desktop controls can grey out the others.
    struct Abilities {
        bool next = false;
        bool previous = false;
        bool play = false;
        bool pause = false;
        bool seek = false;
        friend bool operator==(const Abilities&, const Abilities&) = default;
    };

    struct State {
        std::optional<NowPlayingInfo> info; // none: nothing to show
        bool playing = false;
        Abilities abilities;
        double volume = 0;
        friend bool operator==(const State&, const State&) = default;
    };

    using QObject::QObject;

    const State& state() const { return m_state; }
    void setState(State state);

    // The playback time right now, which moves between the updates of `info.elapsed`; NaN when not known.
    double livePosition() const {
        return m_livePosition ? m_livePosition() : std::numeric_limits<double>::quiet_NaN();
    }
    void setLivePosition(std::function<double()> read) { m_livePosition = std::move(read); }

signals:
    void stateChanged();
    // From the desktop. Whoever acts on them should do it later on its own thread (a queued connection):
    // the publisher answers the desktop at once, whatever the command leads to.
    void command(NowPlayingCenter::Command command);
    void changePosition(double seconds);
    void changeVolume(double volume);

private:
    State m_state;
    std::function<double()> m_livePosition;
};
