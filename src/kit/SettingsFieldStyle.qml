import QtQuick
import QtQuick.Templates as T
import Velto.Kit
import Velto.Shell

// The text field of the settings pages: 240 by 34 with a 1.5-px outline and no fill. Monospaced fields
// (keys, paths) use the system's fixed-width font at the same size and keep the same frame.
T.TextField {
    id: field
    property bool monospaced: false

    width: 240
    height: 34
    implicitWidth: 240
    implicitHeight: 34
    leftPadding: 12
    rightPadding: 12
    verticalAlignment: TextInput.AlignVCenter
    font: monospaced ? Controls.fixedFont(13) : Qt.font({ family: "Inter", pixelSize: 13 })
    color: Theme.primary
    selectionColor: Theme.track
    selectedTextColor: Theme.primary
    placeholderTextColor: Theme.muted
    Accessible.role: Accessible.EditableText
    Accessible.name: placeholderText

    // The templates draw no placeholder of their own.
    Text {
        x: field.leftPadding
        width: field.width - field.leftPadding - field.rightPadding
        height: field.height
        verticalAlignment: Text.AlignVCenter
        visible: field.text === "" && !field.preeditText
        text: field.placeholderText
        font: field.font
        color: field.placeholderTextColor
        elide: Text.ElideRight
        Accessible.ignored: true
    }

    background: Rectangle {
        color: "transparent"
        border.width: 1.5
        border.color: field.Theme.border
    }
}
