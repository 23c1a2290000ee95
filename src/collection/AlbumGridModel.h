#pragma once

#include "ListKeys.h"
#include "Sorts.h"

#include <QAbstractListModel>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <optional>
#include <vector>

#include "playback/Player.h"
#include "shell/AppModel.h"

// An album grid as the rows a list view draws: a heading row for each titled group and rows of up to
// `columns` albums, never two groups in one row. The same rows are what the arrow keys walk, so the grid
// and its keys cannot disagree. New groups (a library change, a title edit) become row inserts, removals
// and changes of the rows concerned; only a new column count or a new order re-lays the whole grid.
//
// The selection belongs to the grid's owner: the grid reads it (`selection`) and asks for a new one with
// `selectionPicked`.
class AlbumGridModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int columns READ columns WRITE setColumns NOTIFY columnsChanged)
    Q_PROPERTY(QString selection READ selection WRITE setSelection NOTIFY selectionChanged)
    // The row holding the selected album; -1 when it is not in the grid.
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)
    Q_PROPERTY(int albumCount READ albumCount NOTIFY groupsChanged)
    // What the cells' second line shows: the album's artist or its year.
    Q_PROPERTY(SecondLine second READ second WRITE setSecond NOTIFY secondChanged)
    // One untitled group, for an owner that does not sort (an artist's albums).
    Q_PROPERTY(QList<Album> albums WRITE setAlbums NOTIFY groupsChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY storesChanged)
    Q_PROPERTY(AppModel* app READ app WRITE setApp NOTIFY storesChanged)
    // Whether the owner takes the keyboard at the grid's left and right edges.
    Q_PROPERTY(bool hasLeft READ hasLeft WRITE setHasLeft NOTIFY handoversChanged)
    Q_PROPERTY(bool hasRight READ hasRight WRITE setHasRight NOTIFY handoversChanged)

