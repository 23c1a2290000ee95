#include "collection/ListKeys.h"

#include <gtest/gtest.h>

namespace {
using R = ListKeys::Result;
using A = ListKeys::Action;

struct Case {
    const char* name;
    ListKeys::Press press;
    ListKeys::List list;
    R expected;
};

const QStringList names{"alpha", "beta", "bravo", "charlie", "Boston"};
} // namespace

TEST(ListKeys, TableOfPresses) {
    const auto ctrl = Qt::ControlModifier;
    const Case cases[] = {
        {"empty: Down", {Qt::Key_Down}, {0, -1}, {false, -1, A::none}},
        {"empty: Return", {Qt::Key_Return}, {0, -1}, {false, -1, A::none}},
        {"empty: Left still acts", {Qt::Key_Left}, {0, -1, false, true}, {true, -1, A::left}},
        {"empty: Right not given", {Qt::Key_Right}, {0, -1}, {false, -1, A::none}},
        {"first arrow puts the cursor on row 0", {Qt::Key_Up}, {4, -1}, {true, 0, A::none}},
        {"Page Down from row 1 of 4", {Qt::Key_PageDown}, {4, 1}, {true, 3, A::none}},
        {"Page Down from no cursor of 20", {Qt::Key_PageDown}, {20, -1}, {true, 9, A::none}},
        {"Page Up clamps", {Qt::Key_PageUp}, {20, 4}, {true, 0, A::none}},
        {"End", {Qt::Key_End}, {20, 4}, {true, 19, A::none}},
        {"Ctrl+Down is the menus'", {Qt::Key_Down, ctrl}, {4, 1}, {false, 1, A::none}},
        {"Shift+Down moves", {Qt::Key_Down, Qt::ShiftModifier}, {4, 1}, {true, 2, A::none}},
        {"keypad Down moves", {Qt::Key_Down, Qt::KeypadModifier}, {4, 1}, {true, 2, A::none}},
        {"Ctrl+Return chooses", {Qt::Key_Return, ctrl}, {4, 2}, {true, 2, A::choose}},
        {"Return without a cursor", {Qt::Key_Return}, {4, -1}, {false, -1, A::none}},
        {"a stale cursor marks no row for Return", {Qt::Key_Return}, {4, 7}, {false, 7, A::none}},
        {"a stale cursor is clamped by the arrows", {Qt::Key_Down}, {4, 7}, {true, 3, A::none}},
        {"a letter jumps forward", {Qt::Key_B, {}, "b"}, {5, -1}, {true, 1, A::none}},
        {"again to the next b", {Qt::Key_B, {}, "b"}, {5, 1}, {true, 2, A::none}},
        {"wrapping round, case ignored", {Qt::Key_B, {}, "B"}, {5, 4}, {true, 1, A::none}},
        {"a stale cursor jumps from row 0", {Qt::Key_C, {}, "c"}, {5, 9}, {true, 3, A::none}},
        {"a miss keeps the cursor", {Qt::Key_Z, {}, "z"}, {5, 2}, {true, 2, A::none}},
        {"the only match keeps the cursor", {Qt::Key_C, {}, "c"}, {5, 3}, {true, 3, A::none}},
        {"a held letter repeats nothing", {Qt::Key_B, {}, "b", true}, {5, 1}, {false, 1, A::none}},
        {"punctuation is not a jump", {Qt::Key_Period, {}, "."}, {5, 1}, {false, 1, A::none}},
        {"Ctrl+letter is the menus'", {Qt::Key_B, ctrl, "b"}, {5, 1}, {false, 1, A::none}},
        {"a field being edited keeps letters", {Qt::Key_B, {}, "b"}, {5, 1, true}, {false, 1, A::none}},
        {"a field being edited keeps Return", {Qt::Key_Return}, {5, 1, true}, {false, 1, A::none}},
        {"a field being edited keeps Down", {Qt::Key_Down}, {5, 1, true}, {false, 1, A::none}},
    };
    for (const Case& c : cases) {
        const R r = ListKeys::press(c.press, c.list, [](int row) { return names.value(row); });
        EXPECT_EQ(r.handled, c.expected.handled) << c.name;
        EXPECT_EQ(r.cursor, c.expected.cursor) << c.name;
        EXPECT_EQ(r.action, c.expected.action) << c.name;
    }
}
