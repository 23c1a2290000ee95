#pragma once

#include "QuickplayMetrics.h"
#include "QuickplayModel.h"
#include "core/Defaults.h"
#include "kit/DropMenuPage.h"

#include <QEasingCurve>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>

class QQuickItem;
struct QuickItem;

// Where the start page puts its halves in an area of w × h: one scale for every size, the front half near
// the top and the back half (drawn at half size) below it.
struct QuickplayLayout {
    double scale = 1;
    double top = 0;     // the front half's top
    double backTop = 0; // the back half's top, before it shrinks about its top centre
    double titleSize = 0;
    double titleY = 0;
    double titleBox = 0; // the width of the box the faint title sits at the trailing end of

    static double scaleFor(double w, double h);
    static QuickplayLayout of(double w, double h, QuickplayView::Half front);
};

// One tile or outline of a column, in the column's own coordinates.
struct ColumnSlot {
    QRectF rect;
    int chunk = 0;
    int place = 0; // 0: first of its chunk, 1: second
};

// The pins, new and history columns: their titles, cuts, hints and how their tiles are laid out.
namespace QuickColumns {
QList<ColumnCut> cuts(int column);
QList<ColumnCut> outlineCuts(int column);
QString title(int column);
QString hint(int column);
int wave(int column);
// The tiles of `count` items cut by the column's repeating cuts: chunk k takes the cut at k mod the cuts,
// the last chunk holds what is left.
QList<ColumnSlot> mosaic(int count, const QList<ColumnCut>& cuts, const QuickplayMetrics& m);
// One outline per place of each cut.
QList<ColumnSlot> outlines(const QList<ColumnCut>& cuts, const QuickplayMetrics& m);
// How far a strip scrolled to `contentX` in a view `viewWidth` wide must scroll so that the span
// [left, right] of its content shows, moving no further than needed.
double scrollToShow(double contentX, double viewWidth, double contentWidth, double left, double right);
} // namespace QuickColumns

