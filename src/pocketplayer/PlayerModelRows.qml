import QtQuick
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// The player section: which player it is (model, colour, size, name), its home computer and forgetting it.
Column {
    id: rows
    required property PlayerSettingsPage page
    width: parent ? parent.width : 0

    SettingsRow {
        width: rows.width
        title: "Model"
        help: "Which Ivra you have. Each is drawn at its true size."
        Row {
            spacing: 18
            Repeater {
                model: rows.page ? rows.page.modelCards : []
                onItemAdded: (index, item) => item.clicked.connect(() => rows.page.chooseModel(item.model))
                delegate: ModelChoice {
                    required property var modelData
                    anchors.bottom: parent ? parent.bottom : undefined
                    objectName: "model_" + modelData.model
                    model: modelData.model
                    finish: modelData.finish
                    selected: modelData.selected
                    caption: modelData.caption
                }
            }
        }
    }
    SettingsRow {
        objectName: "colourRow"
        width: rows.width
        title: "Colour"
        help: rows.page ? rows.page.colourHelp : ""
        Row {
            spacing: 10
            Repeater {
                model: rows.page ? rows.page.swatches : []
                onItemAdded: (index, item) => item.clicked.connect(() => rows.page.chooseFinish(item.finish.name))
                delegate: Swatch {
                    required property var modelData
                    required property int index
                    objectName: "swatch" + index
                    finish: modelData.finish
                    selected: modelData.selected
                }
            }
        }
    }
    SettingsRow {
        objectName: "sizeRow"
        width: rows.width
        title: "Size"
        help: rows.page ? rows.page.sizeHelp : ""
        Item {
            implicitWidth: rows.page && rows.page.singleCapacity ? single.implicitWidth : sizes.implicitWidth
            implicitHeight: rows.page && rows.page.singleCapacity ? single.implicitHeight : sizes.implicitHeight
            Segmented {
                id: sizes
                objectName: "sizeChoice"
                visible: !rows.page || !rows.page.singleCapacity
                options: rows.page ? rows.page.capacityOptions : []
                selection: rows.page ? rows.page.chosen.capacity : 0
                onChosen: value => rows.page.chooseCapacity(value)
            }
            Caps {
                id: single
                visible: !sizes.visible
                text: (rows.page ? rows.page.chosen.capacity : 0) + " GB"
                size: 11
                color: rows.Theme.primary
            }
        }
    }
    SettingsRow {
        width: rows.width
        title: "Name"
        help: "Shown here and on the player's own screen."
        SettingsFieldStyle {
            objectName: "nameField"
            monospaced: false
            text: rows.page ? rows.page.name : ""
            Accessible.name: "Name"
            onTextEdited: rows.page.name = text
        }
    }
    SettingsRow {
        width: rows.width
        title: "Home computer"
        help: "This computer keeps your player in sync. On any other computer you can only drag music on by hand."
        Row {
            spacing: 7
            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                width: 7
                height: 7
                radius: 3.5
                color: rows.Theme.connected
            }
            Caps {
                anchors.verticalCenter: parent.verticalCenter
                text: "this computer"
                size: 11
                color: rows.Theme.primary
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
        }
    }
    SettingsRow {
        width: rows.width
        title: "Forget this player"
        help: "Stops syncing with this computer. Nothing on the player is deleted."
        PillButton {
            objectName: "forgetButton"
            title: "forget"
            color: rows.Theme.accentText
            onClicked: rows.page.forget()
        }
    }
}