public:
    enum class SecondLine { artist, year };
    Q_ENUM(SecondLine)
    enum Role { HeadingRole = Qt::UserRole + 1, TitleRole, TopSpaceRole, CellsRole, FirstIndexRole };

    struct Row {
        bool heading = false;
        int group = 0;
        int first = 0; // the first album of the group in this row
        int count = 0; // albums in this row (0 for a heading)
        friend bool operator==(const Row&, const Row&) = default;
    };

    enum class Arrow { left, right, up, down };
    enum class Handover { none, left, right };
    struct Move {
        std::optional<QString> selection;
        Handover handover = Handover::none;
        friend bool operator==(const Move&, const Move&) = default;
    };
    enum class Action { none, choose, left, right };
    struct KeyResult {
        bool handled = false;
        std::optional<QString> selection; // the new selection; the old one when unchanged
        Action action = Action::none;
        friend bool operator==(const KeyResult&, const KeyResult&) = default;
    };

    // The hover actions of a cell, in order.
    struct CellAction {
        QString symbol;
        QString label;
    };

    explicit AlbumGridModel(QObject* parent = nullptr);

    // max(1, ⌊(w − 12 + spacing) / (minWidth + spacing)⌋).
    Q_INVOKABLE static int columnsFor(double width, double minWidth, double spacing);
    static std::vector<Row> rowsOf(const QList<AlbumGroup>& groups, int columns);
    // One arrow on the rows of `groups` cut at `columns`.
    static Move move(const QList<AlbumGroup>& groups, int columns, const std::optional<QString>& selection,
                     Arrow arrow);
    // The next album after the selection (wrapping round, the selection itself last) whose lower-cased
    // title begins with `prefix`; the selection when none does.
    static std::optional<QString> jump(const QList<AlbumGroup>& groups,
                                       const std::optional<QString>& selection, const QString& prefix);
    // The grid's keys: arrows without Ctrl/Alt/Meta (handled even at an edge), Return with any modifiers
    // while the selected album is in the grid, a letter or digit without Ctrl/Alt/Meta (handled even when
    // nothing matches). Every other key passes on.
    static KeyResult press(const ListKeys::Press& press, const QList<AlbumGroup>& groups, int columns,
                           const std::optional<QString>& selection);

    static QList<CellAction> cellActions(bool pinned);
    // { symbol, label } of each hover action.
    Q_INVOKABLE static QVariantList cellActionsOf(bool pinned);
    // The second line's text for an album: its artist, or its year (none without one).
    static std::optional<QString> secondOf(const Album& album, SecondLine line);
    // A second line is a link to the artist only when it is the album's artist, letter for letter.
    static bool secondIsLink(const std::optional<QString>& second, const Album& album);
    // Unselected cells of a quiet grid are dimmed until the pointer is on them.
    Q_INVOKABLE static double cellOpacity(bool quiet, bool selected, bool hovered);

    // Each album identity's first place: (group, place in the group).
    using Index = QHash<QString, std::pair<int, int>>;
    // The index of `groups`; a pure function, so a worker can make it beside the groups.
    static Index indexOf(const QList<AlbumGroup>& groups);

    const QList<AlbumGroup>& groups() const { return m_groups; }
    // New groups. With the same column count and `relayout` false, only the rows that differ are told.
    void setGroups(QList<AlbumGroup> groups, bool relayout = false);
    // New groups with their index made beforehand (`indexOf`): the whole grid is laid out again.
    void setGroups(QList<AlbumGroup> groups, Index index);
    void setAlbums(const QList<Album>& albums);
    int columns() const { return m_columns; }
    void setColumns(int columns);
    QString selection() const { return m_selection; }
    void setSelection(const QString& selection);
    int selectedRow() const { return rowOf(m_selection); }
    int albumCount() const { return m_albumCount; }
    SecondLine second() const { return m_second; }
    void setSecond(SecondLine second);
    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    AppModel* app() const { return m_app; }
    void setApp(AppModel* app);
    bool hasLeft() const { return m_hasLeft; }
    void setHasLeft(bool on) {
        if (m_hasLeft == on) return;
        m_hasLeft = on;
        emit handoversChanged();
    }
    bool hasRight() const { return m_hasRight; }
    void setHasRight(bool on) {
        if (m_hasRight == on) return;
        m_hasRight = on;
        emit handoversChanged();
    }
    std::optional<Album> album(const QString& id) const;
    const std::vector<Row>& rows() const { return m_rows; }

    // The row of an album; -1 when it is not in the grid.
    Q_INVOKABLE int rowOf(const QString& id) const;
    Q_INVOKABLE QString firstAlbum() const;
    // A key for the grid; true when it was taken. Asks for the new selection, hands over and plays.
    Q_INVOKABLE bool key(int key, int modifiers, const QString& text, bool autoRepeat);
    // The grid took the keyboard: without a selection, the first album is chosen.
    Q_INVOKABLE void focusTaken();
    Q_INVOKABLE void play(const QString& id);
    Q_INVOKABLE void enqueue(const QString& id);
    Q_INVOKABLE void togglePin(const QString& id);
    Q_INVOKABLE bool pinned(const QString& id) const;
    // Runs a cell's hover action `index` (0 play, 1 add to Now Playing, 2 pin or unpin).
    Q_INVOKABLE void runCellAction(const QString& id, int index);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void columnsChanged();
    void selectionChanged();
    void selectedRowChanged();
    void groupsChanged();
    void secondChanged();
    void storesChanged();
    void handoversChanged();
    // The grid asks its owner to select this album.
    void selectionPicked(const QString& id);
    void leftPressed();
    void rightPressed();

private:
    QVariantList cellsOf(const Row& row) const;
    bool sameRow(const Row& a, const QList<AlbumGroup>& groupsA, const Row& b,
                 const QList<AlbumGroup>& groupsB) const;
    void reindex();
    void reindex(Index where);
    void indexRows();

    QList<AlbumGroup> m_groups;
    std::vector<Row> m_rows;
    Index m_where;               // id → (group, place), the first album with the id
    std::vector<int> m_groupRow; // each group's first row of albums; -1 for a group without albums
    int m_albumCount = 0;
    int m_columns = 1;
    QString m_selection;
    SecondLine m_second = SecondLine::artist;
    QPointer<Player> m_player;
    QPointer<AppModel> m_app;
    bool m_hasLeft = false;
    bool m_hasRight = false;
};

// The grid's rules that need no grid, for the views.
class AlbumGridRules : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit AlbumGridRules(QObject* parent = nullptr) : QObject(parent) {}
    Q_INVOKABLE static int columnsFor(double width, double minWidth, double spacing) {
        return AlbumGridModel::columnsFor(width, minWidth, spacing);
    }
    Q_INVOKABLE static QVariantList cellActionsOf(bool pinned) {
        return AlbumGridModel::cellActionsOf(pinned);
    }
    Q_INVOKABLE static double cellOpacity(bool quiet, bool selected, bool hovered) {
        return AlbumGridModel::cellOpacity(quiet, selected, hovered);
    }
};
