import QtQuick
import QtQuick.Window
import Velto.Shell

// A backdrop for a view that lies over the window backdrop: its gradient is centred where the window's is,
// so the two meet without a seam wherever the view is, also while the page holding it slides.
ChromeBackdrop {
    id: match
    readonly property size windowSize: Window.window ? Qt.size(Window.width, Window.height) : Qt.size(1280, 800)

    ScenePosition {
        id: position
        item: match
    }
    dark: match.Theme.dark
    centre: match.Theme.chromeMatchCentre(windowSize, Qt.rect(position.origin.x, position.origin.y, width, height))
}
