import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Dialogs
import Velto.Shell
import Velto.NowPlaying
import Velto.Quickplay

// The whole content of the main window: backdrop, the chrome (top band with the menus, header, the page
// area with its slide, footer) or Now Playing in its place, Mixview over either, and the drop panel.
// Pages, Now Playing and Mixview are the pages' own views and fill their slots as they are built; the
// slots stay empty until then.
Item {
    id: rootView
    readonly property AppModel app: Stores.app
    readonly property RootModel root: Stores.root
    readonly property bool nowPlaying: app.page === Nav.Page.nowPlaying
    // Mixview's view, laid over the header and page area, or over Now Playing; none until it is built.
    property Component mixview: null

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
            objectName: "chromeBackground"
            anchors.fill: parent
            plum: rootView.app.page === Nav.Page.quickplay
            lightBand: Component {
                LightBand {}
            }
        }

        // The upper part (title band, header, page) above the footer, which Mixview never covers.
        Item {
            anchors.fill: parent

            Item {
                id: upper
                anchors { top: parent.top; left: parent.left; right: parent.right; bottom: footerSlot.top }

                TitleBand {
                    id: titleBand
                    width: parent.width
                    MenuStrip { commands: Stores.commands }
                }
                // Header, page and notice. While Mixview lies over them they are out of reach of assistive
                // technology: once Mixview covers them, they are hidden outright (an ignored item would
                // still show its children to a screen reader).
                Item {
                    id: covered
                    objectName: "chromeContent"
                    anchors { top: titleBand.bottom; left: parent.left; right: parent.right; bottom: parent.bottom }
                    visible: !(rootView.app.mixviewOpen && chromeMixview.opacity === 1)

                    Item {
                        id: headerSlot
                        objectName: "headerSlot"
                        width: parent.width
                        height: header.implicitHeight
                        HeaderView {
                            id: header
                            objectName: "header"
                            anchors.fill: parent
                        }
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
                        width: pageArea.width - 40
                        height: 30
                        // Made afresh on the way back from Now Playing: only notices posted after that show.
                        Loader {
                            anchors.fill: parent
                            active: !rootView.nowPlaying
                            sourceComponent: NoticeView {
                                objectName: "notices"
                                maximumWidth: parent ? parent.width : 0
                            }
                        }
                    }
                }
                MixviewSlot {
                    id: chromeMixview
                    objectName: "chromeMixview"
                    anchors.fill: covered
                    shown: rootView.app.mixviewOpen && !rootView.nowPlaying
                    view: rootView.mixview
                }
            }
            Item {
                id: footerSlot
                objectName: "footerSlot"
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                height: footer.implicitHeight
                FooterBar {
                    id: footer
                    objectName: "footer"
                    anchors.fill: parent
                    queuePanel: Component { QueuePanel {} }
                }
            }
        }
    }

    // Now Playing takes the whole window, always dark; its own view fills this slot.
    Item {
        id: nowPlayingBranch
        objectName: "nowPlayingBranch"
        anchors.fill: parent
        Theme.scheme: Theme.Dark
        opacity: rootView.nowPlaying ? 1 : 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Motion.enterMs; easing: Motion.enter }
        }
        TitleBand {
            id: nowPlayingBand
            width: parent.width
        }
        Item {
            id: nowPlayingSlot
            objectName: "nowPlayingSlot"
            anchors { top: nowPlayingBand.bottom; left: parent.left; right: parent.right; bottom: parent.bottom }
            visible: !(rootView.app.mixviewOpen && nowPlayingMixview.opacity === 1)
            // Made afresh on every visit, so the page starts from its first state each time.
            Loader {
                objectName: "nowPlayingLoader"
                anchors.fill: parent
                active: rootView.nowPlaying
                sourceComponent: NowPlayingView {
                    backButton: Component { BackButton { size: 44 } }
                }
            }
        }
        MixviewSlot {
            id: nowPlayingMixview
            objectName: "nowPlayingMixview"
            anchors.fill: nowPlayingSlot
            shown: rootView.app.mixviewOpen && rootView.nowPlaying
            view: rootView.mixview
        }
    }

    // The window's Space and Escape, asked after any open menu, the focused control and the page.
    WindowKeys {
        root: rootView.root
        chrome: !rootView.nowPlaying
    }

    // Files dragged over the window: the panel shows, a drop copies them in.
    DropArea {
        anchors.fill: parent
        // Only a drag that carries files is an import; text or a pick dragged between pages is left alone.
        onEntered: drag => {
            drag.accepted = rootView.root.carriesFiles(drag.urls);
            rootView.root.dropping = drag.accepted;
        }
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
        // A 3-point outline on the inner side, in the accent running from the leading to the trailing edge.
        Item {
            objectName: "dropOutline"
            anchors.fill: parent
            Rectangle { width: parent.width; height: 3; gradient: AccentGradient {} }
            Rectangle { y: parent.height - 3; width: parent.width; height: 3; gradient: AccentGradient {} }
            Rectangle { y: 3; width: 3; height: parent.height - 6; color: dropPanel.Theme.accentFrom }
            Rectangle { x: parent.width - 3; y: 3; width: 3; height: parent.height - 6; color: dropPanel.Theme.accentTo }
        }
    }

    // "Add Music…": one chooser cannot take files and folders at once here, so the user picks which.
    Menu {
        id: addMusicChoice
        objectName: "addMusicChoice"
        x: (rootView.width - width) / 2
        y: 60
        background: Rectangle {
            implicitWidth: 160
            color: rootView.Theme.panel
            border.color: rootView.Theme.line
            radius: 8
            KeyLayer { onDismissed: addMusicChoice.close() }
        }
        MenuItem { text: "songs…"; onTriggered: addFiles.open() }
        MenuItem { text: "a folder…"; onTriggered: addFolder.open() }
    }
    FileDialog {
        id: addFiles
        objectName: "addFilesDialog"
        title: Stores.library.addMusicMessage()
        fileMode: FileDialog.OpenFiles
        acceptLabel: "Add"
        nameFilters: ["Audio files (*.mp3 *.m4a *.m4b *.aac *.alac *.flac *.wav *.aif *.aiff *.caf)"]
        onAccepted: Stores.library.bringIn(selectedFiles)
    }
    FolderDialog {
        id: addFolder
        objectName: "addFolderDialog"
        title: Stores.library.addMusicMessage()
        acceptLabel: "Add"
        onAccepted: Stores.library.bringIn([selectedFolder])
    }
    FolderDialog {
        id: chooseFolder
        objectName: "chooseFolderDialog"
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
