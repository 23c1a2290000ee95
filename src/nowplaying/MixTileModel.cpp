#include "MixTileModel.h"

#include <algorithm>

namespace MixTileText {

QString countLine(qsizetype albums, qsizetype songs) {
    const QString a = albums == 1 ? QStringLiteral("1 album") : QStringLiteral("%1 albums").arg(albums);
    const QString s = songs == 1 ? QStringLiteral("1 song") : QStringLiteral("%1 songs").arg(songs);
    return a + QStringLiteral(" \u00b7 ") + s;
}

std::pair<QString, QString> names(const MixItem& item) {
    switch (item.kind) {
    case MixItem::Kind::album:
        return {item.album.artist, item.album.title};
    case MixItem::Kind::artist: {
        qsizetype songs = 0;
        for (const Album& album : item.artist.albums)
            songs += album.songs.size();
        return {item.artist.name, countLine(item.artist.albums.size(), songs)};
    }
    case MixItem::Kind::smartDJ:
        return {item.artist.name, QString()};
    }
    return {};
}

QString label(const MixItem& item) {
    switch (item.kind) {
    case MixItem::Kind::album:
        return item.album.title + QStringLiteral(" by ") + item.album.artist + QStringLiteral(", ") +
               item.relation;
    case MixItem::Kind::artist:
        return item.artist.name + QStringLiteral(", ") + item.relation;
    case MixItem::Kind::smartDJ:
        return QStringLiteral("Smart DJ mix from ") + item.artist.name;
    }
    return {};
}

QString hint(const MixItem& item, bool centre) {
    if (!centre && item.seed()) return QStringLiteral("Moves it to the middle");
    return QStringLiteral("Plays it");
}

QStringList cardLines(const MixItem& item) {
    switch (item.kind) {
    case MixItem::Kind::album:
        return {item.album.artist, item.album.title};
    case MixItem::Kind::artist:
        return {item.artist.name};
    case MixItem::Kind::smartDJ:
        return {QStringLiteral("Smart DJ")};
    }
    return {};
}

QList<Action> actions(const MixItem& item) {
    const QString show = QStringLiteral("Show in Collection");
    switch (item.kind) {
    case MixItem::Kind::album:
        return {{QStringLiteral("play.fill"), QStringLiteral("Play")},
                {QStringLiteral("plus"), QStringLiteral("Add to Now Playing")},
                {QStringLiteral("arrow.up.right"), show}};
    case MixItem::Kind::artist:
        return {{QStringLiteral("play.fill"), QStringLiteral("Play All")},
                {QStringLiteral("dot.radiowaves.left.and.right"), QStringLiteral("Smart DJ")},
                {QStringLiteral("arrow.up.right"), show}};
    case MixItem::Kind::smartDJ:
        return {{QStringLiteral("play.fill"), QStringLiteral("Smart DJ")}};
    }
    return {};
}

QPointF cardAt(bool leftward, double tileWidth, double cardWidth) {
    const double x = leftward ? cardOverlap - cardWidth : tileWidth - cardOverlap;
    return {x, -cardRise};
}

double symbolSize(double tileHeight) {
    return 0.42 * tileHeight;
}

} // namespace MixTileText

namespace MixTiming {
double entryDelay(int beat) {
    return entryBase + entryStep * beat;
}
double closeDelay(int beat, int count) {
    return closeSpread / std::max(count - 1, 1) * (count - 1 - beat);
}
} // namespace MixTiming

int MixTileModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int MixTileModel::placedCount() const {
    return int(std::count_if(m_rows.cbegin(), m_rows.cend(), [](const Row& r) { return !r.dropping; }));
}

const MixTileModel::Row* MixTileModel::centre() const {
    for (const Row& row : m_rows)
        if (row.placed.centre && !row.dropping) return &row;
    return nullptr;
}

int MixTileModel::indexOf(const QString& id) const {
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].placed.id() == id) return i;
    return -1;
}

int MixTileModel::zOf(const Row& row) const {
    if (!m_hovered.isEmpty() && row.placed.id() == m_hovered) return 10;
    if (row.placed.centre) return 5;
    if (!row.placed.item.seed()) return 2;
    return 1;
}

