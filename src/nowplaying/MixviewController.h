#pragma once

#include "MixTileModel.h"
#include "kit/DropMenuPage.h"
#include "kit/MenuSources.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "playback/RelatedArtists.h"
#include "shell/AppModel.h"

#include <QEasingCurve>
#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <memory>

// The Mixview page's state and rules: the map of the open seed as a model of tiles, which tile is under the
// pointer, the opening and the closing, what a click, an action, the artist link and a key do. The view
// draws the tiles where the model puts them and runs the moves it asks for.
class MixviewController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(AppModel* app READ app WRITE setApp NOTIFY storesChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY storesChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY storesChanged)
    Q_PROPERTY(ArtistImageStore* pictures READ pictures WRITE setPictures NOTIFY storesChanged)
    Q_PROPERTY(RelatedArtists* relations READ relations WRITE setRelations NOTIFY storesChanged)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY sizeChanged)
    Q_PROPERTY(double height READ height WRITE setHeight NOTIFY sizeChanged)
    Q_PROPERTY(bool reduceMotion MEMBER m_reduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(MixTileModel* tiles READ tiles CONSTANT)
    // The tiles are on the map: false before the opening and again while closing.
    Q_PROPERTY(bool shown READ shown NOTIFY shownChanged)
    // The closing is under way: the tiles fly home instead of dropping off.
    Q_PROPERTY(bool leaving READ leaving NOTIFY leavingChanged)
    Q_PROPERTY(QString hovered READ hovered NOTIFY hoveredChanged)
    // The latest change of places came with a new centre, and animates; one from a resize does not.
    Q_PROPERTY(bool moving READ moving NOTIFY movingChanged)

public:
    // Runs `then` after `ms` milliseconds on this thread, unless `context` is gone by then.
    using Later = std::function<void(int ms, QObject* context, std::function<void()> then)>;

    explicit MixviewController(QObject* parent = nullptr);
    ~MixviewController() override;

    AppModel* app() const { return m_app; }
    LibraryStore* library() const { return m_library; }
    Player* player() const { return m_player; }
    ArtistImageStore* pictures() const { return m_pictures; }
    RelatedArtists* relations() const { return m_relations; }
    void setApp(AppModel* app);
    void setLibrary(LibraryStore* library);
    void setPlayer(Player* player);
    void setPictures(ArtistImageStore* pictures);
    void setRelations(RelatedArtists* relations);
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setWidth(double w);
    void setHeight(double h);
    void setReduceMotion(bool on) { m_reduceMotion = on; }
    void setLater(Later later) { m_later = std::move(later); }

    MixTileModel* tiles() const { return m_tiles; }
    bool shown() const { return m_shown; }
    bool leaving() const { return m_leaving; }
    const QString& hovered() const { return m_hovered; }
    bool moving() const { return m_moving; }

    // The page came on screen: the relations are asked for and the tiles bloom out of the centre.
    Q_INVOKABLE void appear();
    // Asks for relations built from the inputs as they stand now; the map follows when they arrive.
    Q_INVOKABLE void relate();

    // A click on a tile.
    Q_INVOKABLE void open(const QString& id);
    // The tile's action at `index` of its actions.
    Q_INVOKABLE void runAction(const QString& id, int index);
    // The artist name under a centre album: re-centres on the album's artist.
    Q_INVOKABLE void showArtist(const QString& id);
    // The pointer entered (`on`) or left a tile.
    Q_INVOKABLE void hover(const QString& id, bool on);
    // The backdrop, Escape and "exit mixview".
    Q_INVOKABLE void requestClose();
    Q_INVOKABLE void back();
    Q_INVOKABLE void toggle();
    // A key that reached the page: whether it took it.
    Q_INVOKABLE bool key(int key, int modifiers);
    // A dropping tile finished its exit.
    Q_INVOKABLE void exitEnded(const QString& id);

    // The tile the keyboard's menu is for: the hovered one, else the centre; empty without a map.
    Q_INVOKABLE QString menuTile() const;
    Q_INVOKABLE int rowOf(const QString& id) const { return m_tiles->indexOf(id); }
    // A tile's menu: its actions, lower-cased; for the keyboard also "mixview of " and the artist on a centre
    // album, which stands for the named accessibility action a pointer user has in the artist link.
    DropMenuPage menu(const QString& id, bool byKey) const;
    // Opens the keyboard's menu of a tile under its delegate.
    Q_INVOKABLE void openKeyMenu(const QString& id, QQuickItem* under);

    // The rules of the tile's look, for the view.
    Q_INVOKABLE static QPointF cardAt(bool leftward, double tileWidth, double cardWidth) {
        return MixTileText::cardAt(leftward, tileWidth, cardWidth);
    }
    Q_INVOKABLE static double symbolSize(double tileHeight) { return MixTileText::symbolSize(tileHeight); }
    // The Menu key and Shift+F10: the keyboard's way to a tile's menu.
    Q_INVOKABLE static bool menuKey(int key, int modifiers);

signals:
    void storesChanged();
    void sizeChanged();
    void reduceMotionChanged();
    void shownChanged();
    void leavingChanged();
    void hoveredChanged();
    void movingChanged();

private:
    void reconnect();
    void seedChanged();
    void rebuild(bool moving);
    void gather();
    void setShown(bool shown);
    void setLeaving(bool leaving);
    void setHovered(const QString& id);
    void play(const MixItem& item);
    void startSmartDJ(const Artist& artist);
    void showInCollection(const MixItem& item);
    const MixTileModel::Row* row(const QString& id) const;

    QPointer<AppModel> m_app;
    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QPointer<ArtistImageStore> m_pictures;
    QPointer<RelatedArtists> m_relations;
    QList<QMetaObject::Connection> m_connections;
    std::shared_ptr<const ArtistRelations> m_set;
    MixTileModel* m_tiles;
    Later m_later;

    double m_width = 0;
    double m_height = 0;
    bool m_reduceMotion = false;
    bool m_appeared = false;
    bool m_shown = false;
    bool m_leaving = false;
    bool m_moving = false;
    bool m_wasLeaving = false;
    QString m_hovered;
    std::optional<MixSeed> m_seed;
    qsizetype m_songCount = -1;
};

