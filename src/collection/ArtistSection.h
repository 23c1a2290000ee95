#pragma once

#include "AlbumGridModel.h"
#include "ListKeys.h"
#include "Sorts.h"
#include "library/Artist.h"

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <optional>

#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"

// The artists section's rules: which artist and album are open (kept in the navigation model, so other
// pages can open an artist here), the artist column's cursor, which is the chosen artist itself, its
// keys, the album sort of the artist page, and the wall's columns. The view binds to it and forwards keys.
class ArtistSection : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(AppModel* app READ app WRITE setApp NOTIFY storesChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY storesChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY storesChanged)
    Q_PROPERTY(Defaults* defaults READ defaults WRITE setDefaults NOTIFY storesChanged)
    // The column's row of the chosen artist: 0 is "All artists" (also for a name the library lacks), k is
    // the library's artist k − 1. Writing a row chooses that artist and closes any album.
    Q_PROPERTY(int artistIndex READ artistIndex WRITE setArtistIndex NOTIFY changed)
    Q_PROPERTY(bool hasArtist READ hasArtist NOTIFY changed)
    // The chosen artist as the library spells it; empty for none.
    Q_PROPERTY(QString artistName READ artistName NOTIFY changed)
    // The lower-cased name: the artist page's identity (empty for none).
    Q_PROPERTY(QString artistKey READ artistKey NOTIFY artistKeyChanged)
    // The chosen artist's albums in the section's sort.
    Q_PROPERTY(QVariantList albums READ albumValues NOTIFY changed)
    // The album whose songs stand beside the page: the chosen one when the artist has it, else the first;
    // empty without albums.
    Q_PROPERTY(QString albumID READ albumID NOTIFY changed)
    // The artist page's album grid: the chosen artist's albums in the sort with their years, `albumID`
    // selected. A pick opens that album; Left gives the keyboard to the artist column, Right to the songs.
    Q_PROPERTY(AlbumGridModel* albumGrid READ albumGrid CONSTANT)
    Q_PROPERTY(QString albumSort READ albumSortRaw NOTIFY changed)
    Q_PROPERTY(QString albumSortLabel READ albumSortLabel NOTIFY changed)
    // Which column holds the keyboard: a CollectionColumn value, -1 before the section first takes it.
    Q_PROPERTY(int focusColumn READ focusColumn WRITE setFocusColumn NOTIFY focusColumnChanged)

public:
    explicit ArtistSection(QObject* parent = nullptr);

    AppModel* app() const { return m_app; }
    void setApp(AppModel* app);
    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    Player* player() const { return m_player; }
    void setPlayer(Player* player) {
        m_player = player;
        m_grid.setPlayer(player);
        emit storesChanged();
    }
    Defaults* defaults() const { return m_defaults; }
    void setDefaults(Defaults* defaults);

    std::optional<Artist> artist() const;
    int artistIndex() const;
    void setArtistIndex(int row);
    bool hasArtist() const { return artist().has_value(); }
    QString artistName() const;
    QString artistKey() const { return m_artistKey; }
    AlbumSort albumSort() const;
    QString albumSortRaw() const { return Sorts::rawValue(albumSort()); }
    QString albumSortLabel() const { return Sorts::label(albumSort()); }
    // The chosen artist's albums in the sort, or every album of the library without an artist.
    QList<Album> albums() const;
    QVariantList albumValues() const;
    QString albumID() const;
    AlbumGridModel* albumGrid() { return &m_grid; }
    int focusColumn() const { return m_focus; }
    void setFocusColumn(int column);

    // The sort switch: the next sort, stored at once.
    Q_INVOKABLE void nextAlbumSort();
    // Opens an album beside the page (empty: none).
    Q_INVOKABLE void chooseAlbum(const QString& id);
    // A row of the column clicked: that artist (0: none), and the column takes the keyboard.
    Q_INVOKABLE void clickRow(int row);
    // A wall tile or a similar artist clicked: that artist with no album.
    Q_INVOKABLE void showArtist(const QString& name);
    // Return in the column: every song of `albums`, album after album, from the first.
    Q_INVOKABLE void playAll();
    // The text type-to-jump matches: empty for "All artists", so a typed letter never lands there.
    Q_INVOKABLE QString keyName(int row) const;
    // A key pressed in the column; true when the column took it. `focus` is the window's focused item.
    Q_INVOKABLE bool key(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus);
    ListKeys::Result press(const ListKeys::Press& press, bool editingText = false);

signals:
    void storesChanged();
    void changed();
    void focusColumnChanged();
    // Only when another artist (or none) is chosen: the page is made anew then, and only then.
    void artistKeyChanged();

private:
    void updateGrid();

    QPointer<AppModel> m_app;
    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QPointer<Defaults> m_defaults;
    QMetaObject::Connection m_appConnection, m_libraryConnection, m_defaultsConnection;
    int m_focus = -1;
    QString m_artistKey;
    AlbumGridModel m_grid;
};

// The wall's measures and the words under its tiles, for the views.
class ArtistWallGrid : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit ArtistWallGrid(QObject* parent = nullptr) : QObject(parent) {}
    // As many columns of 150 to 200 as fit with 24 between, and each column's width.
    Q_INVOKABLE static int columns(double width);
    Q_INVOKABLE static double cellWidth(double width);
    // "1 album · 1 song", "3 albums · 36 songs".
    Q_INVOKABLE static QString counts(int albums, int songs);
};
