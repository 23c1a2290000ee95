pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Shapes
import Velto.Kit
import Velto.Shell
import Velto.Settings

// The about section: the program and its version, its own files, and the keyboard shortcuts.
Column {
    id: rows
    // The page\'s state, which these rows do not need.
    required property SettingsController page
    width: parent ? parent.width : 0

    Row {
        bottomPadding: 24
        spacing: 18
        Item {
            anchors.verticalCenter: parent.verticalCenter
            width: 72
            height: 72
            Accessible.ignored: true
            Image {
                id: icon
                anchors.fill: parent
                sourceSize.width: 144
                sourceSize.height: 144
                source: "qrc:/Velto/Settings/velto.svg"
            }
            // Without Qt's SVG image plugin the icon is drawn from the same figures: a dark rounded square,
            // the V and the bar in its pink and violet (in the icon's 256-unit square).
            Item {
                anchors.fill: parent
                visible: icon.status === Image.Error
                layer.enabled: visible
                layer.samples: 4
                Shape {
                    width: 256
                    height: 256
                    scale: parent.width / 256
                    transformOrigin: Item.TopLeft
                    ShapePath {
                        strokeWidth: 0
                        strokeColor: "transparent"
                        fillColor: "#141416"
                        startX: 64; startY: 8
                        PathLine { x: 192; y: 8 }
                        PathArc { x: 248; y: 64; radiusX: 56; radiusY: 56 }
                        PathLine { x: 248; y: 192 }
                        PathArc { x: 192; y: 248; radiusX: 56; radiusY: 56 }
                        PathLine { x: 64; y: 248 }
                        PathArc { x: 8; y: 192; radiusX: 56; radiusY: 56 }
                        PathLine { x: 8; y: 64 }
                        PathArc { x: 64; y: 8; radiusX: 56; radiusY: 56 }
                    }
                    ShapePath {
                        strokeWidth: 28
                        capStyle: ShapePath.RoundCap
                        joinStyle: ShapePath.RoundJoin
                        fillColor: "transparent"
                        // This Qt strokes in one colour: the middle of the gradient.
                        strokeColor: "#bc46d1"
                        startX: 64; startY: 72
                        PathLine { x: 128; y: 184 }
                        PathLine { x: 192; y: 72 }
                    }
                    ShapePath {
                        strokeWidth: 0
                        strokeColor: "transparent"
                        fillGradient: iconGradient
                        startX: 53; startY: 204
                        PathLine { x: 203; y: 204 }
                        PathArc { x: 203; y: 214; radiusX: 5; radiusY: 5 }
                        PathLine { x: 53; y: 214 }
                        PathArc { x: 53; y: 204; radiusX: 5; radiusY: 5 }
                    }
                    LinearGradient {
                        id: iconGradient
                        x1: 0; y1: 0; x2: 256; y2: 256
                        GradientStop { position: 0; color: "#ff4fa3" }
                        GradientStop { position: 1; color: "#7a3cff" }
                    }
                }
            }
        }
        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            Text {
                text: "VELTO"
                font: rows.Theme.heading
                color: rows.Theme.primary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            DigitsText {
                objectName: "versionLine"
                text: AboutSettings.versionLine
                font: rows.Theme.row
                color: rows.Theme.soft
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Text {
                text: "A music player for Linux in the spirit of the Ivra software."
                font: rows.Theme.meta
                color: rows.Theme.secondary
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
    }
    SettingsRow {
        width: rows.width
        title: "VELTO's own files"
        help: AboutSettings.filesHelp
        PillButton {
            objectName: "showInFiles"
            title: "show in files"
            color: rows.Theme.soft
            onClicked: AboutSettings.showInFiles()
        }
    }

    // The keyboard block.
    Column {
        objectName: "keyboard"
        width: rows.width
        Rectangle {
            width: parent.width
            height: 1
            color: rows.Theme.line
        }
        Column {
            topPadding: 34
            width: parent.width
            spacing: 18
            Text {
                text: "keyboard"
                font.family: rows.Theme.heading.family
                font.pixelSize: rows.Theme.heading.pixelSize
                font.weight: rows.Theme.heading.weight
                font.letterSpacing: -0.5
                color: rows.Theme.primary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Repeater {
                model: AboutSettings.shortcutGroups
                delegate: Column {
                    id: group
                    required property var modelData
                    width: rows.width
                    Caps {
                        bottomPadding: 6
                        text: group.modelData.group
                        size: 11
                        color: rows.Theme.secondary
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                    Repeater {
                        model: group.modelData.entries
                        delegate: Item {
                            id: line
                            required property var modelData
                            width: group.width
                            height: Math.max(keys.height, what.implicitHeight) + 12
                            Accessible.role: Accessible.StaticText
                            Accessible.name: modelData.label
                            Rectangle {
                                width: parent.width
                                height: 1
                                color: rows.Theme.line
                            }
                            ShortcutKeys {
                                id: keys
                                y: (line.height - height) / 2
                                width: 190
                                pieces: line.modelData.pieces
                            }
                            Text {
                                id: what
                                x: 190 + 16
                                anchors.verticalCenter: parent.verticalCenter
                                text: line.modelData.what
                                font: rows.Theme.row
                                color: rows.Theme.soft
                                Accessible.ignored: true
                            }
                        }
                    }
                }
            }
        }
    }
}
