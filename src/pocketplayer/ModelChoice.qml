import QtQuick
import QtQuick.Templates as T
import Velto.Shell
import Velto.PocketPlayer

// A model card of the player settings page: the player at one point per millimetre (the models keep their
// true proportions to each other), its caption and an accent underline while it is the chosen model. A
// click runs `clicked` also on the chosen card; the page decides what that means.
T.AbstractButton {
    id: card
    property string model: "flash"
    property var finish
    property bool selected: false
    property string caption: ""

    implicitWidth: implicitContentWidth
    implicitHeight: implicitContentHeight
    hoverEnabled: true
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: caption
    Accessible.selected: selected
    Accessible.checkable: true
    Accessible.checked: selected

    contentItem: Column {
        spacing: 8
        IvraDevice {
            objectName: "cardPicture"
            anchors.horizontalCenter: parent.horizontalCenter
            model: card.model
            finish: card.finish
            pointsPerMm: 1
            opacity: card.selected || card.hovered ? 1 : 0.5
            Behavior on opacity {
                NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Caps {
            objectName: "cardCaption"
            anchors.horizontalCenter: parent.horizontalCenter
            text: card.caption
            size: 9
            wrapMode: Text.NoWrap
            color: card.selected ? card.Theme.primary : card.hovered ? card.Theme.soft : card.Theme.muted
            Behavior on color {
                ColorAnimation { duration: Motion.hoverMs; easing: Motion.hover }
            }
        }
        Rectangle {
            objectName: "cardUnderline"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 24
            height: 2
            visible: card.selected
            gradient: AccentGradient {}
        }
    }
}
