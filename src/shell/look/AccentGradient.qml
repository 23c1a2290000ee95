import QtQuick
import Velto.Shell

// The accent from its leading to its trailing edge; it follows every accent change.
Gradient {
    orientation: Gradient.Horizontal
    GradientStop { position: 0; color: Theme.accentFrom }
    GradientStop { position: 1; color: Theme.accentTo }
}
