import QtQuick
import Velto.Shell

// A neutral gradient with an outlined glyph of what has no picture (artist, album, song or playlist),
// centred and scaled to the shorter side, in the colours of the scheme it is drawn in.
PlaceholderPainter {
    dark: Theme.dark
}
