#include "MixviewController.h"

#include "core/Text.h"
#include "kit/DropMenu.h"
#include "kit/RightClickCatcher.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "playback/RelatedArtists.h"
#include "shell/AppModel.h"

#include <QKeyEvent>
#include <QQmlEngine>
#include <QTimer>

MixviewController::MixviewController(QObject* parent) : QObject(parent), m_tiles(new MixTileModel(this)) {
    m_later = [](int ms, QObject* context, std::function<void()> then) {
        QTimer::singleShot(ms, context, std::move(then));
    };
    m_tiles->setHasPicture([this](const QString& name) { return m_pictures && m_pictures->has(name); });
}

MixviewController::~MixviewController() = default;

void MixviewController::setApp(AppModel* app) {
    if (m_app == app) return;
    m_app = app;
    reconnect();
}

void MixviewController::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    m_library = library;
    reconnect();
}

void MixviewController::setPlayer(Player* player) {
    if (m_player == player) return;
    m_player = player;
    emit storesChanged();
}

void MixviewController::setPictures(ArtistImageStore* pictures) {
    if (m_pictures == pictures) return;
    m_pictures = pictures;
    reconnect();
}

void MixviewController::setRelations(RelatedArtists* relations) {
    if (m_relations == relations) return;
    m_relations = relations;
    m_set = nullptr;
    reconnect();
}

void MixviewController::reconnect() {
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_app)
        m_connections << connect(m_app, &AppModel::mixviewChanged, this, &MixviewController::seedChanged);
    if (m_library) {
        // The library's albums and artists are what the map is made of; a new number of songs also asks for
        // new relations.
        m_connections << connect(m_library, &LibraryStore::artistsChanged, this, [this] { rebuild(false); });
        m_connections << connect(m_library, &LibraryStore::albumsChanged, this, [this] { rebuild(false); });
        m_connections << connect(m_library, &LibraryStore::songsChanged, this, [this] {
            if (m_appeared && m_library->songs().size() != m_songCount) relate();
        });
    }
    if (m_pictures)
        m_connections << connect(m_pictures, &ArtistImageStore::artistsChanged, this,
                                 [this] { rebuild(false); });
    if (m_relations)
        // Any newer set (a Last.fm entry, new play counts, a rescan) redraws the map from it.
        m_connections << connect(m_relations, &RelatedArtists::changed, this, [this] {
            if (!m_appeared) return;
            m_set = m_relations->current();
            rebuild(false);
        });
    emit storesChanged();
    if (m_appeared) rebuild(false);
}

void MixviewController::setWidth(double w) {
    if (m_width == w) return;
    m_width = w;
    emit sizeChanged();
    rebuild(false);
}

void MixviewController::setHeight(double h) {
    if (m_height == h) return;
    m_height = h;
    emit sizeChanged();
    rebuild(false);
}

void MixviewController::appear() {
    if (m_appeared) return;
    m_appeared = true;
    m_seed = m_app ? m_app->mixview() : std::nullopt;
    relate();
    rebuild(false);
    setShown(true);
    // A close asked for before the page came on screen still closes it.
    if (m_app && m_app->mixviewLeaving()) {
        m_wasLeaving = true;
        gather();
    }
}

void MixviewController::relate() {
    if (m_library) m_songCount = m_library->songs().size();
    if (!m_relations) return;
    m_relations->whenReady(this, [this](std::shared_ptr<const ArtistRelations> set) {
        m_set = std::move(set);
        rebuild(false);
    });
}

void MixviewController::seedChanged() {
    if (!m_app) return;
    const bool leavingNow = m_app->mixviewLeaving();
    if (leavingNow && !m_wasLeaving) {
        m_wasLeaving = true;
        if (m_appeared) gather();
    } else if (!leavingNow) {
        m_wasLeaving = false;
        // Opened again while the tiles were flying home: they come back out.
        if (m_leaving && m_app->mixview()) {
            setLeaving(false);
            setShown(true);
        }
    }
    const std::optional<MixSeed> seed = m_app->mixview();
    // Closed: the map stays as it was while the page fades away.
    if (!seed || seed == m_seed) return;
    m_seed = seed;
    setHovered(QString());
    rebuild(true);
}

