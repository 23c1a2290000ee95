import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import Velto.Shell

// The whole content of the main window: backdrop, the chrome (top band with the menus, header, the page
// area with its slide, footer) or Now Playing in its place, Mixview over either, and the drop panel.
// Pages, header, footer, notices, Now Playing and Mixview are the pages' own views and fill their slots as
// they are built; the slots stay empty until then.
Item {
    id: rootView
    required property Window window
    readonly property AppModel app: Stores.app
    readonly property RootModel root: Stores.root
    readonly property bool nowPlaying: app.page === Nav.nowPlaying

    Theme.scheme: root.dark ? Theme.Dark : Theme.Light

    Rectangle {
        anchors.fill: parent
        color: rootView.Theme.base
    }

    // The chrome: every page but Now Playing.
    Item {
        id: chrome
        objectName: "chrome"
        anchors.fill: parent
        opacity: rootView.nowPlaying ? 0 : 1
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
        }

        ChromeBackground {
            anchors.fill: parent
            plum: rootView.app.page === Nav.quickplay
        }

        Column {
            anchors.fill: parent

            Item {
                id: upper
                width: parent.width
                height: parent.height - footerSlot.height
                Accessible.ignored: rootView.app.mixviewOpen

                TitleBand {
                    id: titleBand
                    window: rootView.window
                    width: parent.width
                    MenuStrip { commands: Stores.commands }
                }
                Item {
                    id: headerSlot
                    objectName: "headerSlot"
                    anchors.top: titleBand.bottom
                    width: parent.width
                    height: 0
                }
                PageArea {
                    id: pageArea
                    objectName: "pageArea"
                    anchors { top: headerSlot.bottom; left: parent.left; right: parent.right; bottom: parent.bottom }
                    page: rootView.app.page
                    forward: rootView.app.forward
                }
                Item {
                    id: noticeSlot
                    objectName: "noticeSlot"
                    anchors { bottom: pageArea.bottom; bottomMargin: 10; horizontalCenter: pageArea.horizontalCenter }
                }
                Item {
                    id: chromeMixviewSlot
                    objectName: "mixviewSlot"
                    anchors.fill: parent
                    Theme.scheme: Theme.Dark
                }
            }
            Item {
                id: footerSlot
                objectName: "footerSlot"
                width: parent.width
                height: 0
            }
        }
    }

    // Now Playing takes the whole window, always dark; its own view fills this slot.
    Item {
        id: nowPlayingSlot
        objectName: "nowPlayingSlot"
        anchors.fill: parent
        Theme.scheme: Theme.Dark
        opacity: rootView.nowPlaying ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
        }
        TitleBand {
            window: rootView.window
            width: parent.width
        }
    }

    // Files dragged over the window: the panel shows, a drop copies them in.
    DropArea {
        anchors.fill: parent
        onEntered: drag => rootView.root.dropping = drag.hasUrls
        onExited: rootView.root.dropping = false
        onDropped: drop => {
            rootView.root.drop(drop.urls);
            drop.accept(Qt.CopyAction);
        }
    }

    Item {
        id: dropPanel
        objectName: "dropPanel"
        anchors.fill: parent
        Theme.scheme: Theme.Dark
        opacity: rootView.root.dropping ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.hoverMs; easing: Motion.hover }
        }
        Rectangle {
            anchors.fill: parent
            color: dropPanel.Theme.scrim
        }
        Column {
            anchors.centerIn: parent
            spacing: 8
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "drop to add music"
                font: dropPanel.Theme.display
                color: dropPanel.Theme.primary
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: rootView.root.dropSentence
                font: dropPanel.Theme.row
                color: dropPanel.Theme.soft
            }
        }
        Rectangle {
            anchors.fill: parent
            color: "transparent"
            border.width: 3
            border.color: dropPanel.Theme.accentFrom
        }
    }

    // "Add Music…": one chooser cannot take files and folders at once here, so the user picks which.
    Menu {
        id: addMusicChoice
        x: (rootView.width - width) / 2
        y: 60
        MenuItem { text: "songs…"; onTriggered: addFiles.open() }
        MenuItem { text: "a folder…"; onTriggered: addFolder.open() }
    }
    FileDialog {
        id: addFiles
        title: Stores.library.addMusicMessage()
        fileMode: FileDialog.OpenFiles
        acceptLabel: "Add"
        nameFilters: ["Audio files (*.mp3 *.m4a *.m4b *.aac *.alac *.flac *.wav *.aif *.aiff *.caf)"]
        onAccepted: Stores.library.bringIn(selectedFiles)
    }
    FolderDialog {
        id: addFolder
        title: Stores.library.addMusicMessage()
        acceptLabel: "Add"
        onAccepted: Stores.library.bringIn([selectedFolder])
    }
    FolderDialog {
        id: chooseFolder
        currentFolder: Stores.library.folder
        acceptLabel: "Use this folder"
        onAccepted: Stores.library.useFolder(selectedFolder)
    }
    Connections {
        target: Stores.library
        function onAddMusicRequested() { addMusicChoice.open() }
        function onChooseFolderRequested() { chooseFolder.open() }
    }

    Component.onCompleted: root.shown()
}
