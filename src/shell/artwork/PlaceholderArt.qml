import QtQuick

// A neutral gradient with an outlined glyph of what has no picture (artist, album, song or playlist),
// centred and scaled to the shorter side.
PlaceholderPainter {
}
