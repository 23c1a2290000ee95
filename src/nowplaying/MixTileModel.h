#pragma once

#include "MixLayout.h"

#include <QAbstractListModel>
#include <QPointF>
#include <QStringList>
#include <functional>
#include <utility>

// What a Mixview tile says and offers: its two names, its accessible label and hint, its hover card and its
// actions. Pure functions of the item, so that a test reads them without a window.
namespace MixTileText {
// "1 album · 1 song", "3 albums · 41 songs": singular and plural chosen separately.
QString countLine(qsizetype albums, qsizetype songs);
// For an album: its artist, its title; for an artist: its name, its count line; for Smart DJ: the artist.
std::pair<QString, QString> names(const MixItem& item);
QString label(const MixItem& item);
// What the tile's default action does, for assistive technology.
QString hint(const MixItem& item, bool centre);
// The card's upper lines, each on a line of its own.
QStringList cardLines(const MixItem& item);

struct Action {
    QString symbol;
    QString label;
};
// The tile's actions in order: round buttons on the hovered centre and the rows of every tile's menu.
QList<Action> actions(const MixItem& item);

// The hover card lies outward and reaches this far into the tile, its top this far above the tile's.
constexpr double cardOverlap = 24;
constexpr double cardRise = 22;
constexpr double cardMaxWidth = 220;
// The card's top-left corner in the tile's coordinates.
QPointF cardAt(bool leftward, double tileWidth, double cardWidth);
// The Smart DJ tile's symbol follows the tile's height.
double symbolSize(double tileHeight);
} // namespace MixTileText

// When each tile moves: the opening staggers the tiles out of the centre in placement order, and the
// closing calls them back in the opposite order, the last placed first and the centre last.
namespace MixTiming {
constexpr double entryBase = 0.08;
constexpr double entryStep = 0.035;
constexpr double closeSpread = 0.15;
constexpr int closeAfterMs = 294;
constexpr int shownOffMs = 420;
constexpr int closeMs = 270;
constexpr int dropMs = 220;
constexpr int reducedMs = 200;
double entryDelay(int beat);
double closeDelay(int beat, int count);
} // namespace MixTiming

// The tiles of the map, keyed by item id. A tile on both the old and the new map stays the same row (and so
// the same delegate, which moves to its new place); a tile that drops off the map stays, flagged, until its
// delegate reports that its exit has ended.
class MixTileModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the Mixview controller")
public:
    enum Role {
        TileIdRole = Qt::UserRole + 1,
        KindRole,
        CentreRole,
        TileXRole,
        TileYRole,
        TileWidthRole,
        TileHeightRole,
        BeatRole,
        LeftwardRole,
        TileZRole,
        EntryDelayRole,
        CloseDelayRole,
        OffsetXRole,
        OffsetYRole,
        DroppingRole,
        CoverRole,
        PictureRole,
        FirstNameRole,
        SecondNameRole,
        LabelRole,
        HintRole,
        HoverHintRole,
        RelationRole,
        CardLinesRole,
        ShowArtistRole,
        ActionSymbolsRole,
        ActionLabelsRole,
        SeedlessRole,
    };

    explicit MixTileModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    struct Row {
        MixLayout::Placed placed;
        bool dropping = false;
    };

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Whether the user gave an artist a picture of its own.
    void setHasPicture(MixCluster::HasPicture hasPicture) { m_hasPicture = std::move(hasPicture); }
    // Puts the new map in place: rows of ids on it are updated in place, new ids are added, the others are
    // flagged as dropping.
    void update(const std::vector<MixLayout::Placed>& placed);
    // A dropping tile's exit ended: its row goes.
    void remove(const QString& id);
    void setHovered(const QString& id);

    const QList<Row>& rows() const { return m_rows; }
    int indexOf(const QString& id) const;
    // The tiles on the map (not those dropping off).
    int placedCount() const;
    const Row* centre() const;
    int zOf(const Row& row) const;

private:
    QList<Row> m_rows;
    QString m_hovered;
    MixCluster::HasPicture m_hasPicture;
};
