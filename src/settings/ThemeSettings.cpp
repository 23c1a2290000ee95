#include "ThemeSettings.h"

#include "shell/look/AccentStore.h"

#include <iterator>

namespace {
QVariantMap option(const char* value, const char* label) {
    return {{QStringLiteral("value"), QString::fromLatin1(value)},
            {QStringLiteral("label"), QString::fromLatin1(label)}};
}
} // namespace

QString ThemeSettings::lightHelp(bool moving) {
    return moving ? QStringLiteral("The band of light moves with the music.")
                  : QStringLiteral("The band of light stays still.");
}

QVariantList ThemeSettings::appearanceOptions() {
    return {option("system", "as my system"), option("light", "light"), option("dark", "dark")};
}

QVariantList ThemeSettings::startPageOptions() {
    return {option("quickplay", "quickplay"), option("collection", "collection")};
}

QString ThemeSettings::accentHelp(const QString& choice, const PlayerLook& player) {
    switch (AccentChoices::fromRaw(choice).value_or(AccentChoice::magenta)) {
    case AccentChoice::cover:
        return QStringLiteral("Changes with the cover of each song you play. Magenta while nothing plays.");
    case AccentChoice::player:
        if (AccentStore::accentFor(player.top))
            return QStringLiteral("Follows your ") + player.line + QStringLiteral(" in ") + player.finish +
                   QStringLiteral(". Change its colour under My Player \u203A Settings.");
        return QStringLiteral("Your ") + player.line + QStringLiteral(" is ") + player.finish +
               QStringLiteral(", which has too little colour to pick things out by, so VELTO stays magenta. "
                              "Pick another colour for it under My Player \u203A Settings.");
    default:
        return QStringLiteral(
            "Used for highlights, buttons, the mark at the top left and the light along the "
            "bottom.");
    }
}

Accent ThemeSettings::playerSwatch(const QColor& top) {
    return AccentStore::accentFor(top).value_or(Accent::magenta());
}

QVariantList ThemeSettings::coverStops() {
    static const quint32 clockwise[] = {0xEC008C, 0xF7941D, 0xFFD200, 0x8CC63F, 0x00AEEF, 0x8E44AD, 0xEC008C};
    constexpr int n = int(std::size(clockwise));
    QVariantList stops;
    // Screen y grows downwards while the gradient's angle grows counter-clockwise: the clockwise sweep is
    // the same colours from the far end.
    for (int i = n - 1; i >= 0; --i)
        stops.append(QVariantMap{{QStringLiteral("position"), 1.0 - double(i) / (n - 1)},
                                 {QStringLiteral("color"), QColor::fromRgb(clockwise[i])}});
    return stops;
}
