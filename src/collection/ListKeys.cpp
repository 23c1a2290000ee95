#include "ListKeys.h"

#include <QJSValue>
#include <QQuickItem>

namespace {
int clampRow(int row, int count) {
    return std::min(std::max(row, 0), count - 1);
}
} // namespace

ListKeys::Result ListKeys::press(const Press& press, const List& list,
                                 const std::function<QString(int)>& name) {
    const Result unhandled{false, list.cursor, Action::none};
    // A field being edited keeps every key, Return included.
    if (list.editingText) return unhandled;
    // A stale cursor (the list shrank under it) marks no row.
    const int cursor = list.cursor >= 0 && list.cursor < list.count ? list.cursor : -1;
    if (press.key == Qt::Key_Return || press.key == Qt::Key_Enter) {
        if (cursor < 0) return unhandled;
        return {true, cursor, Action::choose};
    }
    // Command, Option and Control leave the key to the menus' shortcuts; Shift and the keypad flag don't.
    if (press.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return unhandled;

    const auto moveTo = [&](int row) -> Result {
        if (list.count <= 0) return unhandled;
        return {true, clampRow(row, list.count), Action::none};
    };
    // Arrows clamp whatever cursor there is, a stale one included.
    const int c = list.cursor;
    switch (press.key) {
    case Qt::Key_Up:
        return moveTo(c - 1);
    case Qt::Key_Down:
        return moveTo(c + 1);
    case Qt::Key_PageUp:
        return moveTo(c - 10);
    case Qt::Key_PageDown:
        return moveTo(c + 10);
    case Qt::Key_Home:
        return moveTo(0);
    case Qt::Key_End:
        return moveTo(list.count - 1);
    case Qt::Key_Left:
        return list.hasLeft ? Result{true, list.cursor, Action::left} : unhandled;
    case Qt::Key_Right:
        return list.hasRight ? Result{true, list.cursor, Action::right} : unhandled;
    default:
        break;
    }

    // Type-to-jump: one character, searched forward from the row after the cursor, wrapping round, so the
    // cursor's own row comes last. Held keys repeat nothing.
    if (press.autoRepeat || press.text.isEmpty() || list.count <= 0) return unhandled;
    const QString typed = press.text.left(press.text.at(0).isHighSurrogate() ? 2 : 1);
    const char32_t code =
        typed.size() == 2 ? QChar::surrogateToUcs4(typed.at(0), typed.at(1)) : typed.at(0).unicode();
    if (!QChar::isLetterOrNumber(code)) return unhandled;
    const QString wanted = typed.toLower();
    const int start = cursor < 0 ? 0 : cursor + 1;
    for (int i = 0; i < list.count; ++i) {
        const int row = (start + i) % list.count;
        if (name(row).toLower().startsWith(wanted)) return {true, row, Action::none};
    }
    return {true, list.cursor, Action::none};
}

QVariantMap ListKeys::handle(int key, int modifiers, const QString& text, bool autoRepeat, int count,
                             int cursor, const QJSValue& nameOf, QQuickItem* focus, bool hasLeft,
                             bool hasRight) {
    const Result r = press({key, Qt::KeyboardModifiers(modifiers), text, autoRepeat},
                           {count, cursor, isTextInput(focus), hasLeft, hasRight}, [&](int row) {
                               QJSValue f = nameOf;
                               return f.isCallable() ? f.call({row}).toString() : QString();
                           });
    return {{QStringLiteral("handled"), r.handled},
            {QStringLiteral("cursor"), r.cursor},
            {QStringLiteral("action"), int(r.action)}};
}

bool ListKeys::isTextInput(const QQuickItem* item) {
    return item && (item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit"));
}