void MixviewController::rebuild(bool moving) {
    if (!m_appeared || !m_seed || !m_library) return;
    std::optional<MixCluster> cluster;
    if (m_set) {
        const std::shared_ptr<const ArtistRelations> set = m_set;
        const MixCluster::Related related = [set](const QString& name, qsizetype limit) {
            return set->related(name, limit);
        };
        const MixCluster::HasPicture hasPicture = [this](const QString& name) {
            return m_pictures && m_pictures->has(name);
        };
        cluster = MixCluster::build(*m_seed, *m_library, related, hasPicture);
        // The seed check: a centre the library no longer has (after a rescan) closes the page.
        if (!cluster) {
            if (m_app) m_app->closeMixview();
            return;
        }
    }
    std::vector<MixLayout::Placed> placed;
    if (cluster && m_width > 0 && m_height > 0)
        placed = MixLayout::place(*cluster, QSizeF(m_width, m_height), [this](const QString& name) {
            return m_pictures && m_pictures->has(name);
        });
    if (m_moving != moving) {
        m_moving = moving;
        emit movingChanged();
    }
    m_tiles->update(placed);
}

void MixviewController::gather() {
    if (!m_app) return;
    if (m_reduceMotion) {
        m_app->closeMixview();
        return;
    }
    setLeaving(true);
    setHovered(QString());
    m_later(0, this, [this] {
        if (m_leaving) setShown(false);
    });
    // The app outlives the page: the state is cleared even if the page went first.
    QPointer<AppModel> app = m_app;
    m_later(MixTiming::closeAfterMs, m_app, [app] {
        if (app && app->mixviewLeaving()) app->closeMixview();
    });
}

void MixviewController::setShown(bool shown) {
    if (m_shown == shown) return;
    m_shown = shown;
    emit shownChanged();
}

void MixviewController::setLeaving(bool leaving) {
    if (m_leaving == leaving) return;
    m_leaving = leaving;
    emit leavingChanged();
}

void MixviewController::setHovered(const QString& id) {
    if (m_hovered == id) return;
    m_hovered = id;
    m_tiles->setHovered(id);
    emit hoveredChanged();
}

const MixTileModel::Row* MixviewController::row(const QString& id) const {
    const int at = m_tiles->indexOf(id);
    if (at < 0) return nullptr;
    const MixTileModel::Row& r = m_tiles->rows()[at];
    return r.dropping ? nullptr : &r;
}

void MixviewController::play(const MixItem& item) {
    if (!m_player) return;
    if (item.kind == MixItem::Kind::album) m_player->play(item.album.songs, 0, std::nullopt);
    if (item.kind == MixItem::Kind::artist) m_player->play(item.artist.songs(), 0, std::nullopt);
}

void MixviewController::startSmartDJ(const Artist& artist) {
    if (m_player) m_player->smartDJ(QVariant(artist.name));
    if (m_app) m_app->go(Nav::Page::nowPlaying);
}

void MixviewController::showInCollection(const MixItem& item) {
    if (!m_app) return;
    if (item.kind == MixItem::Kind::album) m_app->show(item.album.artist, item.album.id());
    if (item.kind == MixItem::Kind::artist) m_app->show(item.artist.name, std::nullopt);
}

void MixviewController::open(const QString& id) {
    const MixTileModel::Row* r = row(id);
    if (!r) return;
    const MixItem item = r->placed.item;
    if (item.kind == MixItem::Kind::smartDJ) {
        startSmartDJ(item.artist);
    } else if (r->placed.centre) {
        play(item);
    } else if (const std::optional<MixSeed> seed = item.seed(); seed && m_app) {
        m_app->tamskMixview(*seed);
    }
}

