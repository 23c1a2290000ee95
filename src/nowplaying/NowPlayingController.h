#pragma once

#include "library/Album.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/WindowOpener.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QVariant>
#include <QWindow>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

#include <QQuickItem>

// What the Now Playing page decides: the playing song and its album, whether the controls and the pointer
// show, the keys, the Up Next panel and its height, the two colours that wash the wall, and where its
// buttons lead. The page's view only draws what this says. Time, the cover colours, the accent and the
// pointer come through functions a test can replace.
class NowPlayingController : public QObject, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY sourceChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY sourceChanged)
    Q_PROPERTY(AppModel* app READ app WRITE setApp NOTIFY sourceChanged)
    Q_PROPERTY(WindowOpener* windows READ windows WRITE setWindows NOTIFY sourceChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)

    Q_PROPERTY(bool present READ present NOTIFY songChanged)
    // The playing song (an invalid song when none) and its album's identity.
    Q_PROPERTY(QVariant song READ songValue NOTIFY songChanged)
    Q_PROPERTY(QString albumID READ albumID NOTIFY songChanged)
    // The album artist the wall leans toward; undefined while nothing plays.
    Q_PROPERTY(QVariant albumArtist READ albumArtistValue NOTIFY songChanged)
    // The cover the song block shows: the album's, else the song's own file.
    Q_PROPERTY(QUrl cover READ cover NOTIFY songChanged)

    Q_PROPERTY(bool controlsShown READ controlsShown NOTIFY controlsShownChanged)
    Q_PROPERTY(bool showQueue READ showQueue NOTIFY showQueueChanged)
    Q_PROPERTY(bool pointerHidden READ pointerHidden NOTIFY pointerHiddenChanged)
    // How many signs of the user the page has had.
    Q_PROPERTY(int activity READ activity NOTIFY activityChanged)

    Q_PROPERTY(QColor tintBase READ tintBase NOTIFY tintChanged)
    Q_PROPERTY(QColor tintGlow READ tintGlow NOTIFY tintChanged)
    // How long the view takes to move to the current tint.
    Q_PROPERTY(int tintMs READ tintMs NOTIFY tintChanged)

public:
    static constexpr int hideAfterMs = 3000;
    static constexpr int tintChangeMs = 1100;
    static constexpr double volumeStep = 0.05;

    using Sleep = std::function<void(int ms, std::function<void()>)>;
    using Colors = std::pair<QColor, QColor>;
    // The two colours of a cover, reported later (or never); none when they cannot be read.
    using CoverColors = std::function<void(const FileUrl&, std::function<void(std::optional<Colors>)>)>;
    using AccentPair = std::function<Colors()>;
    using Pointer = std::function<void(bool hidden)>;

    explicit NowPlayingController(QObject* parent = nullptr);
    ~NowPlayingController() override;

    void classBegin() override {}
    void componentComplete() override;

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    AppModel* app() const { return m_app; }
    void setApp(AppModel* app);
    WindowOpener* windows() const { return m_windows; }
    void setWindows(WindowOpener* windows);
    bool reduceMotion() const { return m_reduceMotion; }
    void setReduceMotion(bool reduce);

    bool present() const { return m_song.has_value(); }
    const std::optional<Song>& song() const { return m_song; }
    QVariant songValue() const { return QVariant::fromValue(m_song.value_or(Song())); }
    QString albumID() const { return m_song ? m_song->albumID() : QString(); }
    QVariant albumArtistValue() const { return m_song ? QVariant(m_song->albumArtist) : QVariant(); }
    const std::optional<Album>& album() const { return m_album; }
    QUrl cover() const;

    bool controlsShown() const { return m_controlsShown; }
    bool showQueue() const { return m_showQueue; }
    bool pointerHidden() const { return m_pointerHidden; }
    int activity() const { return int(m_activity); }
    QColor tintBase() const { return m_tint.first; }
    QColor tintGlow() const { return m_tint.second; }
    int tintMs() const { return m_tintMs; }

    // The page is on screen: the first quiet spell and the first tint start.
    Q_INVOKABLE void start();
    // A sign of the user: shows the controls and starts the quiet spell again.
    Q_INVOKABLE void wake();
    // The pointer moved over the page: it shows again, and so do the controls.
    Q_INVOKABLE void pointerMoved();
    // The page's keys; true when one was taken. A key with a modifier is left to the menus' shortcuts.
    Q_INVOKABLE bool key(int key, int modifiers);
    Q_INVOKABLE void toggleQueue();
    Q_INVOKABLE static double queueHeight(double pageHeight);

    Q_INVOKABLE void back();
    Q_INVOKABLE void openMixview();
    Q_INVOKABLE bool openMiniPlayer();
    Q_INVOKABLE void showAlbum();
    // A double click: the window goes full screen, and back to how it was before.
    Q_INVOKABLE void toggleFullScreen(QQuickItem* item);
    void toggleFullScreen(QWindow* window);

    // Tests give their own time, colours and pointer.
    void setSleep(Sleep sleep) { m_sleep = std::move(sleep); }
    void setCoverColors(CoverColors colors) { m_coverColors = std::move(colors); }
    void setAccentPair(AccentPair accent) { m_accent = std::move(accent); }
    void setPointer(Pointer pointer) { m_pointer = std::move(pointer); }

signals:
    void sourceChanged();
    void reduceMotionChanged();
    void songChanged();
    void albumChanged();
    void controlsShownChanged();
    void showQueueChanged();
    void pointerHiddenChanged();
    void activityChanged();
    void tintChanged();

private:
    void update();
    void quietSpell();
    void setControlsShown(bool shown);
    void setPointerHidden(bool hidden);
    void retint();
    void applyTint(const Colors& colors);

    QPointer<Player> m_player;
    QPointer<LibraryStore> m_library;
    QPointer<AppModel> m_app;
    QPointer<WindowOpener> m_windows;
    bool m_reduceMotion = false;

    std::optional<Song> m_song;
    std::optional<Album> m_album;
    bool m_started = false;
    bool m_controlsShown = true;
    bool m_showQueue = false;
    bool m_pointerHidden = false;
    bool m_wasPlaying = false;
    quint64 m_activity = 0;

    // The tint belongs to an album; a result for any other album (or for an earlier visit of this one)
    // is dropped.
    std::optional<QString> m_tintKey;
    quint64 m_tintTicket = 0;
    Colors m_tint;
    int m_tintMs = 0;

    std::optional<QWindow::Visibility> m_beforeFullScreen;

    Sleep m_sleep;
    CoverColors m_coverColors;
    AccentPair m_accent;
    Pointer m_pointer;
    // Sleeps and colour answers that come back after the page is gone find this empty and do nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
