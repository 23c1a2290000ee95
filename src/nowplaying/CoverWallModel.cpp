#include "CoverWallModel.h"

#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"

namespace {
const QList<Album>& noAlbums() {
    static const QList<Album> none;
    return none;
}
} // namespace

CoverWallModel::CoverWallModel(QObject* parent) : QAbstractListModel(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        step();
        scheduleNext();
    });
    rebuildDealer();
}

CoverWallModel::~CoverWallModel() = default;

void CoverWallModel::componentComplete() {
    m_building = false;
    rebuildDealer();
    if (m_running) scheduleNext();
}

int CoverWallModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : WallTables::tiles;
}

QVariant CoverWallModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= WallTables::tiles) return {};
    const int n = index.row();
    const WallTables& t = WallTables::shared();
    switch (role) {
    case SpanRole:
        return t.spans[size_t(n)];
    case AxisXRole:
        return n % 3 == 0;
    case IntroDelayRole:
        return t.introDelays[size_t(n)];
    default:
        break;
    }
    const QList<WallItem>& wall = m_dealer->onWall();
    if (n >= wall.size())
        return role == ItemIdRole || role == PictureOfRole ? QVariant(QString()) : QVariant();
    const WallItem& item = wall[n];
    switch (role) {
    case ItemIdRole:
        return item.id;
    case UrlRole:
        return item.url ? item.url->toUrl() : QUrl();
    case PictureOfRole:
        return item.pictureOf;
    default:
        return {};
    }
}

QHash<int, QByteArray> CoverWallModel::roleNames() const {
    return {{ItemIdRole, "itemId"}, {UrlRole, "url"},     {PictureOfRole, "pictureOf"},
            {SpanRole, "span"},     {AxisXRole, "axisX"}, {IntroDelayRole, "introDelay"}};
}

void CoverWallModel::setSources(WallDealer::Sources sources) {
    const std::optional<QString> artist = m_dealer ? m_dealer->albumArtist() : std::nullopt;
    beginResetModel();
    m_dealer = std::make_unique<WallDealer>(std::move(sources), m_random);
    m_dealer->setAlbumArtist(artist);
    endResetModel();
}

void CoverWallModel::rebuildDealer() {
    if (m_building) return;
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    QPointer<LibraryStore> library = m_library;
    QPointer<ArtistImageStore> pictures = m_pictures;
    setSources({
        [library]() -> const QList<Album>& { return library ? library->albums() : noAlbums(); },
        [library](const QString& name) { return library ? library->artist(name) : std::nullopt; },
        [pictures](const QString& name) { return pictures ? pictures->image(name) : QImage(); },
    });
    // The pools are made again only when what they are made of changes.
    if (m_library)
        m_connections << connect(m_library, &LibraryStore::albumsChanged, this,
                                 [this] { m_dealer->forgetPools(); });
    if (m_pictures)
        m_connections << connect(m_pictures, &ArtistImageStore::artistsChanged, this,
                                 &CoverWallModel::picturesMoved);
    fillIfEmpty();
}

void CoverWallModel::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    m_library = library;
    rebuildDealer();
    emit libraryChanged();
}

void CoverWallModel::setPictures(ArtistImageStore* pictures) {
    if (m_pictures == pictures) return;
    m_pictures = pictures;
    rebuildDealer();
    emit picturesChanged();
}

QVariant CoverWallModel::albumArtistValue() const {
    const std::optional<QString>& name = m_dealer->albumArtist();
    return name ? QVariant(*name) : QVariant();
}

void CoverWallModel::setAlbumArtistValue(const QVariant& value) {
    setAlbumArtist(value.isValid() && !value.isNull() ? std::optional(value.toString()) : std::nullopt);
}

void CoverWallModel::setAlbumArtist(const std::optional<QString>& name) {
    if (name == m_dealer->albumArtist()) return;
    m_dealer->setAlbumArtist(name);
    // The artist the wall is made with is no change: the first deal leans toward it, without a ripple.
    if (m_building) {
        emit albumArtistChanged();
        return;
    }
    // Another artist: its deck starts again and the wall ripples toward it, after the opening pause.
    m_dealer->clearArtistDeck();
    m_schedule.restart();
    if (m_running) {
        m_timer.stop();
        scheduleNext();
    }
    emit albumArtistChanged();
}

void CoverWallModel::picturesMoved() {
    m_dealer->forgetPools();
    m_dealer->clearArtistDeck();
    m_schedule.raiseRipple(8);
}

void CoverWallModel::setRunning(bool running) {
    if (m_running == running) return;
    m_running = running;
    if (m_building) {
        emit runningChanged();
        return;
    }
    if (running) {
        fillIfEmpty();
        scheduleNext();
    } else {
        m_timer.stop();
    }
    emit runningChanged();
}

void CoverWallModel::fillIfEmpty() {
    if (!m_dealer->onWall().isEmpty()) return;
    if (m_dealer->fill()) emit dataChanged(index(0), index(WallTables::tiles - 1));
}

void CoverWallModel::scheduleNext() {
    if (!m_running) return;
    m_timer.start(int(std::lround(m_schedule.nextWait() * 1000)));
}

int CoverWallModel::step() {
    int flipped = 0;
    for (int i = m_schedule.step(); i > 0; --i) {
        const bool wasFull = m_dealer->onWall().size() == WallTables::tiles;
        const std::optional<int> tile = m_dealer->flipOne();
        if (tile) {
            ++flipped;
            emit dataChanged(index(*tile), index(*tile));
        } else if (!wasFull && m_dealer->onWall().size() == WallTables::tiles) {
            // An empty library filled at last.
            emit dataChanged(index(0), index(WallTables::tiles - 1));
        }
    }
    return flipped;
}
