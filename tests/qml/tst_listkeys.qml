import QtQuick
import QtTest
import Velto.Collection

TestCase {
    id: testCase
    name: "ListKeys"
    when: windowShown
    visible: true
    width: 300
    height: 300

    // A list that forwards its keys the way the collection's lists do, with a rename field in a row.
    ListView {
        id: list
        property int cursor: -1
        readonly property var names: ["alpha", "beta", "bravo", "charlie"]
        width: 300; height: 200
        // The cursor is ours; the list's own arrow handling would move the focus to its current row.
        keyNavigationEnabled: false
        model: names.length
        delegate: Item {
            required property int index
            width: 300; height: 20
            TextInput {
                objectName: "field" + parent.index
                width: 100; height: 20
                text: list.names[parent.index]
            }
        }
        Keys.onPressed: event => {
            const r = ListKeys.handle(event.key, event.modifiers, event.text, event.isAutoRepeat, count, cursor,
                                      row => names[row], testCase.Window.activeFocusItem, false, false)
            if (r.handled) cursor = r.cursor
            event.accepted = r.handled
        }
    }

    function test_keysMoveTheCursorButNotWhileAFieldIsEdited() {
        list.cursor = -1
        list.forceActiveFocus()
        keyClick(Qt.Key_Down)
        compare(list.cursor, 0)
        keyClick("c")
        compare(list.cursor, 3)
        keyClick(Qt.Key_Home)
        compare(list.cursor, 0)
        // A text input hands Down on to the list holding it; the list must leave it alone.
        const field = findChild(list, "field1")
        field.forceActiveFocus()
        keyClick(Qt.Key_Down)
        compare(list.cursor, 0)
        keyClick("c")
        compare(list.cursor, 0)
    }
}
