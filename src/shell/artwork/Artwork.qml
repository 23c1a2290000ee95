import QtQuick
import Velto.Shell
import QtQuick.Window

// The picture of an artwork address, filling and clipped to the frame its container gives it, or the
// placeholder of its kind while there is none. A cover the cache already holds is drawn in the first frame.
Item {
    id: root

    // A song or picture file (path or "file:" URL); empty for none.
    property var url
    // "artist", "album", "song" or "playlist": what the placeholder says has no picture.
    property string kind: "album"
    // A picture the caller already has (an image URL, such as an artist's own picture); it wins.
    property url picture
    // Which part of a cropped picture stays in view (Qt.AlignTop keeps an artist's face).
    property int alignment: Qt.AlignCenter

    readonly property string addressSource: url ? ArtworkCache.source(url, ArtworkCache.revision) : ""
    readonly property string shownSource: String(picture) !== "" ? String(picture) : addressSource
    readonly property bool showsPicture: image.status === Image.Ready

    clip: true

    Image {
        id: image
        objectName: "artworkImage"
        anchors.fill: parent
        // No request before the frame is known: the size is part of what is asked for.
        source: root.width > 0 && root.height > 0 ? root.shownSource : ""
        asynchronous: !root.shownSource.startsWith("image://artworkheld/")
        sourceSize.width: Math.ceil(root.width * Screen.devicePixelRatio)
        sourceSize.height: Math.ceil(root.height * Screen.devicePixelRatio)
        fillMode: Image.PreserveAspectCrop
        horizontalAlignment: (root.alignment & Qt.AlignLeft) ? Image.AlignLeft
                           : (root.alignment & Qt.AlignRight) ? Image.AlignRight : Image.AlignHCenter
        verticalAlignment: (root.alignment & Qt.AlignTop) ? Image.AlignTop
                         : (root.alignment & Qt.AlignBottom) ? Image.AlignBottom : Image.AlignVCenter
        smooth: true
    }

    PlaceholderArt {
        objectName: "artworkPlaceholder"
        anchors.fill: parent
        kind: root.kind
        visible: !root.showsPicture
    }
}
