import QtQuick
import QtQuick3D
import Velto.PocketPlayer

// One material recipe of the 3-D player as Qt Quick 3D draws it.
PrincipledMaterial {
    id: material
    required property IvraSurface surface
    // The scene's one texture of the player's screen (see IvraStage::setScreen).
    property Texture screen

    lighting: surface.unlit ? PrincipledMaterial.NoLighting : PrincipledMaterial.FragmentLighting
    baseColor: surface.colour
    baseColorMap: surface.colourMap ? colourTexture : null
    metalness: surface.metal
    metalnessMap: surface.metalMap ? metalTexture : null
    metalnessChannel: Material.R
    roughness: surface.rough
    roughnessMap: surface.roughMap ? roughTexture : null
    roughnessChannel: Material.R
    normalMap: surface.normalMap ? normalTexture : null
    normalStrength: surface.normalStrength
    clearcoatAmount: surface.clearCoat
    clearcoatRoughnessAmount: surface.clearCoatRough
    alphaMode: surface.blend ? PrincipledMaterial.Blend : PrincipledMaterial.Opaque
    depthDrawMode: surface.depthWrite ? Material.OpaqueOnlyDepthDraw : Material.NeverDepthDraw
    cullMode: surface.doubleSided ? Material.NoCulling : Material.BackFaceCulling
    // Without a screen the display stays black.
    emissiveMap: surface.glows ? screen : null
    emissiveFactor: surface.glows ? Qt.vector3d(1, 1, 1) : Qt.vector3d(0, 0, 0)

    Texture {
        id: colourTexture
        textureData: material.surface.colourMap
    }
    Texture {
        id: metalTexture
        textureData: material.surface.metalMap
    }
    Texture {
        id: roughTexture
        textureData: material.surface.roughMap
    }
    Texture {
        id: normalTexture
        textureData: material.surface.normalMap
        scaleU: material.surface.normalScale.x
        scaleV: material.surface.normalScale.y
        tilingModeHorizontal: Texture.Repeat
        tilingModeVertical: Texture.Repeat
    }
}
