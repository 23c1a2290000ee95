import QtQuick
import QtQuick.Layouts
import Velto.Shell
import Velto.Kit
import Velto.PocketPlayer

// "My Player": the picked pocket player as if it were plugged in (its name and size, a status line, its
// picture with the preview sync panel, the sync plan and how full a sync would make it), or the no-player
// page while none is picked. The plan is kept up to date behind either.
Item {
    id: view

    PlayerSummaryPage {
        id: summary
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.leftMargin: 34
        anchors.rightMargin: 40
        spacing: 0

        PlayerSubMenu {
            Layout.topMargin: 10
        }

        // The player, or the models to pick one from while none is picked.
        Loader {
            id: body
            readonly property bool sample: Stores.app !== null && Stores.app.samplePlayer
            Layout.fillWidth: true
            Layout.fillHeight: true
            onSampleChanged: show()
            Component.onCompleted: show()
            function show() {
                if (sample)
                    setSource(Qt.resolvedUrl("PlayerSample.qml"), { page: summary })
                else
                    setSource(Qt.resolvedUrl("NoPlayerView.qml"))
            }
        }
    }
}
