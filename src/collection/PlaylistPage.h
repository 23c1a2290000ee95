#pragma once

#include "PlaylistListModel.h"
#include "PlaylistSongsModel.h"
#include "kit/DropMenuPage.h"
#include "kit/MenuSources.h"
#include "library/PlayerPick.h"
#include "library/Playlist.h"
#include "shell/AppStores.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUuid>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

class AppModel;
class LibraryStore;
class MenuContext;
class Player;
class PlayerMusic;
class PlaylistStore;
class QQuickItem;

// The playlists section of the collection page: which playlist is shown, the list of playlists beside it,
// naming and renaming through the one name field, drops on the list and on the detail's songs, deleting
// after a confirmation, and the texts of the detail. Everything here is display state: every change goes
// through the stores. The view draws it and forwards clicks, keys and drops.
class PlaylistPage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(AppStores* stores READ appStores WRITE setAppStores NOTIFY storesChanged)
    Q_PROPERTY(PlaylistListModel* list READ list CONSTANT)
    Q_PROPERTY(PlaylistSongsModel* songs READ songs CONSTANT)

    // The shown playlist.
    Q_PROPERTY(QString shownID READ shownIDText NOTIFY shownChanged)
    Q_PROPERTY(QString shownName READ shownName NOTIFY shownChanged)
    Q_PROPERTY(bool shownOwn READ shownOwn NOTIFY shownChanged)
    Q_PROPERTY(QString caption READ caption NOTIFY shownChanged)
    Q_PROPERTY(QString about READ about NOTIFY shownChanged)
    Q_PROPERTY(QString emptyNote READ emptyNote NOTIFY shownChanged)
    Q_PROPERTY(QString renameHint READ renameHint NOTIFY shownChanged)
    Q_PROPERTY(QString facts READ facts NOTIFY factsChanged)
    Q_PROPERTY(bool hasSongs READ hasSongs NOTIFY factsChanged)
    // The cover mosaic's addresses for the shown songs.
    Q_PROPERTY(QList<QUrl> cover READ cover NOTIFY factsChanged)
    Q_PROPERTY(QVariant shownPick READ shownPick NOTIFY shownChanged)
    // The list's keyboard cursor: the shown playlist's row; writing a row shows that playlist.
    Q_PROPERTY(int listIndex READ listIndex WRITE setListIndex NOTIFY shownChanged)

    // Which column holds the keyboard (a CollectionColumn value; -1 for none yet).
    Q_PROPERTY(int focusColumn READ focusColumn WRITE setFocusColumn NOTIFY focusColumnChanged)
    Q_PROPERTY(bool naming READ naming NOTIFY editingChanged)
    Q_PROPERTY(bool renaming READ renaming NOTIFY editingChanged)
    // The list takes the keyboard only while no name field shows.
    Q_PROPERTY(bool listFocusable READ listFocusable NOTIFY editingChanged)
    Q_PROPERTY(QString draft READ draft WRITE setDraft NOTIFY draftChanged)
    Q_PROPERTY(bool deleting READ deleting NOTIFY deletingChanged)
    Q_PROPERTY(QString deleteTitle READ deleteTitle NOTIFY deletingChanged)
    Q_PROPERTY(QString dropTarget READ dropTarget NOTIFY dropTargetChanged)
    Q_PROPERTY(QString landed READ landed NOTIFY landedChanged)
    Q_PROPERTY(bool droppingOnNew READ droppingOnNew WRITE setDroppingOnNew NOTIFY droppingOnNewChanged)

