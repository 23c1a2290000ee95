import QtQuick
import Velto.Kit
import Velto.Shell

// The window's layer for its menus, over all its content. It draws in the window's own scheme, never in a
// page's forced one.
MenuOverlay {
    id: layer
    required property bool dark
    Theme.scheme: dark ? Theme.Dark : Theme.Light
    view: MenuView {}
}
