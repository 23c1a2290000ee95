import QtQuick
import Velto.Shell

// The accent from top to bottom.
Gradient {
    orientation: Gradient.Vertical
    GradientStop { position: 0; color: Theme.accentFrom }
    GradientStop { position: 1; color: Theme.accentTo }
}
