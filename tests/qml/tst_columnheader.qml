import QtQuick
import QtTest
import Velto.Collection

TestCase {
    id: testCase
    name: "ColumnHeader"
    when: windowShown
    visible: true
    width: 400
    height: 100

    Component {
        id: headerComponent
        ColumnHeader {}
    }
    SignalSpy { id: sortClicks; signalName: "sortClicked" }

    function test_countAndSortButton_data() {
        return [
            { tag: "one", count: 1, noun: "artist", text: "1 artist" },
            { tag: "none", count: 0, noun: "artist", text: "0 artists" },
            { tag: "many", count: 12, noun: "song", text: "12 songs" },
        ]
    }
    function test_countAndSortButton(data) {
        const header = createTemporaryObject(headerComponent, testCase,
                                             { count: data.count, noun: data.noun, sort: "by year", sortable: true })
        const count = findChild(header, "columnCount")
        compare(count.text, data.text)
        compare(count.font.capitalization, Font.AllUppercase)
        const button = findChild(header, "sortButton")
        verify(button.visible)
        compare(button.Accessible.name, "Sorted by year. Sort another way")
        sortClicks.target = header
        sortClicks.clear()
        mouseClick(button)
        compare(sortClicks.count, 1)
    }

    function test_noSortShowsNoButton() {
        const header = createTemporaryObject(headerComponent, testCase, { count: 3, noun: "playlist" })
        verify(!findChild(header, "sortButton").visible)
    }
}
