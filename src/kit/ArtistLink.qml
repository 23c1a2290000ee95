import QtQuick
import QtQuick.Controls.Basic
import Velto.Shell

// An artist's name as a link: a click opens that artist in the collection. `artist` is what opens (it may
// differ from the text shown); it is the name unless the caller says otherwise.
Text {
    id: link
    property string name
    property string artist: name
    property color restColor: Theme.secondary
    readonly property bool hovered: hover.hovered
    readonly property string showText: "Show " + artist

    function open() {
        Stores.app.showArtist(link.artist);
    }

    text: name
    color: hovered ? Theme.primary : restColor
    font.underline: hovered
    maximumLineCount: 1
    elide: Text.ElideRight
    wrapMode: Text.NoWrap
    Accessible.role: Accessible.Link
    Accessible.name: name
    Accessible.description: showText
    Accessible.onPressAction: open()
    ToolTip.text: showText
    ToolTip.visible: hovered
    ToolTip.delay: 800

    Behavior on color {
        ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
    }
    HoverHandler {
        id: hover
        cursorShape: Qt.PointingHandCursor
    }
    TapHandler {
        onTapped: link.open()
    }
}
