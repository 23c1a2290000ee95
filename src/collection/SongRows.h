#pragma once

#include "kit/DropMenuPage.h"
#include "library/Song.h"

#include <QJSValue>
#include <QObject>
#include <QPointF>
#include <QQuickItem>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>
#include <algorithm>
#include <functional>
#include <optional>

class SongListModel;

// What a song row shows and offers, decided here so that the rules are checked without a window: the
// leading mark, the trailing block's width, what a screen reader reads, the hover actions and the
// right-click menu, built only when it opens.
class SongRows : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit SongRows(QObject* parent = nullptr) : QObject(parent) {}

    // The leading cell: a symbol, or a number as text, or neither.
    struct Mark {
        QString symbol;
        QString text;
        friend bool operator==(const Mark&, const Mark&) = default;
    };
    static Mark mark(qint64 number, bool highlighted, bool current, bool playing);
    // { symbol, text } for the view.
    Q_INVOKABLE static QVariantMap markOf(qint64 number, bool highlighted, bool current, bool playing);

    // The hover actions and duration: 92 points, and 24 more for each action the list adds.
    Q_INVOKABLE static int trailingWidth(int extras) { return 92 + 24 * std::max(0, extras); }
    Q_INVOKABLE static QString accessibleName(const QString& title, const QString& artist,
                                              const QString& album, bool columns);
    Q_INVOKABLE static QString accessibleValue(bool current, double duration);

    // The row's own hover actions after the list's: { symbol, label } each.
    struct Action {
        QString symbol;
        QString label;
        std::function<void()> run;
    };
    static QList<Action> ownActions(bool liked, std::function<void()> enqueue, std::function<void()> like);
    Q_INVOKABLE static QVariantList actionsOf(bool liked);
    // Runs the row's own hover action `index` (0: add to Now Playing, 1: like or unlike).
    Q_INVOKABLE static void runAction(SongListModel* model, int row, int index);

    // The drag format of picks, and the picks of a drop's data under it (none when it is no pick).
    Q_PROPERTY(QString pickFormat READ pickFormatText CONSTANT)
    QString pickFormatText() const { return pickFormat(); }
    static QString pickFormat();
    Q_INVOKABLE static QVariantList picksOf(const QString& data);
    // The drag data of a song's pick.
    Q_INVOKABLE static QString pickOf(const QVariant& song);

    // The menu of one row. Hooks left empty drop their rows: the list's own actions, the "add to playlist"
    // sub-page and the pocket player's row come from their owners.
    struct MenuParts {
        bool columns = false;
        bool liked = false;
        std::function<void()> play, playNext, enqueue, like, showAlbum, rename, useFileTitle;
        QList<Action> listActions;
        QList<Action> menuActions;
        std::function<DropMenuPage()> addToPlaylist;
        std::optional<DropMenuItem> onPlayer;
    };
    static DropMenuPage menu(const Song& song, const MenuParts& parts);
    // Opens the menu of `row` at `point` of `item`; `rename` is called when "rename…" is chosen.
    Q_INVOKABLE static void openMenu(QQuickItem* item, SongListModel* model, int row, bool columns,
                                     QPointF point, const QJSValue& rename);
    // The same with the list's own actions for the row, { symbol, label, run } each: `extra` (the hover
    // actions the list adds, before the row's own) and `menu` (the list's menu-only actions, after them).
    Q_INVOKABLE static void openMenuWith(QQuickItem* item, SongListModel* model, int row, bool columns,
                                         QPointF point, const QJSValue& rename, const QJSValue& extra,
                                         const QJSValue& menu);
    // The list's actions as rows' actions: each { label, run } becomes one whose `run` calls the JS function.
    static QList<Action> actionsFrom(const QJSValue& list);
};
