import QtQuick

// The caption style of section titles, menu buttons and labels: upper-cased, semibold.
Text {
    property real size: 12
    font.family: "Inter"
    font.pixelSize: size
    font.weight: Font.DemiBold
    font.capitalization: Font.AllUppercase
}
