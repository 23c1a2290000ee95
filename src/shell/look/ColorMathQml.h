#pragma once

#include "ColorMath.h"

#include <QObject>
#include <QQmlEngine>
#include <QtQml/qqmlregistration.h>

// The look's colour arithmetic for the views: `ColorMath.mixed(Theme.text, accent, 0.3)`.
class ColorMathQml : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(ColorMath)
    QML_SINGLETON
public:
    explicit ColorMathQml(QObject* parent = nullptr) : QObject(parent) {}
    Q_INVOKABLE QColor mixed(const QColor& color, const QColor& other, double fraction) const {
        return ColorMath::mixed(color, other, fraction);
    }
};
