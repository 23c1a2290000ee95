import QtQuick

// Takes the scroll wheel over its area and nothing else: clicks and hovers pass to what is under it.
MouseArea {
    signal turned(var wheel)
    acceptedButtons: Qt.NoButton
    onWheel: wheel => {
        turned(wheel);
        wheel.accepted = true;
    }
}
