#include "ArtistPageModel.h"

#include "kit/MenuContext.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/AppStores.h"

#include <QQmlEngine>
#include <algorithm>
#include <cmath>

ArtistPageModel::ArtistPageModel(QObject* parent) : QObject(parent) {}

void ArtistPageModel::setLibrary(LibraryStore* library) {
    m_library = library;
    watch();
}

void ArtistPageModel::setPlayer(Player* player) {
    m_player = player;
    watch();
}

void ArtistPageModel::setPictures(ArtistImageStore* pictures) {
    m_pictures = pictures;
    watch();
}

void ArtistPageModel::setName(const QString& name) {
    if (m_name == name) return;
    m_name = name;
    emit nameChanged();
    emit changed();
}

void ArtistPageModel::watch() {
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_library)
        m_connections.append(
            connect(m_library, &LibraryStore::artistsChanged, this, &ArtistPageModel::changed));
    if (m_player) {
        m_connections.append(connect(m_player, &Player::playCountsChanged, this, &ArtistPageModel::changed));
        m_connections.append(connect(m_player, &Player::likesChanged, this, &ArtistPageModel::changed));
    }
    if (m_pictures)
        m_connections.append(
            connect(m_pictures, &ArtistImageStore::artistsChanged, this, &ArtistPageModel::changed));
    emit storesChanged();
    emit changed();
}

std::optional<Artist> ArtistPageModel::artist() const {
    return m_library ? m_library->artist(m_name) : std::nullopt;
}

QString ArtistPageModel::shownName() const {
    const std::optional<Artist> a = artist();
    return a ? a->name : m_name;
}

QString ArtistPageModel::facts() const {
    const std::optional<Artist> a = artist();
    if (!a) return {};
    return m_player ? facts(*a, m_player->playCounts(), m_player->likes()) : facts(*a, {}, {});
}

bool ArtistPageModel::hasPicture() const {
    return m_pictures && m_pictures->has(m_name);
}

QUrl ArtistPageModel::artworkURL() const {
    const std::optional<Artist> a = artist();
    return a ? a->artworkUrl() : QUrl();
}

QString ArtistPageModel::duration(double seconds) {
    if (!(seconds > 0)) seconds = 0;
    const qint64 minutes = std::llround(seconds / 60);
    if (minutes > 59) return QStringLiteral("%1 hr %2 min").arg(minutes / 60).arg(minutes % 60);
    return QString::number(std::max<qint64>(minutes, 1)) + QStringLiteral(" min");
}

QString ArtistPageModel::facts(const Artist& artist, const QHash<QString, int>& playCounts,
                               const QSet<QString>& likes) {
    QStringList parts;
    const qsizetype albums = artist.albums.size();
    parts.append(albums == 1 ? QStringLiteral("1 album")
                             : QString::number(albums) + QStringLiteral(" albums"));
    qint64 songs = 0, plays = 0, liked = 0;
    double seconds = 0;
    for (const Album& album : artist.albums)
        for (const Song& song : album.songs) {
            ++songs;
            if (std::isfinite(song.duration) && song.duration > 0) seconds += song.duration;
            plays += playCounts.value(song.path(), 0);
            if (likes.contains(song.path())) ++liked;
        }
    parts.append(songs == 1 ? QStringLiteral("1 song") : QString::number(songs) + QStringLiteral(" songs"));
    // Nothing to play lasts no minute: an artist without songs has no length part.
    if (songs > 0) parts.append(duration(seconds));
    if (const std::optional<QString> genre = artist.genre(); genre && !genre->isEmpty()) parts.append(*genre);
    if (plays > 0)
        parts.append(plays == 1 ? QStringLiteral("1 play")
                                : QString::number(plays) + QStringLiteral(" plays"));
    if (liked > 0) parts.append(QString::number(liked) + QStringLiteral(" liked"));
    return parts.join(QStringLiteral(" · "));
}

int ArtistPageModel::stripCount(double width, double height) {
    if (!(height > 0) || !(width > 0)) return 1;
    return std::max(1, int(std::floor(width * 0.6 / height)));
}

QList<Album> ArtistPageModel::strip(const QList<Album>& albums, int count) {
    QList<Album> ordered = albums;
    std::stable_sort(ordered.begin(), ordered.end(), [](const Album& a, const Album& b) {
        const qint64 ya = a.year().value_or(0), yb = b.year().value_or(0);
        if (ya != yb) return ya < yb;
        return a.added().seconds < b.added().seconds;
    });
    if (count < ordered.size()) ordered = ordered.mid(ordered.size() - count);
    return ordered;
}

QVariantList ArtistPageModel::stripAlbums(double width, double height, int) const {
    QVariantList out;
    const std::optional<Artist> a = artist();
    if (!a) return out;
    for (const Album& album : strip(a->albums, stripCount(width, height))) {
        const std::optional<FileUrl> art = album.artworkURL();
        out.append(QVariantMap{{QStringLiteral("id"), album.id()},
                               {QStringLiteral("artwork"), art ? art->path : QString()}});
    }
    return out;
}