void MixviewController::runAction(const QString& id, int index) {
    const MixTileModel::Row* r = row(id);
    if (!r) return;
    const MixItem item = r->placed.item;
    switch (item.kind) {
    case MixItem::Kind::album:
        if (index == 0) play(item);
        if (index == 1 && m_player) m_player->enqueue(item.album.songs);
        if (index == 2) showInCollection(item);
        break;
    case MixItem::Kind::artist:
        if (index == 0) play(item);
        if (index == 1) startSmartDJ(item.artist);
        if (index == 2) showInCollection(item);
        break;
    case MixItem::Kind::smartDJ:
        if (index == 0) startSmartDJ(item.artist);
        break;
    }
}

void MixviewController::showArtist(const QString& id) {
    const MixTileModel::Row* r = row(id);
    if (!r || !r->placed.centre || r->placed.item.kind != MixItem::Kind::album || !m_app) return;
    m_app->tamskMixview(MixSeed::artist(r->placed.item.album.artist));
}

void MixviewController::hover(const QString& id, bool on) {
    if (on) setHovered(id);
    // A tile left after another was entered keeps the newer one.
    else if (m_hovered == id)
        setHovered(QString());
}

void MixviewController::requestClose() {
    if (m_app) m_app->requestMixviewClose();
}

void MixviewController::back() {
    if (m_app) m_app->back();
}

void MixviewController::toggle() {
    if (m_player) m_player->toggle();
}

bool MixviewController::key(int key, int modifiers) {
    if (Qt::KeyboardModifiers(modifiers) & ~Qt::KeypadModifier) return false;
    switch (key) {
    case Qt::Key_Space:
        toggle();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        back();
        return true;
    case Qt::Key_Escape:
        requestClose();
        return true;
    default:
        return false;
    }
}

bool MixviewController::menuKey(int key, int modifiers) {
    return RightClickCatcher::isMenuKey(key, Qt::KeyboardModifiers(modifiers));
}

void MixviewController::exitEnded(const QString& id) {
    m_tiles->remove(id);
}

QString MixviewController::menuTile() const {
    if (!m_hovered.isEmpty() && row(m_hovered)) return m_hovered;
    const MixTileModel::Row* c = m_tiles->centre();
    return c ? c->placed.id() : QString();
}

DropMenuPage MixviewController::menu(const QString& id, bool byKey) const {
    const MixTileModel::Row* r = row(id);
    if (!r) return DropMenuPage();
    const MixItem& item = r->placed.item;
    std::vector<DropMenuItem> rows;
    QPointer<MixviewController> self(const_cast<MixviewController*>(this));
    const QList<MixTileText::Action> actions = MixTileText::actions(item);
    for (int i = 0; i < actions.size(); ++i)
        rows.emplace_back(Text::lower(actions[i].label), false, false, [self, id, i] {
            if (self) self->runAction(id, i);
        });
    if (byKey && r->placed.centre && item.kind == MixItem::Kind::album)
        rows.emplace_back(QStringLiteral("mixview of ") + item.album.artist, false, false, [self, id] {
            if (self) self->showArtist(id);
        });
    return DropMenuPage({DropMenuSection{std::nullopt, std::move(rows)}});
}

void MixviewController::openKeyMenu(const QString& id, QQuickItem* under) {
    DropMenuPage page = menu(id, true);
    if (page.items().empty() || !under) return;
    if (DropMenu* menus = DropMenu::of(qmlEngine(this)))
        menus->show(std::move(page), DropMenuAnchor::qmlAttachedProperties(under));
}

QEasingCurve MixTimingValues::closeEasing() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.5, 0), QPointF(0.8, 0.6), QPointF(1, 1));
    return curve;
}

DropMenuPage MixTileMenu::page(const MenuContext&) const {
    return m_controller ? m_controller->menu(m_tileId, false) : DropMenuPage();
}