public:
    explicit PlaylistPage(QObject* parent = nullptr);

    AppStores* appStores() const { return m_appStores; }
    void setAppStores(AppStores* stores);
    void setStores(AppModel* app, LibraryStore* library, Player* player, PlaylistStore* playlists,
                   PlayerMusic* music);

    PlaylistListModel* list() { return &m_list; }
    PlaylistSongsModel* songs() { return &m_songs; }

    std::optional<Playlist> shown() const;
    QUuid shownID() const { return m_shown; }
    QString shownIDText() const { return m_shown.isNull() ? QString() : Playlist::uuidText(m_shown); }
    QString shownName() const;
    bool shownOwn() const;
    QString caption() const;
    QString about() const;
    QString emptyNote() const;
    QString renameHint() const { return shownOwn() ? QStringLiteral("Double-click to rename") : QString(); }
    QString facts() const { return facts(m_songs.count(), m_songs.seconds()); }
    bool hasSongs() const { return m_songs.count() > 0; }
    QVariant shownPick() const;
    QList<QUrl> cover() const;
    // The shown songs' paths, for the add button's menu (asked for only when it opens).
    Q_INVOKABLE QVariantList songPaths() const;
    int listIndex() const { return m_list.rowOf(m_shown); }
    void setListIndex(int row);

    int focusColumn() const { return m_focus; }
    void setFocusColumn(int column);
    bool naming() const { return m_naming; }
    bool renaming() const { return m_renaming; }
    bool listFocusable() const { return !m_naming && !m_renaming; }
    QString draft() const { return m_draft; }
    void setDraft(const QString& draft);
    bool deleting() const { return m_deleting.has_value(); }
    std::optional<Playlist> deletingPlaylist() const { return m_deleting; }
    QString deleteTitle() const;
    QString dropTarget() const { return m_dropTarget; }
    QString landed() const { return m_landed; }
    bool droppingOnNew() const { return m_droppingOnNew; }
    void setDroppingOnNew(bool on);

    // The facts line: "1 song", else the count and " songs", with " · " and the minutes (at least 1) when
    // there are songs.
    static QString facts(qsizetype count, double seconds);
    // "playlist · made " and the day with the short month in `locale`.
    static QString madeCaption(const Playlist& playlist, const QString& locale);
    // The user's locale for dates; tests set another.
    void setTimeLocale(const QString& locale) {
        m_locale = locale;
        emit shownChanged();
    }

    // The picks as songs: the pick of `leavingOut` dropped, each pick's songs in pick order, each file once.
    QList<Song> songsIn(const QList<PlayerPick>& picks, const std::optional<QUuid>& leavingOut) const;
    static QList<PlayerPick> picksOf(const QVariantList& picks);

    // The page came on screen: the list takes the keyboard and a waiting New Playlist command starts naming.
    Q_INVOKABLE void appeared();
    Q_INVOKABLE void startNaming();
    Q_INVOKABLE void startRenaming(const QString& id);
    // The row menu's "rename": shows that playlist with its name field open.
    Q_INVOKABLE void renameFromMenu(const QString& id);
    // Return in the list's field.
    Q_INVOKABLE void createFromDraft();
    // Return in the header's field.
    Q_INVOKABLE void commitRename();
    // Escape in either field.
    Q_INVOKABLE void cancelNaming();
    // A click on a row: shows it and gives the list the keyboard.
    Q_INVOKABLE void select(const QString& id);
    // The row's accessibility action: shows it, the keyboard stays.
    Q_INVOKABLE void show(const QString& id);
    // Return on a list row: plays that playlist from its first song (nothing for an empty one).
    Q_INVOKABLE void playRow(int row);
    // Right arrow in the list: the detail's songs take the keyboard, when there are any.
    Q_INVOKABLE void toSongs();
    // A key for the list; true when taken. No key is taken while a name field shows.
    Q_INVOKABLE bool listKey(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus);

    Q_INVOKABLE void askDelete(const QString& id);
    Q_INVOKABLE void confirmDelete();
    Q_INVOKABLE void dismissDelete();

    // Drops. Each answers whether the drop was taken.
    Q_INVOKABLE bool makePlaylist(const QVariantList& picks);
    Q_INVOKABLE bool dropOn(const QVariantList& picks, const QString& id);
    // On the detail's songs, before row `row` (-1: after the last), or on its empty note.
    Q_INVOKABLE bool place(const QVariantList& picks, int row);
    bool makePlaylist(const QList<PlayerPick>& picks);
    bool dropOn(const QList<PlayerPick>& picks, const QUuid& id);
    bool place(const QList<PlayerPick>& picks, int row);
    // A drag over a list row that takes drops (`on`) or leaving it.
    Q_INVOKABLE void dragOver(const QString& id, bool on);

    // The detail's buttons.
    Q_INVOKABLE void play();
    Q_INVOKABLE void shuffle();

    // The detail's song actions, own playlists only: the hover action "Remove from Playlist" and the menu
    // actions "Move Up" / "Move Down" of the song at `row` ({ symbol, label, offset }).
    Q_INVOKABLE void removeSong(int row);
    Q_INVOKABLE QVariantList moveActions(int row) const;
    Q_INVOKABLE void moveSong(int row, int offset);

    // The menus, built when they open.
    DropMenuPage morePage(const MenuContext& context) const;
    DropMenuPage rowPage(const MenuContext& context, const QUuid& id) const;

signals:
    void storesChanged();
    void shownChanged();
    void factsChanged();
    void focusColumnChanged();
    void editingChanged();
    void draftChanged();
    void deletingChanged();
    void dropTargetChanged();
    void landedChanged();
    void droppingOnNewChanged();
    // The name field wants the keyboard (it shows, or shows again).
    void nameFieldWanted();

private:
    void follow();
    void setNaming(bool naming, bool renaming);
    void pulse(const QUuid& id);
    void setLanded(const QString& id);
    bool isOwn(const QUuid& id) const;
    std::optional<Song> songAtRow(int row) const;
    void post(const QString& text) const;

    QPointer<AppStores> m_appStores;
    QPointer<AppModel> m_app;
    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QPointer<PlaylistStore> m_playlists;
    QPointer<PlayerMusic> m_music;
    QList<QMetaObject::Connection> m_connections;

    PlaylistListModel m_list;
    PlaylistSongsModel m_songs;
    QUuid m_shown;
    QString m_locale;

    int m_focus = -1;
    bool m_naming = false;
    bool m_renaming = false;
    // The playlist being renamed; a change of the shown playlist to another ends the rename.
    QUuid m_renamingID;
    QString m_draft;
    std::optional<Playlist> m_deleting;
    QString m_dropTarget;
    QString m_landed;
    bool m_droppingOnNew = false;
};

// The More button's menu of the shown playlist.
class PlaylistMoreMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PlaylistPage* page MEMBER m_page NOTIFY changed)
public:
    explicit PlaylistMoreMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
signals:
    void changed();

private:
    QPointer<PlaylistPage> m_page;
};

// A list row's menu: the playlist's menu of the kit, with "rename" and "delete…" for the user's own.
class PlaylistRowMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PlaylistPage* page MEMBER m_page NOTIFY changed)
    Q_PROPERTY(QString playlistID MEMBER m_playlistID NOTIFY changed)
public:
    explicit PlaylistRowMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
signals:
    void changed();

private:
    QPointer<PlaylistPage> m_page;
    QString m_playlistID;
};
