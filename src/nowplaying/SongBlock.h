#pragma once

#include "FlipTileState.h"
#include "NowPlayingController.h"

#include <QEasingCurve>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <memory>

// The song block of Now Playing: which of its lines change with a new song, and the cover card that turns
// over when the album changes. Each line has an identity (the artist's text for the artist line, the album
// for the album line, the song's file for the title and the like button); a line is replaced only when its
// identity changes, so the lines that stay the same stand still while the others slide.
class SongBlock : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(NowPlayingController* source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)
    // The song as the block shows it now; lines take a copy of it when they are made.
    Q_PROPERTY(QVariant song READ songValue NOTIFY songChanged)
    Q_PROPERTY(QString artistKey READ artistKey NOTIFY artistKeyChanged)
    Q_PROPERTY(QString albumKey READ albumKey NOTIFY albumKeyChanged)
    Q_PROPERTY(QUrl songKey READ songKey NOTIFY songKeyChanged)
    Q_PROPERTY(QString coverHelp READ coverHelp CONSTANT)
    Q_PROPERTY(QString coverName READ coverName NOTIFY songChanged)

    // The cover card: the picture drawn, the card's turn about its upright axis and how it gets there.
    Q_PROPERTY(QUrl shownCover READ shownCover NOTIFY shownCoverChanged)
    Q_PROPERTY(double angle READ angle NOTIFY angleChanged)
    Q_PROPERTY(int angleMs READ angleMs NOTIFY angleChanged)
    Q_PROPERTY(QEasingCurve angleEasing READ angleEasing NOTIFY angleChanged)

public:
    static constexpr int turnInMs = 240;
    static constexpr double springResponse = 0.42;
    static constexpr double springDamping = 0.78;

    explicit SongBlock(QObject* parent = nullptr);
    ~SongBlock() override;

    NowPlayingController* source() const { return m_source; }
    void setSource(NowPlayingController* source);
    bool reduceMotion() const { return m_reduceMotion; }
    void setReduceMotion(bool reduce);

    QVariant songValue() const { return QVariant::fromValue(m_song); }
    QString artistKey() const { return m_song.artist; }
    QString albumKey() const { return m_song.albumID(); }
    QUrl songKey() const { return m_song.fileUrl(); }
    static QString coverHelp() { return QStringLiteral("Show this album in Collection"); }
    QString coverName() const { return QStringLiteral("Show %1 in Collection").arg(m_song.album); }

    QUrl shownCover() const { return m_shownCover; }
    double angle() const { return m_angle; }
    int angleMs() const { return m_angleMs; }
    QEasingCurve angleEasing() const { return m_angleEasing; }

    // Tests give their own sleep.
    void setSleep(CardTurn::Sleep sleep);

signals:
    void sourceChanged();
    void reduceMotionChanged();
    void songChanged();
    void artistKeyChanged();
    void albumKeyChanged();
    void songKeyChanged();
    void shownCoverChanged();
    void angleChanged();

private:
    void update();
    void show(const QUrl& cover);
    void setAngle(double degrees, int ms, const QEasingCurve& easing);

    QPointer<NowPlayingController> m_source;
    bool m_reduceMotion = false;
    bool m_hasSong = false;
    Song m_song;
    QUrl m_shownCover;
    double m_angle = 0;
    int m_angleMs = 0;
    QEasingCurve m_angleEasing;
    std::unique_ptr<CardTurn> m_turn;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
