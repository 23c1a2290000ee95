import QtQuick

// A plain drawing of the pocket player in the footer: a body with its screen and wheel, the hd model with
// the taller screen. It stands in until the pocket player's own glyph is on the footer.
Item {
    id: glyph
    // "hd" or "flash".
    property string model: "flash"
    property color color: "white"

    implicitWidth: 22
    implicitHeight: 34

    Rectangle {
        anchors.fill: parent
        radius: 4
        color: "transparent"
        border.width: 1.5
        border.color: glyph.color
    }
    Rectangle {
        objectName: "screen"
        x: 4
        y: 4
        width: parent.width - 8
        height: glyph.model === "hd" ? 14 : 10
        radius: 1.5
        color: "transparent"
        border.width: 1
        border.color: glyph.color
    }
    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 4
        width: glyph.model === "hd" ? 10 : 12
        height: width
        radius: width / 2
        color: "transparent"
        border.width: 1
        border.color: glyph.color
    }
}
