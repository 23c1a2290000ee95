pragma ComponentBehavior: Bound

import QtQuick
import QtQuick3D
import Velto.PocketPlayer

// The pocket player as a lit 3-D object, held still at a slight angle on a transparent background. It takes
// no input: clicks, hovering and scrolling reach what lies beneath.
View3D {
    id: scene
    property string model: "flash"
    property ivraFinish finish
    // The flat picture that renders the player's screen (see IvraDevice).
    property QtObject picture
    readonly property IvraStage stage: stage

    enabled: false
    camera: camera

    IvraStage {
        id: stage
        model: scene.model
        finish: scene.finish
        picture: scene.picture
    }

    environment: SceneEnvironment {
        backgroundMode: SceneEnvironment.Transparent
        antialiasingMode: SceneEnvironment.MSAA
        antialiasingQuality: SceneEnvironment.High
        probeExposure: 1.4
        lightProbe: Texture {
            source: stage.lightProbe
            mappingMode: Texture.LightProbe
        }
    }
    // The one texture of the player's screen, for the whole life of the scene (see IvraStage::setScreen).
    Texture {
        id: screenTexture
        textureData: stage.screen
    }

    PerspectiveCamera {
        id: camera
        fieldOfView: 16
        fieldOfViewOrientation: PerspectiveCamera.Vertical
        clipNear: 10
        clipFar: 3000
        z: stage.cameraDistance
    }

    DirectionalLight {
        brightness: 0.7
        rotation: stage.keyLight
    }
    PointLight {
        position: Qt.vector3d(-90, 130, 170)
        brightness: 2.6
        constantFade: stage.fillFade
        linearFade: 0
        quadraticFade: 0
    }
    PointLight {
        position: Qt.vector3d(110, 60, -170)
        brightness: 1.8
        constantFade: stage.backFade
        linearFade: 0
        quadraticFade: 0
    }
    DirectionalLight {
        brightness: 0.28
        rotation: stage.rimLight
        scope: lit
    }

    Node {
        objectName: "body"
        rotation: stage.rest

        Node {
            id: lit
            objectName: "litParts"
            Repeater3D {
                objectName: "litRepeater"
                model: stage.litParts
                delegate: IvraPartModel {
                    screen: screenTexture
                }
            }
        }
        Node {
            objectName: "glassParts"
            Repeater3D {
                objectName: "glassRepeater"
                model: stage.glassParts
                delegate: IvraPartModel {
                    screen: screenTexture
                }
            }
        }
    }
}
