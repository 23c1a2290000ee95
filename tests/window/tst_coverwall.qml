import QtQuick
import QtTest
import Velto.NowPlaying

TestCase {
    id: testCase
    name: "CoverWall"
    when: windowShown
    visible: true
    width: 1280
    height: 800

    CoverWall {
        id: wall
        width: 1280
    }

    // Seventy-two tiles packed in twelve columns: fourteen rows of cells, the tiles sized by their spans.
    function test_tilesAndTheirPacking() {
        compare(wall.model.rowCount(), 72)
        tryCompare(wall, "rows", 14)
        const cell = (1280 - 11 * 3) / 12
        let spans = [0, 0, 0, 0]
        for (let i = 0; i < wall.children.length; ++i) {
            const tile = wall.children[i]
            if (tile.span === undefined) continue
            spans[tile.span] += 1
            fuzzyCompare(tile.width, tile.span * cell + (tile.span - 1) * 3, 1e-6)
        }
        compare(spans, [0, 52, 16, 4])
    }
}
