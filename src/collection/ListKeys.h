#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <QQuickItem>

// Which list or grid of a collection section holds the keyboard: each takes keys only while its section's
// focus value equals its own.
namespace Collection {
Q_NAMESPACE
QML_NAMED_ELEMENT(CollectionColumn)
enum class Focus { artists, albums, songs, playlists };
Q_ENUM_NS(Focus)
} // namespace Collection
using CollectionColumn = Collection::Focus;

// The keyboard of a vertical list: arrows, page keys, Home and End move the cursor, Return chooses the
// row under it, Left and Right hand the keyboard to the neighbouring column, a typed letter or digit jumps
// to the next row whose name begins with it.
class ListKeys : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    enum class Action { none, choose, left, right };
    Q_ENUM(Action)

    struct Press {
        int key = 0;
        Qt::KeyboardModifiers modifiers = {};
        QString text = {};
        bool autoRepeat = false;
    };
    struct List {
        int count = 0;
        int cursor = -1; // -1: no cursor
        bool editingText = false;
        bool hasLeft = false;
        bool hasRight = false;
    };
    struct Result {
        bool handled = false;
        int cursor = -1;
        Action action = Action::none;
        friend bool operator==(const Result&, const Result&) = default;
    };

    explicit ListKeys(QObject* parent = nullptr) : QObject(parent) {}

    // `name(row)` is the text a typed character is matched against.
    static Result press(const Press& press, const List& list, const std::function<QString(int)>& name);

    // For a list's key handler: { handled, cursor, action }. `nameOf(row)` gives a row's name (asked only
    // for a typed character); `focus` is the window's focused item, a text input while a field is edited.
    Q_INVOKABLE static QVariantMap handle(int key, int modifiers, const QString& text, bool autoRepeat,
                                          int count, int cursor, const QJSValue& nameOf, QQuickItem* focus,
                                          bool hasLeft, bool hasRight);
    // True for an item in which text is being edited.
    Q_INVOKABLE static bool isTextInput(const QQuickItem* item);
};
