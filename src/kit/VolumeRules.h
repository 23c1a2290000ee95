#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

// How far each diagonal of the mute cross is drawn.
struct CrossStrokes {
    Q_GADGET
    QML_VALUE_TYPE(crossStrokes)
    Q_PROPERTY(double first MEMBER first CONSTANT)
    Q_PROPERTY(double second MEMBER second CONSTANT)
public:
    double first = 0;
    double second = 0;
};

// The rules of the volume controls: the wheel, the footer slider, the Now Playing readout, the speaker's
// glyph and cross, and what screen readers hear. Volumes run from 0 (muted) to 1.
class VolumeRules : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    static constexpr double preciseStep = 0.004;
    static constexpr double notchStep = 0.03;
    static constexpr double readoutTravel = 140;
    static constexpr double readoutDragStart = 3;
    static constexpr double accessibleStep = 0.05;

    explicit VolumeRules(QObject* parent = nullptr) : QObject(parent) {}
    static VolumeRules* create(QQmlEngine*, QJSEngine*) { return new VolumeRules; }

    // A trackpad reports pixels, a wheel notches of 120; a device that says its direction is inverted
    // turns the step round. The result stays within 0…1.
    Q_INVOKABLE static double afterWheel(double volume, QPointF pixelDelta, QPointF angleDelta,
                                         bool inverted);
    // The footer slider: the pointer's absolute place on it.
    Q_INVOKABLE static double sliderVolume(double x, double width);
    // The readout: relative to where the drag began, 140 px spanning the whole range.
    Q_INVOKABLE static double readoutVolume(double dragFrom, double dx);
    // A press on the readout becomes a drag once it has moved 3 px; less is a click, which mutes.
    Q_INVOKABLE static bool readoutDragging(double dx, double dy);
    Q_INVOKABLE static double clamped(double volume);
    // A screen reader's increment (+1) or decrement (−1): 0.05 either way, within 0…1.
    Q_INVOKABLE static double stepped(double volume, int direction) {
        return clamped(volume + direction * accessibleStep);
    }
    Q_INVOKABLE static QString speakerSymbol(double volume);
    Q_INVOKABLE static QString speakerHint(double volume);
    // The first diagonal draws in the first half of `drawn`, the second in the second half.
    Q_INVOKABLE static CrossStrokes cross(double drawn);
    // Whole percent with the fraction dropped, or "Muted" where the readout says so.
    Q_INVOKABLE static int accessiblePercent(double volume);
    Q_INVOKABLE static QString readoutAccessibleValue(double volume);
};
