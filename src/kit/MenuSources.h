#pragma once

#include "DropMenuPage.h"
#include "HoverAction.h"

#include <QObject>
#include <QQmlListProperty>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <vector>

class MenuContext;

// A row that a view adds to a menu the kit builds (the playlists list's "rename" and "delete…", for
// instance): it runs `chosen` after the menu has closed.
//
//     MenuRow { title: "delete…"; destructive: true; onChosen: page.deleting = playlist }
class MenuRow : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString title MEMBER m_title NOTIFY changed)
    Q_PROPERTY(bool checked MEMBER m_checked NOTIFY changed)
    Q_PROPERTY(bool destructive MEMBER m_destructive NOTIFY changed)
public:
    explicit MenuRow(QObject* parent = nullptr) : QObject(parent) {}
    DropMenuItem item();
    static std::vector<DropMenuItem> items(const QList<MenuRow*>& rows);

signals:
    void chosen();
    void changed();

private:
    QString m_title;
    bool m_checked = false;
    bool m_destructive = false;
};

// What a view's right-click menu shows, named by the view's identity and built from the stores at the
// moment of the click. A page of the program with a menu of its own makes its own kind in C++.
class MenuSource : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("use one of its kinds: ArtistMenu, AlbumMenu, PlaylistMenu, CoverMenu, ActionsMenu")
public:
    using QObject::QObject;
    // An empty page when the thing is not (or no longer) in the collection: no menu opens then.
    virtual DropMenuPage page(const MenuContext& context) const = 0;
};

// An artist's menu, by name: Smart DJ, then the view's `first` rows; keep handy; the places.
class ArtistMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString name MEMBER m_name NOTIFY changed)
    Q_PROPERTY(QQmlListProperty<MenuRow> first READ first CONSTANT)
    Q_PROPERTY(bool showInCollection MEMBER m_showInCollection NOTIFY changed)
public:
    explicit ArtistMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
    QQmlListProperty<MenuRow> first() { return {this, &m_first}; }

signals:
    void changed();

private:
    QString m_name;
    QList<MenuRow*> m_first;
    bool m_showInCollection = false;
};

// An album's menu, by identity.
class AlbumMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString albumID MEMBER m_albumID NOTIFY changed)
    Q_PROPERTY(bool showArtist MEMBER m_showArtist NOTIFY changed)
    Q_PROPERTY(bool showInCollection MEMBER m_showInCollection NOTIFY changed)
public:
    explicit AlbumMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;

signals:
    void changed();

private:
    QString m_albumID;
    bool m_showArtist = false;
    bool m_showInCollection = false;
};

// A playlist's menu, by id (the user's own or an automatic one), with the view's `edit` rows.
class PlaylistMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString playlistID MEMBER m_playlistID NOTIFY changed)
    Q_PROPERTY(bool showInCollection MEMBER m_showInCollection NOTIFY changed)
    Q_PROPERTY(QQmlListProperty<MenuRow> edit READ edit CONSTANT)
public:
    explicit PlaylistMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
    QQmlListProperty<MenuRow> edit() { return {this, &m_edit}; }

signals:
    void changed();

private:
    QString m_playlistID;
    bool m_showInCollection = false;
    QList<MenuRow*> m_edit;
};

// The cover rows of an album, alone in one section (the album page's big cover).
class CoverMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString albumID MEMBER m_albumID NOTIFY changed)
public:
    explicit CoverMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;

signals:
    void changed();

private:
    QString m_albumID;
};

// A view's hover actions as its menu: one untitled section of their rows (song rows, Mixview tiles, the
// settings page's Smart DJ artists).
class ActionsMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQmlListProperty<HoverAction> actions READ actions CONSTANT)
public:
    explicit ActionsMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
    QQmlListProperty<HoverAction> actions() { return {this, &m_actions}; }
    static DropMenuPage pageOf(const QList<HoverAction*>& actions);

private:
    QList<HoverAction*> m_actions;
};
