pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Dialogs
import Velto.Kit
import Velto.Shell
import Velto.Settings

// The artist pictures section: a place per picture of the user's own, and one to add a picture.
Column {
    id: rows
    // The page\'s state, which these rows do not need.
    required property SettingsController page
    readonly property alias pictureSlots: slots

    width: parent ? parent.width : 0

    PictureSlots {
        id: slots
        pictures: Stores.pictures
        library: Stores.library
        onChoosePicture: artist => rows.choose(artist)
    }

    // The system's chooser for one picture, answered for the artist it was opened for.
    function choose(artist: string) {
        chooser.artist = artist;
        chooser.open();
    }
    FileDialog {
        id: chooser
        property string artist
        title: Stores.pictures.chooseMessage(artist)
        acceptLabel: Stores.pictures.chooseButton()
        fileMode: FileDialog.OpenFile
        nameFilters: ["Pictures (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic *.tif *.tiff)", "All files (*)"]
        onAccepted: Stores.pictures.chosen(selectedFile, artist)
    }

    BalancedText {
        bottomPadding: 20
        text: "They show on the artist's page, on pins and in Smart DJ. You can also drop an image on an artist's banner in Collection."
        size: 12
        maxWidth: 560
        color: rows.Theme.secondary
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
    Rectangle {
        width: rows.width
        height: 1
        color: rows.Theme.line
    }
    Grid {
        objectName: "pictureGrid"
        topPadding: 20
        columns: Math.max(1, Math.floor((rows.width + 16) / (112 + 16)))
        columnSpacing: 16
        rowSpacing: 20
        Repeater {
            model: slots.places
            delegate: ArtistSlot {
                id: picture
                required property var modelData
                objectName: "picture-" + modelData.stored
                name: modelData.shown
                actions: [
                    HoverAction {
                        symbol: "photo"
                        label: slots.changeLabel(picture.modelData.shown)
                        onRun: rows.choose(picture.modelData.shown)
                    },
                    HoverAction {
                        symbol: "minus"
                        label: slots.removeLabel(picture.modelData.shown)
                        onRun: slots.remove(picture.modelData.stored)
                    }
                ]
            }
        }
        EmptySlot {
            id: addSlot
            objectName: "addPicture"
            label: "add a picture"
            adds: true
            enabled: slots.canAdd
            onClicked: slots.openAddMenu(addSlot)
        }
    }
}
