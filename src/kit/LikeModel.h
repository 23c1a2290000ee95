#pragma once

#include "playback/Player.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <functional>

// How the like button is drawn for one state: the heart's glyph size and outline, and in the round look
// its disc and ring (transparent: none) and the width of its clickable frame.
struct LikeLook {
    Q_GADGET
    QML_VALUE_TYPE(likeLook)
    Q_PROPERTY(double glyph MEMBER glyph CONSTANT)
    Q_PROPERTY(QColor outline MEMBER outline CONSTANT)
    Q_PROPERTY(QColor disc MEMBER disc CONSTANT)
    Q_PROPERTY(QColor ring MEMBER ring CONSTANT)
    Q_PROPERTY(double frameWidth MEMBER frameWidth CONSTANT)
    Q_PROPERTY(double frameHeight MEMBER frameHeight CONSTANT)
public:
    double glyph = 11;
    QColor outline;
    QColor disc = Qt::transparent;
    QColor ring = Qt::transparent;
    double frameWidth = 20;
    double frameHeight = 20;
};

// The like button's state apart from drawing: whether the song (given by its path, empty for none) is
// liked, read from the player's likes and followed through `likesChanged`; the heart's fill and its pop.
//
// The fill snaps when the button first shows a song and whenever the song changes. A like or unlike of
// the song already shown animates: a like fills in 0.2 s (ease-out) and pops the heart (1 to 1.35 in
// 0.1 s, back to 1 in 0.2 s, on a soft spring); an unlike drains in 0.12 s (ease-in). With reduce motion
// every change snaps. The view calls `refresh()` once a frame while `animating`; tests use their own clock.
class LikeModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY playerChanged)
    Q_PROPERTY(QString song READ song WRITE setSong NOTIFY songChanged)
    Q_PROPERTY(bool reduceMotion MEMBER m_reduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(bool hasSong READ hasSong NOTIFY songChanged)
    Q_PROPERTY(bool liked READ liked NOTIFY likedChanged)
    Q_PROPERTY(QString accessibleName READ accessibleName NOTIFY likedChanged)
    Q_PROPERTY(QString hintText READ hintText NOTIFY likedChanged)
    // The duration of the outline's colour change after a like or unlike.
    Q_PROPERTY(int colorMs READ colorMs NOTIFY reduceMotionChanged)
    Q_PROPERTY(double fill READ fill NOTIFY frameChanged)
    Q_PROPERTY(double popScale READ popScale NOTIFY frameChanged)
    Q_PROPERTY(bool animating READ animating NOTIFY frameChanged)
    Q_PROPERTY(int pops READ pops NOTIFY frameChanged)
public:
    static constexpr double fillSeconds = 0.2, drainSeconds = 0.12;
    static constexpr double popPeak = 1.35, popUpSeconds = 0.1, popDownSeconds = 0.2;
    static constexpr double springResponse = 0.5, springBounce = 0.15;
    static constexpr double bareGlyph = 11, bareFrame = 20;
    static constexpr double roundGlyphScale = 0.4, roundMinWidth = 36;
    static constexpr int colorChangeMs = 150;

    explicit LikeModel(QObject* parent = nullptr);
    // Seconds on a monotonic clock; by default the process's.
    void setClock(std::function<double()> now) { m_now = std::move(now); }

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    QString song() const { return m_song; }
    void setSong(const QString& path);
    bool hasSong() const { return !m_song.isEmpty(); }
    bool liked() const { return m_liked; }
    QString accessibleName() const;
    QString hintText() const;
    int colorMs() const { return m_reduceMotion ? 0 : colorChangeMs; }
    double fill() const { return m_fill; }
    double popScale() const { return m_popScale; }
    bool animating() const { return m_fillAnimating || m_popping; }
    int pops() const { return m_pops; }
    QString shownSong() const { return m_shownSong; }

    Q_INVOKABLE void toggle();
    // Brings the fill and the pop to the clock's present.
    Q_INVOKABLE void refresh();

    // The look for the two styles; `size` and `height` only count for the round one.
    Q_INVOKABLE static LikeLook look(bool bare, bool liked, bool hovered, double size, double height,
                                     const QColor& primary, const QColor& secondary, const QColor& inverse,
                                     const QColor& accentFrom);
    // The pop's scale `t` seconds after it started: 1 before and after.
    static double popAt(double t);

signals:
    void playerChanged();
    void songChanged();
    void reduceMotionChanged();
    void likedChanged();
    void frameChanged();

private:
    bool readLiked() const;
    void likesChanged();
    void snap();

    std::function<double()> m_now;
    QPointer<Player> m_player;
    QMetaObject::Connection m_likesConnection;
    QString m_song;
    QString m_shownSong;
    bool m_reduceMotion = false;
    bool m_liked = false;
    double m_fill = 0;
    double m_fillFrom = 0, m_fillTo = 0, m_fillStart = 0, m_fillSeconds = 0;
    bool m_fillAnimating = false;
    bool m_fillEaseOut = true;
    double m_popScale = 1;
    double m_popStart = 0;
    bool m_popping = false;
    int m_pops = 0;
};