QVariant MixTileModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size()) return {};
    const Row& row = m_rows[index.row()];
    const MixLayout::Placed& p = row.placed;
    const MixItem& item = p.item;
    switch (role) {
    case TileIdRole:
        return p.id();
    case KindRole:
        return item.kind == MixItem::Kind::album    ? QStringLiteral("album")
               : item.kind == MixItem::Kind::artist ? QStringLiteral("artist")
                                                    : QStringLiteral("smartDJ");
    case CentreRole:
        return p.centre;
    case TileXRole:
        return p.at.x() - p.size.width() / 2;
    case TileYRole:
        return p.at.y() - p.size.height() / 2;
    case TileWidthRole:
        return p.size.width();
    case TileHeightRole:
        return p.size.height();
    case BeatRole:
        return p.beat;
    case LeftwardRole:
        return p.leftward;
    case TileZRole:
        return zOf(row);
    case EntryDelayRole:
        return MixTiming::entryDelay(p.beat);
    case CloseDelayRole:
        return MixTiming::closeDelay(p.beat, placedCount());
    case OffsetXRole:
    case OffsetYRole: {
        // From the tile to the centre's middle: where the tile starts its entry and ends its closing.
        const Row* c = centre();
        const QPointF to = c ? c->placed.at : p.at;
        return role == OffsetXRole ? to.x() - p.at.x() : to.y() - p.at.y();
    }
    case DroppingRole:
        return row.dropping;
    case CoverRole:
        return item.kind != MixItem::Kind::smartDJ && item.cover ? item.cover->toString() : QString();
    case PictureRole:
        return item.kind == MixItem::Kind::artist && m_hasPicture && m_hasPicture(item.artist.name)
                   ? item.artist.name
                   : QString();
    case FirstNameRole:
        return MixTileText::names(item).first;
    case SecondNameRole:
        return MixTileText::names(item).second;
    case LabelRole:
        return MixTileText::label(item);
    case HintRole:
        return MixTileText::hint(item, p.centre);
    case HoverHintRole:
        return p.centre ? QStringLiteral("Play") : QString();
    case RelationRole:
        return item.relation;
    case CardLinesRole:
        return MixTileText::cardLines(item);
    case ShowArtistRole:
        return p.centre && item.kind == MixItem::Kind::album;
    case ActionSymbolsRole:
    case ActionLabelsRole: {
        QStringList out;
        for (const MixTileText::Action& a : MixTileText::actions(item))
            out.append(role == ActionSymbolsRole ? a.symbol : a.label);
        return out;
    }
    case SeedlessRole:
        return !item.seed().has_value();
    }
    return {};
}

QHash<int, QByteArray> MixTileModel::roleNames() const {
    return {{TileIdRole, "tileId"},
            {KindRole, "kind"},
            {CentreRole, "centre"},
            {TileXRole, "tileX"},
            {TileYRole, "tileY"},
            {TileWidthRole, "tileWidth"},
            {TileHeightRole, "tileHeight"},
            {BeatRole, "beat"},
            {LeftwardRole, "leftward"},
            {TileZRole, "tileZ"},
            {EntryDelayRole, "entryDelay"},
            {CloseDelayRole, "closeDelay"},
            {OffsetXRole, "offsetX"},
            {OffsetYRole, "offsetY"},
            {DroppingRole, "dropping"},
            {CoverRole, "cover"},
            {PictureRole, "picture"},
            {FirstNameRole, "firstName"},
            {SecondNameRole, "secondName"},
            {LabelRole, "label"},
            {HintRole, "hint"},
            {HoverHintRole, "hoverHint"},
            {RelationRole, "relation"},
            {CardLinesRole, "cardLines"},
            {ShowArtistRole, "showArtist"},
            {ActionSymbolsRole, "actionSymbols"},
            {ActionLabelsRole, "actionLabels"},
            {SeedlessRole, "seedless"}};
}

void MixTileModel::update(const std::vector<MixLayout::Placed>& placed) {
    QSet<QString> ids;
    for (const MixLayout::Placed& p : placed) {
        ids.insert(p.id());
        const int at = indexOf(p.id());
        if (at < 0) {
            beginInsertRows({}, int(m_rows.size()), int(m_rows.size()));
            m_rows.append({p, false});
            endInsertRows();
        } else {
            m_rows[at] = {p, false};
        }
    }
    for (Row& row : m_rows)
        if (!ids.contains(row.placed.id())) row.dropping = true;
    // The centre and the count move every tile's offsets and closing delays: all rows are told.
    if (!m_rows.isEmpty()) emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

void MixTileModel::remove(const QString& id) {
    const int at = indexOf(id);
    if (at < 0 || !m_rows[at].dropping) return;
    beginRemoveRows({}, at, at);
    m_rows.removeAt(at);
    endRemoveRows();
}

void MixTileModel::setHovered(const QString& id) {
    if (m_hovered == id) return;
    m_hovered = id;
    if (!m_rows.isEmpty()) emit dataChanged(index(0), index(int(m_rows.size()) - 1), {TileZRole});
}
