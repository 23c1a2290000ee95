#pragma once

#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/WindowOpener.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// What the small floating player shows and does, apart from drawing it: the playing song's lines and cover,
// the measures of its column, its keys and its way back to the main window. It reads only the library, the
// player and the window opener, the three things the small window is given.
class MiniPlayerModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY sourceChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY sourceChanged)
    Q_PROPERTY(WindowOpener* windows READ windows WRITE setWindows NOTIFY sourceChanged)
    Q_PROPERTY(bool present READ present NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString artist READ artist NOTIFY changed)
    // The picture's address (empty with nothing playing) and what its placeholder says is missing.
    Q_PROPERTY(QUrl cover READ cover NOTIFY changed)
    Q_PROPERTY(QString placeholderKind READ placeholderKind NOTIFY changed)

    // The measures of the column, in pixels.
    Q_PROPERTY(double viewWidth MEMBER viewWidth CONSTANT)
    Q_PROPERTY(double coverHeight MEMBER coverHeight CONSTANT)
    Q_PROPERTY(double buttonInset MEMBER buttonInset CONSTANT)
    Q_PROPERTY(double fullButtonSize MEMBER fullButtonSize CONSTANT)
    Q_PROPERTY(double fullSymbolSize MEMBER fullSymbolSize CONSTANT)
    Q_PROPERTY(double closeButtonSize MEMBER closeButtonSize CONSTANT)
    Q_PROPERTY(double closeSymbolSize MEMBER closeSymbolSize CONSTANT)
    Q_PROPERTY(double buttonShade MEMBER buttonShade CONSTANT)
    Q_PROPERTY(double panelSides MEMBER panelSides CONSTANT)
    Q_PROPERTY(double panelEnds MEMBER panelEnds CONSTANT)
    Q_PROPERTY(double panelSpacing MEMBER panelSpacing CONSTANT)
    Q_PROPERTY(double seekGap MEMBER seekGap CONSTANT)
    Q_PROPERTY(double seekHeight MEMBER seekHeight CONSTANT)
    Q_PROPERTY(double transportScale MEMBER transportScale CONSTANT)
    Q_PROPERTY(QColor background READ background CONSTANT)
public:
    static constexpr double viewWidth = 340;
    static constexpr double coverHeight = 250;
    // Both round buttons sit this far in from their corner of the cover.
    static constexpr double buttonInset = 12;
    static constexpr double fullButtonSize = 32;
    static constexpr double fullSymbolSize = 12;
    static constexpr double closeButtonSize = 20;
    static constexpr double closeSymbolSize = 10;
    // The round buttons are black at this opacity, so they read on any cover.
    static constexpr double buttonShade = 0.5;
    static constexpr double panelSides = 20;
    static constexpr double panelEnds = 16;
    static constexpr double panelSpacing = 4;
    // Extra room above the seek bar, on top of the panel's spacing.
    static constexpr double seekGap = 10;
    static constexpr double seekHeight = 2;
    static constexpr double transportScale = 1;
    static QColor background() { return QColor(18, 18, 18); }

    static QString nothingPlaying() { return QStringLiteral("nothing playing"); }
    // The artist line with no song: a space, so that the line keeps its height and the window its size.
    static QString noArtist() { return QStringLiteral(" "); }
    static QString mainWindow() { return QStringLiteral("main"); }

    explicit MiniPlayerModel(QObject* parent = nullptr) : QObject(parent) {}

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    WindowOpener* windows() const { return m_windows; }
    void setWindows(WindowOpener* windows);

    bool present() const { return m_present; }
    QString title() const { return m_title; }
    QString artist() const { return m_artist; }
    QUrl cover() const { return m_cover; }
    QString placeholderKind() const { return m_present ? QStringLiteral("album") : QStringLiteral("song"); }

    // The window's keys: Space plays or pauses, as in the main window. True when the key was taken.
    Q_INVOKABLE bool key(int key, int modifiers);
    // Brings the main window back (also from minimised or closed); this window stays open.
    Q_INVOKABLE bool openFullWindow();

signals:
    void sourceChanged();
    void changed();

private:
    void update();

    QPointer<Player> m_player;
    QPointer<LibraryStore> m_library;
    QPointer<WindowOpener> m_windows;
    bool m_present = false;
    QString m_title = nothingPlaying();
    QString m_artist = noArtist();
    QUrl m_cover;
};
