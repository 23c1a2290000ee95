#pragma once

#include "kit/DropMenuPage.h"
#include "kit/MenuSources.h"
#include "library/Artist.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>

#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"

class MenuContext;

// What the artist page's hero and bar say and do for one artist: the facts line, the cover strip shown
// without a picture, the play, shuffle and Smart DJ buttons, and a dropped picture.
class ArtistPageModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(AppModel* app MEMBER m_app NOTIFY storesChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY storesChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY storesChanged)
    Q_PROPERTY(ArtistImageStore* pictures READ pictures WRITE setPictures NOTIFY storesChanged)
    // The artist, by name in any letter case.
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    // As the library spells it.
    Q_PROPERTY(QString shownName READ shownName NOTIFY changed)
    Q_PROPERTY(QString facts READ facts NOTIFY changed)
    Q_PROPERTY(bool hasPicture READ hasPicture NOTIFY changed)
    Q_PROPERTY(QUrl artworkURL READ artworkURL NOTIFY changed)

public:
    using Random = std::function<qsizetype(qsizetype bound)>;

    explicit ArtistPageModel(QObject* parent = nullptr);

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    ArtistImageStore* pictures() const { return m_pictures; }
    void setPictures(ArtistImageStore* pictures);
    QString name() const { return m_name; }
    void setName(const QString& name);
    void setRandom(Random random) { m_random = std::move(random); }

    std::optional<Artist> artist() const;
    QString shownName() const;
    QString facts() const;
    bool hasPicture() const;
    QUrl artworkURL() const;

    // "3 albums · 36 songs · 2 hr 31 min · rock · 120 plays · 4 liked".
    static QString facts(const Artist& artist, const QHash<QString, int>& playCounts,
                         const QSet<QString>& likes);
    // The duration part: "59 min", "1 hr 0 min"; nothing for an artist without songs.
    static QString duration(double seconds);
    // How many covers the strip holds in a hero `width` wide and `height` high.
    static int stripCount(double width, double height);
    // The strip's albums, oldest first: by year (none counts as 0), then by date added, the last `count`.
    static QList<Album> strip(const QList<Album>& albums, int count);
    // The strip for the view: { id, artwork } of each album.
    Q_INVOKABLE QVariantList stripAlbums(double width, double height, int revision = 0) const;

    Q_INVOKABLE void playAll();
    Q_INVOKABLE void shuffle();
    Q_INVOKABLE void smartDJ();
    // Files dropped on the hero: the first local file becomes the artist's picture. True when it was taken.
    Q_INVOKABLE bool dropPicture(const QList<QUrl>& urls);

signals:
    void storesChanged();
    void nameChanged();
    void changed();

private:
    void watch();

    QPointer<AppModel> m_app;
    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QPointer<ArtistImageStore> m_pictures;
    QString m_name;
    Random m_random;
    QList<QMetaObject::Connection> m_connections;
};

// The artist page's menus, each built at the moment it opens.
namespace ArtistMenus {
// The hero's more button: play next, add to now playing, add to playlist ▸; keep handy; the picture.
DropMenuPage more(const MenuContext& context, ArtistImageStore& pictures, const Artist& artist);
// The hero's right-click menu: the artist's menu, then the picture rows under "picture".
DropMenuPage hero(const MenuContext& context, ArtistImageStore& pictures, const Artist& artist);
} // namespace ArtistMenus

// The more button's page, for `MoreButton { page: ArtistMoreMenu { name: … } }`.
class ArtistMoreMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString name MEMBER m_name NOTIFY changed)
public:
    explicit ArtistMoreMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
signals:
    void changed();

private:
    QString m_name;
};

// The hero's right-click page.
class ArtistHeroMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString name MEMBER m_name NOTIFY changed)
public:
    explicit ArtistHeroMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
signals:
    void changed();

private:
    QString m_name;
};
