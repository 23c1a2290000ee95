#pragma once

#include <QList>
#include <QQuickItem>
#include <QRectF>
#include <QtQml/qqmlregistration.h>

// How many cells along each side a tile of a MosaicLayout covers (default 1).
class MosaicSpan : public QObject {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(int span READ span WRITE setSpan NOTIFY spanChanged)
public:
    using QObject::QObject;
    int span() const { return m_span; }
    void setSpan(int span);
signals:
    void spanChanged();

private:
    int m_span = 1;
};

// A square-grid layout of tiles of one, two or more cells, packed first-fit in a grid that grows
// downwards: each tile takes the topmost row, and in it the leftmost column, where its square fits, so
// small tiles fill the holes beside larger ones. Tiles give their size with `MosaicLayout.span`.
class MosaicLayout : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    QML_ATTACHED(MosaicSpan)
    Q_PROPERTY(int columns READ columns WRITE setColumns NOTIFY columnsChanged)
    Q_PROPERTY(double spacing READ spacing WRITE setSpacing NOTIFY spacingChanged)
    Q_PROPERTY(int rows READ rows NOTIFY packed)
    Q_PROPERTY(QVariantList spots READ spotList NOTIFY packed)
public:
    struct Spot {
        int row = 0;
        int col = 0;
        friend bool operator==(const Spot&, const Spot&) = default;
    };
    struct Packing {
        QList<Spot> spots; // one per span, in order: the cell of the square's top-left corner
        int rows = 0;      // the lowest bottom edge of any square; 0 with no spans
    };

    // Spans below 1 count as 1 and above `columns` as `columns`; fewer than one column counts as one.
    static Packing pack(const QList<int>& spans, int columns);
    static constexpr double defaultWidth = 1280;
    // The side of one cell for a width; never negative.
    static double cellSide(double width, int columns, double spacing);
    // The height of a packing: one spacing under every row, the last included.
    static double heightFor(int rows, double cell, double spacing);
    // Where the tile at `spot` with `span` goes, relative to the layout's top-left corner.
    static QRectF tileRect(Spot spot, int span, int columns, double cell, double spacing);

    explicit MosaicLayout(QQuickItem* parent = nullptr);
    static MosaicSpan* qmlAttachedProperties(QObject* object);

    int columns() const { return m_columns; }
    void setColumns(int columns);
    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);
    int rows() const { return m_packing.rows; }
    QVariantList spotList() const;

signals:
    void columnsChanged();
    void spacingChanged();
    void packed();

protected:
    void updatePolish() override;
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;

private:
    QList<QQuickItem*> tiles() const;

    int m_columns = 1;
    double m_spacing = 0;
    Packing m_packing;
};
