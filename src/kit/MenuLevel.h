#pragma once

#include "DropMenuPage.h"

#include <QAbstractListModel>
#include <QRectF>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

// One open page of a menu: the top page or a sub-page, drawn in its own panel. As a list model it gives
// the view the page's drawn entries (dividers, headings, rows) in order; the layout of those entries is
// decided here, so that the controller finds the row under the pointer and the place of a sub-page
// without asking the view.
class MenuLevel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the menu controller")
    Q_PROPERTY(int lit READ litValue NOTIFY litChanged)
    Q_PROPERTY(int opened READ openedValue NOTIFY openedChanged)
    Q_PROPERTY(double height READ height NOTIFY heightChanged)
    Q_PROPERTY(QRectF frame READ frame NOTIFY frameChanged)
    Q_PROPERTY(double contentHeight READ contentHeight CONSTANT)
    Q_PROPERTY(double scrollHeight READ scrollHeight CONSTANT)
    Q_PROPERTY(double scrollY READ scrollY WRITE setScrollY NOTIFY scrollYChanged)
    Q_PROPERTY(double slideX READ slideX CONSTANT)
    Q_PROPERTY(double slideY READ slideY CONSTANT)
    Q_PROPERTY(int depth READ depth CONSTANT)
public:
    enum class Kind { Row, Divider, Heading };
    Q_ENUM(Kind)
    enum Role {
        KindRole = Qt::UserRole + 1,
        TitleRole,
        RowRole,
        ExtentRole,
        CheckedRole,
        DestructiveRole,
        HasPageRole,
        EnabledRole,
        TrailingRole
    };

    // The drawing's measures.
    static constexpr double padding = 6;
    static constexpr double rowHeight = 28;
    static constexpr double headingHeight = 20;
    static constexpr double dividerHeight = 11;
    static constexpr double maxScroll = 348;
    static constexpr int slideMs = 160;
    static constexpr int fadeOutMs = 80;

    MenuLevel(DropMenuPage page, int depth, QObject* parent = nullptr);

    // The height a level's panel starts with, before anything is drawn.
    static double estimate(const DropMenuPage& page);
    // The flat index of each section's first row.
    static std::vector<int> starts(const DropMenuPage& page);

    const DropMenuPage& page() const { return m_page; }
    int depth() const { return m_depth; }
    int rows() const { return int(m_page.items().size()); }
    const DropMenuItem& item(int row) const { return m_page.items().at(size_t(row)); }

    std::optional<int> lit() const { return m_lit; }
    void setLit(std::optional<int> row);
    std::optional<int> opened() const { return m_opened; }
    void setOpened(std::optional<int> row);
    int litValue() const { return m_lit.value_or(-1); }
    int openedValue() const { return m_opened.value_or(-1); }

    double height() const { return m_height; }
    // What the view measured; 12 or less means it has not laid out its rows yet and is not taken.
    Q_INVOKABLE void measured(double height);

    QRectF frame() const { return m_frame; }
    void setFrame(const QRectF& frame);

    // The stacked entries, and the part of them shown in the scroll area.
    double contentHeight() const { return m_contentHeight; }
    double scrollHeight() const { return std::min(m_contentHeight, maxScroll); }
    double scrollY() const { return m_scrollY; }
    void setScrollY(double y);

    // A row's frame in the panel (origin at its top left), scrolling included.
    QRectF rowFrame(int row) const;
    // The row under a point of the panel, among the rows shown in the scroll area.
    std::optional<int> row(const QPointF& point) const;
    // The entry that draws a row.
    int entryOf(int row) const { return m_rowEntry.at(size_t(row)); }

    double slideX() const { return m_slide.x(); }
    double slideY() const { return m_slide.y(); }
    void setSlide(QPointF slide) { m_slide = slide; }

    // The view's input, handed to the controller.
    Q_INVOKABLE void hover(QPointF point);
    Q_INVOKABLE void leave();
    Q_INVOKABLE void click(QPointF point);
    // A row chosen without the pointer (an accessibility action).
    Q_INVOKABLE void choose(int row);
    std::function<void(std::optional<QPointF>)> onPointer;
    std::function<void(int)> onChoose;

    int rowCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void litChanged();
    void openedChanged();
    void heightChanged();
    void frameChanged();
    void scrollYChanged();
    // A row lit by the keyboard: the view scrolls its entry into sight.
    void reveal(int entry);

private:
    struct Entry {
        Kind kind;
        double top;
        double extent;
        int row; // for rows, the flat index; else -1
        QString title;
    };

    DropMenuPage m_page;
    int m_depth;
    std::vector<Entry> m_entries;
    std::vector<int> m_rowEntry;
    double m_contentHeight = 0;
    std::optional<int> m_lit;
    std::optional<int> m_opened;
    double m_height;
    QRectF m_frame;
    double m_scrollY = 0;
    QPointF m_slide;
};
