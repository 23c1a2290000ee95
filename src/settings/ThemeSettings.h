#pragma once

#include "shell/RootModel.h"
#include "shell/look/Accent.h"

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// What the playback and theme sections say and show: the light switch's help, the appearance choices, the
// accent chips' colours and the help under them.
class ThemeSettings : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit ThemeSettings(QObject* parent = nullptr) : QObject(parent) {}

    Q_INVOKABLE static QString lightHelp(bool moving);
    // [{value, label}] for the appearance control.
    Q_INVOKABLE static QVariantList appearanceOptions();
    // [{value, label}] for the start page control.
    Q_INVOKABLE static QVariantList startPageOptions();
    // The help under the chips for a stored accent text (an unknown one is magenta) and the chosen player.
    Q_INVOKABLE static QString accentHelp(const QString& choice, const PlayerLook& player);
    // The player chip's colours: the accent of the player's colour, else magenta's.
    Q_INVOKABLE static Accent playerSwatch(const QColor& top);
    // The cover chip's colours, [{position, color}], from 3 o'clock clockwise on screen, laid out for a
    // conical gradient, which runs the other way.
    Q_INVOKABLE static QVariantList coverStops();
};
