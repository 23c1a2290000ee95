import QtQuick
import Velto.Shell

// The two entries of the player pages: the summary and the player's settings.
Row {
    id: menu
    spacing: 14

    MenuButton {
        objectName: "playerMenuSummary"
        title: "summary"
        size: 11
        anchors.verticalCenter: parent.verticalCenter
        selected: Stores.app !== null && Stores.app.page === Nav.Page.playerSummary
        onClicked: Stores.app.go(Nav.Page.playerSummary)
    }
    MenuButton {
        objectName: "playerMenuSettings"
        title: "settings"
        size: 11
        anchors.verticalCenter: parent.verticalCenter
        selected: Stores.app !== null && Stores.app.page === Nav.Page.playerSettings
        onClicked: Stores.app.go(Nav.Page.playerSettings)
    }
}
