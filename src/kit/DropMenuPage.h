#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QString>
#include <QUuid>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>
#include <vector>

struct DropMenuPage;

// One row of a menu. `opens` makes the row lead to a sub-page, built each time it opens so that it shows
// the state of that moment; `run` is the row's action, run only for rows without a sub-page and only after
// the menu has closed, so it may open another menu.
struct DropMenuItem {
    QUuid id = QUuid::createUuid();
    QString title;
    bool checked = false;
    bool destructive = false;
    std::function<DropMenuPage()> opens;
    std::function<void()> run;
    // The menu bar's rows only: a disabled command's row is drawn faint and never lit or chosen, and a
    // row may show its shortcut trailing.
    bool enabled = true;
    QString trailing;

    DropMenuItem(QString title, bool checked, bool destructive, std::function<DropMenuPage()> opens,
                 std::function<void()> run);
    DropMenuItem(QString title, bool checked, bool destructive, std::function<void()> run);

    bool hasPage() const { return bool(opens); }
};

struct DropMenuSection {
    std::optional<QString> title;
    std::vector<DropMenuItem> items;
};

// A menu as a value. Rows are addressed everywhere by their flat index in `items()`.
struct DropMenuPage {
    explicit DropMenuPage(std::vector<DropMenuSection> sections = {});

    const std::vector<DropMenuSection>& sections() const { return m_sections; }
    const std::vector<DropMenuItem>& items() const { return m_items; }

private:
    std::vector<DropMenuSection> m_sections; // never empty ones
    std::vector<DropMenuItem> m_items;
};

// Where a drop-down menu opens: the item it hangs under. A view that opens a menu reads its own
// attached anchor (`DropMenuAnchor` on any item), which points at that item for as long as it lives.
class DropMenuAnchor : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("read as an attached object of the item a menu opens under")
    QML_ATTACHED(DropMenuAnchor)
public:
    explicit DropMenuAnchor(QObject* parent = nullptr);
    static DropMenuAnchor* qmlAttachedProperties(QObject* object);

    QQuickItem* view() const { return m_view; }

private:
    QPointer<QQuickItem> m_view;
};
