import QtQuick
import Velto.Kit

// The round "ellipsis" button: opens the caller's page under it, built at each press.
//
//     MoreButton { size: 40; page: ArtistMenu { name: artist.name } }
CircleButton {
    id: button
    property MenuSource page
    symbol: "ellipsis"
    label: "More"
    onClicked: ButtonMenus.openMore(button.page, button)
}
