#pragma once

#include "library/Song.h"

#include <QColor>
#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

class AccentStore;
class AppModel;
class Defaults;
class LastFMStore;
class LibraryStore;
class Player;
class SystemAppearance;

// The chosen pocket player as the rest of the window sees it, without knowing its pages: the line it belongs
// to ("ivra hd"), the finish's name and its top colour (what a player accent is taken from).
struct PlayerLook {
    Q_GADGET
    QML_VALUE_TYPE(playerLook)
    Q_PROPERTY(QString line MEMBER line CONSTANT)
    Q_PROPERTY(QString finish MEMBER finish CONSTANT)
    Q_PROPERTY(QColor top MEMBER top CONSTANT)
public:
    QString line;
    QString finish;
    QColor top;
    friend bool operator==(const PlayerLook&, const PlayerLook&) = default;
};

// What the main window's root decides: its colour scheme, the work it starts when first shown (the first
// scan, the Last.fm refresh that follows the number of artists, the accent that follows its setting, the
// pocket player's colour and the playing cover), the drop of files, Space and Escape, and keeping the
// player's queue in step with the library's newer song values.
class RootModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)
    Q_PROPERTY(QString dropSentence READ dropSentence NOTIFY dropSentenceChanged)
    // True while files are dragged over the window (the drop panel shows).
    Q_PROPERTY(bool dropping READ dropping WRITE setDropping NOTIFY droppingChanged)
    // The chosen pocket player, told again whenever "player.model" or "player.finish" is written.
    Q_PROPERTY(PlayerLook chosenPlayer READ chosenPlayer NOTIFY chosenPlayerChanged)

public:
    // The chosen pocket player, read from the settings (its pages own them).
    using PlayerLookup = std::function<PlayerLook(const Defaults&)>;

    RootModel(Defaults& defaults, AppModel& app, LibraryStore& library, Player& player, LastFMStore& lastFM,
              AccentStore& accent, SystemAppearance& appearance, PlayerLookup playerLookup = {},
              QObject* parent = nullptr);

    bool dark() const { return m_dark; }
    bool dropping() const { return m_dropping; }
    void setDropping(bool on);
    QString dropSentence() const;
    PlayerLook chosenPlayer() const;

    // The window was shown: scan (each time), then follow the artists, the accent key and the songs.
    Q_INVOKABLE void shown();
    // Whether a drag carries files at all: text, or a pick dragged between the pages, is not an import.
    Q_INVOKABLE static bool carriesFiles(const QList<QUrl>& urls);
    // Files dropped anywhere on the window; the import decides which of them are music.
    Q_INVOKABLE void drop(const QList<QUrl>& urls);
    // Space on the chrome: play or pause unless a text field is being edited (then the key is not taken).
    Q_INVOKABLE bool space(bool editingText);
    Q_INVOKABLE void escape();

    // The text the accent follows: accent, model, finish and the playing artwork's path, space-separated.
    QString accentKey() const;

    static bool isDarkScheme(const QString& appearance, bool systemIsDark);
    // The queue with every song replaced by the library's value at its path (kept where the library has
    // none); nothing when no song changed.
    static std::optional<QList<Song>>
    remapped(const QList<Song>& queue, const std::function<std::optional<Song>(const QString&)>& lookup);

signals:
    void darkChanged();
    void dropSentenceChanged();
    void droppingChanged();
    void chosenPlayerChanged();

private:
    void updateScheme();
    void refreshLastFM();
    void updateAccent();
    void remapQueue();

    Defaults& m_defaults;
    AppModel& m_app;
    LibraryStore& m_library;
    Player& m_player;
    LastFMStore& m_lastFM;
    AccentStore& m_accent;
    SystemAppearance& m_appearance;
    PlayerLookup m_playerLookup;
    bool m_dark = false;
    bool m_dropping = false;
    bool m_following = false;
    qsizetype m_artistCount = -1;
    QString m_accentKey;
};
