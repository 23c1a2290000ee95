#pragma once

#include <QEasingCurve>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

class SystemAppearance;

// One edge of the page transition: where a page starts (arriving) or ends (leaving).
struct PageSlide {
    Q_GADGET
    QML_VALUE_TYPE(pageSlide)
    Q_PROPERTY(double x MEMBER x CONSTANT)
    Q_PROPERTY(double opacity MEMBER opacity CONSTANT)
public:
    double x = 0;
    double opacity = 1;
    friend bool operator==(const PageSlide&, const PageSlide&) = default;
};

// The page transition: the arriving page goes from `insertFrom` to rest, the leaving page from rest to
// `removeTo`.
struct PageTransition {
    Q_GADGET
    QML_VALUE_TYPE(pageTransition)
    Q_PROPERTY(PageSlide insertFrom MEMBER insertFrom CONSTANT)
    Q_PROPERTY(PageSlide removeTo MEMBER removeTo CONSTANT)
public:
    PageSlide insertFrom;
    PageSlide removeTo;
};

// The shared motion of the interface: named curves and durations, the page transition and the rules of the
// entrance, hover and press effects. Every number lives here so that changing one changes the feel of the
// whole program; the QML effects only read them. With reduce motion on, movement and scaling stop while
// fades, brightness and colour changes stay.
class Motion : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool reduceMotion READ reduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(QEasingCurve enter READ enterCurve CONSTANT)
    Q_PROPERTY(int enterMs READ enterMsValue CONSTANT)
    Q_PROPERTY(QEasingCurve hover READ hoverCurve CONSTANT)
    Q_PROPERTY(int hoverMs READ hoverMsValue CONSTANT)
    Q_PROPERTY(QEasingCurve tamsk READ tamskCurve CONSTANT)
    Q_PROPERTY(int tamskMs READ tamskMsValue CONSTANT)
    Q_PROPERTY(QEasingCurve press READ pressCurve CONSTANT)
    Q_PROPERTY(int pressMs READ pressMs CONSTANT)
    Q_PROPERTY(double hoverBrightness READ hoverBrightnessValue CONSTANT)
    Q_PROPERTY(double rowHoverOpacity READ rowHoverOpacityValue CONSTANT)
    Q_PROPERTY(double rowInset READ rowInsetValue CONSTANT)
    Q_PROPERTY(double pressOpacity READ pressOpacityValue CONSTANT)
    Q_PROPERTY(double menuButtonScale READ menuButtonScaleValue CONSTANT)
public:
    // Durations in milliseconds.
    static constexpr int enterMs = 450;
    static constexpr int hoverMs = 140;
    static constexpr int tamskMs = 600;
    static constexpr int accentChangeMs = 600;
    // The page slide: an arriving page starts this far off; the leaving one moves 0.6 of it the other way.
    static constexpr double pageShift = 80;
    static constexpr double pageLeaveShift = 48;
    static constexpr double staggerStep = 0.06; // seconds between staggered items
    static constexpr double staggerShift = 40;  // right
    static constexpr double riseShift = 24;     // down
    static constexpr double arriveShift = 30;   // right
    static constexpr double hoverBrightnessStep = 0.06;
    static constexpr double rowHoverOpacityStep = 0.06;
    static constexpr double rowHoverInset = 8;
    static constexpr double pressedOpacity = 0.8;
    static constexpr double menuButtonPressScale = 0.92;
    // The press spring: response and damping fraction of a damped oscillator.
    static constexpr double pressResponse = 0.22;
    static constexpr double pressDamping = 0.6;

    explicit Motion(SystemAppearance* appearance = nullptr, QObject* parent = nullptr);

    bool reduceMotion() const;
    int enterMsValue() const { return enterMs; }
    int hoverMsValue() const { return hoverMs; }
    int tamskMsValue() const { return tamskMs; }
    double hoverBrightnessValue() const { return hoverBrightnessStep; }
    double rowHoverOpacityValue() const { return rowHoverOpacityStep; }
    double rowInsetValue() const { return rowHoverInset; }
    double pressOpacityValue() const { return pressedOpacity; }
    double menuButtonScaleValue() const { return menuButtonPressScale; }

    // Cubic Bezier curves from (0,0) to (1,1) through the given control points.
    static QEasingCurve bezier(double x1, double y1, double x2, double y2);
    static QEasingCurve enterCurve();
    static QEasingCurve hoverCurve(); // ease-out
    static QEasingCurve tamskCurve();
    static QEasingCurve easeInOutCurve();
    // The press spring as an easing curve: it overshoots and settles within pressMs().
    static QEasingCurve pressCurve();
    static int pressMs();
    // The spring's position at t seconds after a step from 0 to 1.
    static double springAt(double t, double response, double damping);
    // How long a spring takes to settle within a thousandth of its step.
    static double springSettleSeconds(double response, double damping);
    // Any spring as an easing curve over springMs(): an easing curve takes a plain function, so each pair
    // of response and damping is a function of its own.
    template <double response, double damping> static QEasingCurve springCurve() {
        QEasingCurve curve;
        curve.setCustomType([](qreal progress) -> qreal {
            if (progress >= 1) return 1;
            if (progress <= 0) return 0;
            return springAt(progress * springSettleSeconds(response, damping), response, damping);
        });
        return curve;
    }
    static int springMs(double response, double damping);

    Q_INVOKABLE static PageTransition page(bool forward, bool reduceMotion);
    // Entrance and hover rules, read by the QML effects.
    Q_INVOKABLE static double staggerDelayMs(int index);
    Q_INVOKABLE static double staggerOffset(bool shown, bool reduceMotion);
    Q_INVOKABLE static double riseOffset(bool shown, bool reduceMotion);
    Q_INVOKABLE static double arriveOffset(bool shown, bool reduceMotion);
    Q_INVOKABLE static double hoverScale(bool hovered, double scale, bool reduceMotion);
    Q_INVOKABLE static double pressScale(bool pressed, double scale, bool reduceMotion);

    static Motion* create(QQmlEngine* engine, QJSEngine*);

signals:
    void reduceMotionChanged();

private:
    QPointer<SystemAppearance> m_appearance;
};