// The timings and measures of the tiles' motion, for the view.
class MixTimingValues : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(MixTiming)
    QML_SINGLETON
    Q_PROPERTY(int closeMs READ closeMs CONSTANT)
    Q_PROPERTY(QEasingCurve closeEasing READ closeEasing CONSTANT)
    Q_PROPERTY(int dropMs READ dropMs CONSTANT)
    Q_PROPERTY(QEasingCurve dropEasing READ dropEasing CONSTANT)
    Q_PROPERTY(int reducedMs READ reducedMs CONSTANT)
    Q_PROPERTY(QEasingCurve reducedEasing READ reducedEasing CONSTANT)
    Q_PROPERTY(double cardMaxWidth READ cardMaxWidth CONSTANT)
public:
    using QObject::QObject;
    int closeMs() const { return MixTiming::closeMs; }
    // Slow to leave, quickening towards the centre.
    static QEasingCurve closeEasing();
    int dropMs() const { return MixTiming::dropMs; }
    QEasingCurve dropEasing() const { return QEasingCurve(QEasingCurve::InQuad); }
    int reducedMs() const { return MixTiming::reducedMs; }
    QEasingCurve reducedEasing() const { return QEasingCurve(QEasingCurve::InOutQuad); }
    double cardMaxWidth() const { return MixTileText::cardMaxWidth; }
};

// A Mixview tile's right-click menu: its actions as rows, built at the moment of the click.
class MixTileMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(MixviewController* controller MEMBER m_controller NOTIFY changed)
    Q_PROPERTY(QString tileId MEMBER m_tileId NOTIFY changed)
public:
    explicit MixTileMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;

signals:
    void changed();

private:
    QPointer<MixviewController> m_controller;
    QString m_tileId;
};
