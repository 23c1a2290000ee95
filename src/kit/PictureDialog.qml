import QtQuick
import QtQuick.Dialogs

// The image file dialog of `PictureChooser`: one file, images only.
FileDialog {
    objectName: "pictureDialog"
    fileMode: FileDialog.OpenFile
    nameFilters: ["Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.tif *.tiff)"]
}
