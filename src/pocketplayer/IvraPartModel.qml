import QtQuick
import QtQuick3D
import Velto.PocketPlayer

// One part of the player's body, material k on subset k.
Model {
    id: part
    required property IvraPart modelData
    property Texture screen
    objectName: modelData.name
    geometry: modelData.geometry
    position: modelData.position
    rotation: modelData.rotation
    materials: modelData.materials.length === 1 ? [m0] : modelData.materials.length === 2 ? [m0, m1]
        : modelData.materials.length === 3 ? [m0, m1, m2] : [m0, m1, m2, m3, m4]

    IvraMaterial {
        id: m0
        screen: part.screen
        surface: part.modelData.materials[0]
    }
    IvraMaterial {
        id: m1
        screen: part.screen
        surface: part.modelData.materials[Math.min(1, part.modelData.materials.length - 1)]
    }
    IvraMaterial {
        id: m2
        screen: part.screen
        surface: part.modelData.materials[Math.min(2, part.modelData.materials.length - 1)]
    }
    IvraMaterial {
        id: m3
        screen: part.screen
        surface: part.modelData.materials[Math.min(3, part.modelData.materials.length - 1)]
    }
    IvraMaterial {
        id: m4
        screen: part.screen
        surface: part.modelData.materials[Math.min(4, part.modelData.materials.length - 1)]
    }
}
