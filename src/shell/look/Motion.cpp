#include "Motion.h"

#include "ShellObjects.h"
#include "platform/portal/SystemAppearance.h"

#include <QPointF>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {
// The press spring is let run until its swing is below a thousandth of the step.
double pressSettleSeconds() {
    return Motion::springSettleSeconds(Motion::pressResponse, Motion::pressDamping);
}

qreal pressSpringEase(qreal progress) {
    if (progress >= 1) return 1;
    if (progress <= 0) return 0;
    return Motion::springAt(progress * pressSettleSeconds(), Motion::pressResponse, Motion::pressDamping);
}
} // namespace

Motion::Motion(SystemAppearance* appearance, QObject* parent) : QObject(parent), m_appearance(appearance) {
    if (appearance)
        connect(appearance, &SystemAppearance::reduceMotionChanged, this, &Motion::reduceMotionChanged);
}

bool Motion::reduceMotion() const {
    return m_appearance && m_appearance->reduceMotion();
}

QEasingCurve Motion::bezier(double x1, double y1, double x2, double y2) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(x1, y1), QPointF(x2, y2), QPointF(1, 1));
    return curve;
}

QEasingCurve Motion::enterCurve() {
    return bezier(0.1, 0.9, 0.2, 1.0);
}
QEasingCurve Motion::hoverCurve() {
    return bezier(0.0, 0.0, 0.58, 1.0);
}
QEasingCurve Motion::tamskCurve() {
    return bezier(0.2, 0.85, 0.25, 1.0);
}
QEasingCurve Motion::easeInOutCurve() {
    return bezier(0.42, 0.0, 0.58, 1.0);
}

QEasingCurve Motion::pressCurve() {
    QEasingCurve curve;
    curve.setCustomType(pressSpringEase);
    return curve;
}

int Motion::pressMs() {
    return int(std::lround(pressSettleSeconds() * 1000));
}

double Motion::springSettleSeconds(double response, double damping) {
    const double omega = 2 * M_PI / response;
    return std::log(1000.0) / (damping * omega);
}

int Motion::springMs(double response, double damping) {
    return int(std::lround(springSettleSeconds(response, damping) * 1000));
}

double Motion::springAt(double t, double response, double damping) {
    if (t <= 0) return 0;
    const double omega = 2 * M_PI / response;
    const double decay = std::exp(-damping * omega * t);
    if (damping < 1) {
        const double omegaD = omega * std::sqrt(1 - damping * damping);
        return 1 - decay * (std::cos(omegaD * t) + damping * omega / omegaD * std::sin(omegaD * t));
    }
    return 1 - decay * (1 + omega * t); // critically damped or more: no swing
}

PageTransition Motion::page(bool forward, bool reduceMotion) {
    if (reduceMotion) return {PageSlide{0, 0}, PageSlide{0, 0}};
    const double d = forward ? 1 : -1;
    return {PageSlide{pageShift * d, 0}, PageSlide{-pageLeaveShift * d, 0}};
}

double Motion::staggerDelayMs(int index) {
    return std::max(index, 0) * staggerStep * 1000;
}

double Motion::staggerOffset(bool shown, bool reduceMotion) {
    return shown || reduceMotion ? 0 : staggerShift;
}
double Motion::riseOffset(bool shown, bool reduceMotion) {
    return shown || reduceMotion ? 0 : riseShift;
}
double Motion::arriveOffset(bool shown, bool reduceMotion) {
    return shown || reduceMotion ? 0 : arriveShift;
}

double Motion::hoverScale(bool hovered, double scale, bool reduceMotion) {
    return hovered && !reduceMotion ? scale : 1;
}

double Motion::pressScale(bool pressed, double scale, bool reduceMotion) {
    return pressed && !reduceMotion ? scale : 1;
}

Motion* Motion::create(QQmlEngine* engine, QJSEngine*) {
    return ShellObjects::motion(engine);
}