// The Quickplay page's state and rules: which half is in front (kept in the settings), the keyboard cursor
// over tile identities, the halves' arrival tokens, the layout, and what the page's keys and tiles do. The
// QML only draws what this decides.
class QuickplayPage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QuickplayModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(Defaults* defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY layoutChanged)
    Q_PROPERTY(double height READ height WRITE setHeight NOTIFY layoutChanged)
    Q_PROPERTY(bool reduceMotion MEMBER m_reduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(QuickplayView::Half front READ front NOTIFY frontChanged)
    // The library has no songs: the page is the empty-library view and takes no keys.
    Q_PROPERTY(bool empty READ empty NOTIFY emptyChanged)
    Q_PROPERTY(QString cursor READ cursor WRITE setCursor NOTIFY cursorChanged)
    Q_PROPERTY(int collectionArrival READ collectionArrival NOTIFY arrivalsChanged)
    Q_PROPERTY(int smartDJArrival READ smartDJArrival NOTIFY arrivalsChanged)
    Q_PROPERTY(bool addingSmartDJ READ addingSmartDJ WRITE setAddingSmartDJ NOTIFY addingSmartDJChanged)

    Q_PROPERTY(double scale READ scale NOTIFY layoutChanged)
    Q_PROPERTY(QuickplayMetrics metrics READ metrics NOTIFY layoutChanged)
    Q_PROPERTY(double top READ top NOTIFY layoutChanged)
    Q_PROPERTY(double backTop READ backTop NOTIFY layoutChanged)
    Q_PROPERTY(double titleSize READ titleSize NOTIFY layoutChanged)
    Q_PROPERTY(double titleY READ titleY NOTIFY layoutChanged)
    Q_PROPERTY(double titleBox READ titleBox NOTIFY layoutChanged)
    Q_PROPERTY(int swapMs READ swapMs NOTIFY reduceMotionChanged)
    Q_PROPERTY(QEasingCurve swap READ swap NOTIFY reduceMotionChanged)

public:
    static constexpr double travelResponse = 0.42;
    static constexpr double travelDamping = 0.82;
    static constexpr int reducedSwapMs = 200;

    explicit QuickplayPage(QObject* parent = nullptr);

    QuickplayModel* model() const { return m_model; }
    void setModel(QuickplayModel* model);
    Defaults* defaults() const { return m_defaults; }
    void setDefaults(Defaults* defaults);
    double width() const { return m_width; }
    double height() const { return m_height; }
    bool addingSmartDJ() const { return m_adding; }
    void setWidth(double w);
    void setHeight(double h);

    QuickplayView::Half front() const { return m_front; }
    bool empty() const { return m_empty; }
    const QString& cursor() const { return m_cursor; }
    void setCursor(const QString& id);
    int collectionArrival() const { return m_arrivals[0]; }
    int smartDJArrival() const { return m_arrivals[1]; }
    void setAddingSmartDJ(bool on);

    QuickplayLayout layout() const { return QuickplayLayout::of(m_width, m_height, m_front); }
    double scale() const { return layout().scale; }
    QuickplayMetrics metrics() const { return QuickplayMetrics{scale()}; }
    double top() const { return layout().top; }
    double backTop() const { return layout().backTop; }
    double titleSize() const { return layout().titleSize; }
    double titleY() const { return layout().titleY; }
    double titleBox() const { return layout().titleBox; }
    int swapMs() const;
    QEasingCurve swap() const;

    // The identities of the front half's tiles, in keyboard order.
    Q_INVOKABLE QStringList tiles() const;
    Q_INVOKABLE void step(int delta);
    Q_INVOKABLE void bringForward(QuickplayView::Half half);
    // The same for QML, which holds halves as numbers.
    Q_INVOKABLE void bringForwardHalf(int half) { bringForward(QuickplayView::Half(half)); }
    Q_INVOKABLE static double halfHeight(int half, double scale) {
        return QuickplayMetrics{scale}.height(QuickplayView::Half(half));
    }
    // A key press on the page (Qt key and modifiers): whether the page took it.
    Q_INVOKABLE bool key(int key, int modifiers);
    // What Return does on a tile: whether the identity named one.
    Q_INVOKABLE bool open(const QString& id);

    // The actions of the tiles, by identity.
    Q_INVOKABLE void play(const QString& id, bool shuffled = false);
    Q_INVOKABLE void enqueue(const QString& id);
    Q_INVOKABLE void showArtist(const QString& name);
    Q_INVOKABLE void startSmartDJ(const QString& name);
    Q_INVOKABLE QString pinOf(const QString& id) const;
    Q_INVOKABLE bool pinned(const QString& id) const;
    Q_INVOKABLE void togglePin(const QString& id);
    Q_INVOKABLE void toggleSmartDJ(const QString& name);
    // Adds a Smart DJ artist. A full list first drops its oldest name the library lacks, else its oldest,
    // so that adding never hides a shown artist while a name that shows nothing stays.
    void addSmartDJ(const QString& name);
    static QStringList smartDJAdded(const QStringList& stored, const QString& name,
                                    const std::function<bool(const QString&)>& resolves);
    // The library's artists that may become Smart DJ artists, names as stored, in library order.
    Q_INVOKABLE QStringList addChoices() const;
    DropMenuPage addMenu() const;
    // Opens the add menu under `anchor`.
    Q_INVOKABLE void openAddMenu(QQuickItem* anchor);
    // The one-time filling of the Smart DJ list, when the library has songs.
    Q_INVOKABLE bool seedSmartDJ();

    // The columns of the pins, new and history half at the page's scale, for the QML: each slot as
    // {x, y, width, height, chunk}.
    Q_INVOKABLE static QVariantList columnSlots(int column, int count, double scale);
    Q_INVOKABLE static QVariantList outlineSlots(int column, double scale);
    Q_INVOKABLE static QString columnTitle(int column) { return QuickColumns::title(column); }
    Q_INVOKABLE static QString columnHint(int column) { return QuickColumns::hint(column); }
    Q_INVOKABLE static int columnWave(int column) { return QuickColumns::wave(column); }
    Q_INVOKABLE static double scrollToShow(double contentX, double viewWidth, double contentWidth,
                                           double left, double right) {
        return QuickColumns::scrollToShow(contentX, viewWidth, contentWidth, left, right);
    }

signals:
    void modelChanged();
    void defaultsChanged();
    void layoutChanged();
    void reduceMotionChanged();
    void frontChanged();
    void cursorChanged();
    void arrivalsChanged();
    void addingSmartDJChanged();
    void emptyChanged();

private:
    const QuickItem* item(const QString& id) const;
    QStringList tilesOf(QuickplayView::Half half) const;

    QPointer<QuickplayModel> m_model;
    QPointer<Defaults> m_defaults;
    double m_width = 0, m_height = 0;
    bool m_reduceMotion = false;
    QuickplayView::Half m_front = QuickplayView::Half::collection;
    QString m_cursor;
    int m_arrivals[2] = {0, 0};
    bool m_adding = false;
    bool m_empty = true;
    QMetaObject::Connection m_rebuilt;
};
