#pragma once

#include "library/FileUrl.h"

#include <QEasingCurve>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <memory>
#include <optional>

// A card turning over to show something new: it swings edge-on with an ease-in, the picture changes while
// it cannot be seen (at −90°, so it comes back from the other side), and it swings back with an ease-out.
// A cover tile of the wall and the Now Playing cover share it. The later change wins: each turn swaps in
// its own picture, so the last to swap is what stays.
class CardTurn {
public:
    using Sleep = std::function<void(int ms, std::function<void()>)>;
    // Where the angle goes next and how: the view animates to it over `ms` with `easing` (0: at once).
    using Angle = std::function<void(double degrees, int ms, const QEasingCurve& easing)>;

    // `back` is the curve of the way back: an ease-out for a tile, a spring for the Now Playing cover.
    CardTurn(Sleep sleep, Angle angle, int inMs, int backMs,
             QEasingCurve back = QEasingCurve(QEasingCurve::OutQuad))
        : m_sleep(std::move(sleep)), m_angle(std::move(angle)), m_inMs(inMs), m_backMs(backMs),
          m_back(std::move(back)) {}

    void turn(std::function<void()> swap);

    // How long the card stays edge-on after the swap, before it turns back.
    static constexpr int edgeOnMs = 16;

private:
    Sleep m_sleep;
    Angle m_angle;
    int m_inMs, m_backMs;
    QEasingCurve m_back;
};

// One tile of the cover wall: what it shows, its entrance and its turns. The view only binds the shown
// item, the angle with its animation and the fade; loading goes through the cover cache (or the loader a
// test gives), so a picture is in the cache before the tile turns back to show it.
class FlipTileState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString shownId READ shownId NOTIFY shownChanged)
    Q_PROPERTY(QUrl shownUrl READ shownUrl NOTIFY shownChanged)
    Q_PROPERTY(QString shownPictureOf READ shownPictureOf NOTIFY shownChanged)
    Q_PROPERTY(double angle READ angle NOTIFY angleChanged)
    Q_PROPERTY(int angleMs READ angleMs NOTIFY angleChanged)
    Q_PROPERTY(QEasingCurve angleEasing READ angleEasing NOTIFY angleChanged)
    Q_PROPERTY(bool faded READ faded NOTIFY fadedChanged)
    Q_PROPERTY(int fadeDelayMs READ fadeDelayMs NOTIFY fadedChanged)
    Q_PROPERTY(bool flips READ flips WRITE setFlips NOTIFY flipsChanged)
    Q_PROPERTY(double introDelay READ introDelay WRITE setIntroDelay NOTIFY introDelayChanged)
    Q_PROPERTY(int fadeMs READ fadeDuration CONSTANT)
public:
    static constexpr int turnInMs = 220;
    static constexpr int turnBackMs = 340;
    static constexpr int fadeMs = 600;

    using Load = std::function<void(const FileUrl&, std::function<void()> done)>;

    explicit FlipTileState(QObject* parent = nullptr);
    ~FlipTileState() override;

    // What the wall wants the tile to show; an empty id is no item. Changes compare by id.
    Q_INVOKABLE void setItem(const QString& id, const QUrl& url, const QString& pictureOf);

    QString shownId() const { return m_shown ? m_shown->id : QString(); }
    QUrl shownUrl() const;
    QString shownPictureOf() const { return m_shown ? m_shown->pictureOf : QString(); }
    double angle() const { return m_angle; }
    int angleMs() const { return m_angleMs; }
    QEasingCurve angleEasing() const { return m_angleEasing; }
    bool faded() const { return m_faded; }
    int fadeDelayMs() const { return m_fadeDelayMs; }
    bool flips() const { return m_flips; }
    void setFlips(bool flips);
    double introDelay() const { return m_introDelay; }
    int fadeDuration() const { return fadeMs; }
    void setIntroDelay(double seconds);

    // Tests give their own clock (seconds), loading and sleeping.
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }
    void setLoad(Load load) { m_load = std::move(load); }
    void setSleep(CardTurn::Sleep sleep);

signals:
    void shownChanged();
    void angleChanged();
    void fadedChanged();
    void flipsChanged();
    void introDelayChanged();

private:
    struct Item {
        QString id;
        std::optional<FileUrl> url;
        QString pictureOf;
    };
    void arrive(const Item& item);
    void read(const Item& item, std::function<void()> done);
    void show(const std::optional<Item>& item);
    void setAngle(double degrees, int ms, const QEasingCurve& easing);

    std::optional<Item> m_item; // what the wall wants
    std::optional<Item> m_shown;
    std::optional<QString> m_next; // the id the latest turn brings in
    bool m_arrived = false;
    double m_angle = 0;
    int m_angleMs = 0;
    QEasingCurve m_angleEasing;
    bool m_faded = false;
    int m_fadeDelayMs = 0;
    bool m_flips = true;
    double m_introDelay = 0;

    std::function<double()> m_clock;
    Load m_load;
    CardTurn::Sleep m_sleep;
    std::unique_ptr<CardTurn> m_turn;
    // Loads and sleeps that end after the tile is gone find this empty and do nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
