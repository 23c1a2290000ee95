import QtQuick
import Velto.Kit
import Velto.Shell
import Velto.Settings

// A two-step button: a press opens, under it, a menu asking `question` with one destructive row `title`;
// only choosing that row emits `confirmed`, after the menu has closed.
PillButton {
    id: pill
    property string question
    signal confirmed()

    color: Theme.accentText
    Accessible.description: question
    onClicked: menu.open(pill)

    ConfirmMenu {
        id: menu
        title: pill.title
        question: pill.question
        onConfirmed: pill.confirmed()
    }
}