void ArtistPageModel::playAll() {
    const std::optional<Artist> a = artist();
    if (a && m_player) m_player->play(a->songs(), 0);
}

void ArtistPageModel::shuffle() {
    const std::optional<Artist> a = artist();
    if (a && m_player) m_player->play(MenuContext::shuffled(a->songs(), m_random), 0);
}

void ArtistPageModel::smartDJ() {
    const std::optional<Artist> a = artist();
    if (!a || !m_player) return;
    m_player->smartDJ(QVariant(a->name));
    if (m_app) m_app->go(Nav::Page::nowPlaying);
}

bool ArtistPageModel::dropPicture(const QList<QUrl>& urls) {
    if (urls.isEmpty() || !m_pictures) return false;
    // The first of the dropped files; one that is not a local picture leaves the picture as it was.
    return m_pictures->set(urls.first(), shownName());
}

namespace {

DropMenuItem row(const QString& title, std::function<void()> run, bool checked = false,
                 bool destructive = false) {
    return DropMenuItem(title, checked, destructive, std::move(run));
}

std::vector<DropMenuItem> pictureRows(const MenuContext& context, ArtistImageStore& pictures,
                                      const QString& name) {
    QPointer<ArtistImageStore> store(&pictures);
    auto choose = [store, name, ask = context.choosePicture] {
        if (!store || !ask) return;
        ask(ArtistImageStore::chooseButton(), ArtistImageStore::chooseMessage(name),
            [store, name](const QUrl& picture) {
                if (store) store->chosen(picture, name);
            });
    };
    std::vector<DropMenuItem> rows;
    const QString ellipsis(QChar(0x2026));
    if (!pictures.has(name)) {
        rows.push_back(row(QStringLiteral("add a picture") + ellipsis, choose));
        return rows;
    }
    rows.push_back(row(QStringLiteral("change picture") + ellipsis, choose));
    rows.push_back(row(
        QStringLiteral("remove picture"),
        [store, name] {
            if (store) store->remove(name);
        },
        false, true));
    return rows;
}

} // namespace

namespace ArtistMenus {

DropMenuPage more(const MenuContext& context, ArtistImageStore& pictures, const Artist& artist) {
    const QList<Song> songs = artist.songs();
    QPointer<Player> player(&context.player);
    QPointer<AppModel> app(&context.app);
    DropMenuSection play{std::nullopt,
                         {row(QStringLiteral("play next"),
                              [player, songs] {
                                  if (player) player->playNext(songs);
                              }),
                          row(QStringLiteral("add to now playing"),
                              [player, songs] {
                                  if (player) player->enqueue(songs);
                              }),
                          context.addToPlaylist(songs, artist.name)}};
    DropMenuSection handy{QStringLiteral("keep handy"),
                          {context.pinned(Pin::artist(artist.name)),
                           row(
                               QStringLiteral("in quickplay smart dj"),
                               [app, name = artist.name] {
                                   if (app) app->toggleSmartDJ(name);
                               },
                               context.app.hasSmartDJ(artist.name)),
                           context.onPlayer(PlayerPick::artist(artist.name))}};
    DropMenuSection picture{std::nullopt, pictureRows(context, pictures, artist.name)};
    return DropMenuPage({std::move(play), std::move(handy), std::move(picture)});
}

DropMenuPage hero(const MenuContext& context, ArtistImageStore& pictures, const Artist& artist) {
    std::vector<DropMenuSection> sections = context.artist(artist, {}, false).sections();
    sections.push_back({QStringLiteral("picture"), pictureRows(context, pictures, artist.name)});
    return DropMenuPage(std::move(sections));
}

} // namespace ArtistMenus

namespace {
ArtistImageStore* picturesOf(const QObject* source) {
    QQmlEngine* engine = qmlEngine(source);
    AppStores* stores = engine ? AppStores::create(engine, nullptr) : nullptr;
    return stores ? stores->pictures : nullptr;
}
} // namespace

DropMenuPage ArtistMoreMenu::page(const MenuContext& context) const {
    const std::optional<Artist> artist = context.library.artist(m_name);
    ArtistImageStore* pictures = picturesOf(this);
    if (!artist || !pictures) return DropMenuPage();
    return ArtistMenus::more(context, *pictures, *artist);
}

DropMenuPage ArtistHeroMenu::page(const MenuContext& context) const {
    const std::optional<Artist> artist = context.library.artist(m_name);
    ArtistImageStore* pictures = picturesOf(this);
    if (!artist || !pictures) return DropMenuPage();
    return ArtistMenus::hero(context, *pictures, *artist);
}
