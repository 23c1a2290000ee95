#include "Accent.h"

#include "ColorMath.h"

#include <algorithm>

using ColorMath::fromHsb;

Accent Accent::around(const QColor& base, const std::optional<QColor>& second) {
    const auto [h, s, b] = ColorMath::hsb(base);
    const double e = std::max(s, 0.65);
    Accent a;
    a.from = fromHsb(h, e, std::max(b, 0.8));
    if (second) {
        const auto [h2, s2, b2] = ColorMath::hsb(*second);
        a.to = fromHsb(h2, std::max(s2, 0.6), std::max(b2, 0.9));
    } else {
        a.to = fromHsb(h + 0.07, 0.9 * e, 0.97);
    }
    a.text = fromHsb(h, 0.6, 1);
    a.textOnLight = fromHsb(h, std::max(e, 0.75), 0.62);
    a.glow = fromHsb(h, 0.8, 0.84);
    a.foot = fromHsb(h + 0.02, 0.7, 1);
    a.hot = fromHsb(h + 0.04, 0.45, 1);
    return a;
}

Accent Accent::fromValues(quint32 from, quint32 to, quint32 text, quint32 textOnLight, quint32 glow, quint32 foot,
                          quint32 hot) {
    using ColorMath::rgb;
    return {rgb(from), rgb(to), rgb(text), rgb(textOnLight), rgb(glow), rgb(foot), rgb(hot)};
}

const Accent& Accent::magenta() {
    static const Accent a = *AccentChoices::preset(AccentChoice::magenta);
    return a;
}

Accent Accent::blend(const Accent& a, const Accent& b, double fraction) {
    if (fraction <= 0) return a;
    if (fraction >= 1) return b;
    using ColorMath::mixed;
    return {mixed(a.from, b.from, fraction),           mixed(a.to, b.to, fraction),
            mixed(a.text, b.text, fraction),           mixed(a.textOnLight, b.textOnLight, fraction),
            mixed(a.glow, b.glow, fraction),           mixed(a.foot, b.foot, fraction),
            mixed(a.hot, b.hot, fraction)};
}

namespace AccentChoices {

QList<AccentChoice> all() {
    return {AccentChoice::magenta, AccentChoice::lime,  AccentChoice::sky,    AccentChoice::violet,
            AccentChoice::ember,   AccentChoice::gold,  AccentChoice::player, AccentChoice::cover};
}

QString rawValue(AccentChoice choice) {
    switch (choice) {
    case AccentChoice::magenta: return QStringLiteral("magenta");
    case AccentChoice::lime: return QStringLiteral("lime");
    case AccentChoice::sky: return QStringLiteral("sky");
    case AccentChoice::violet: return QStringLiteral("violet");
    case AccentChoice::ember: return QStringLiteral("ember");
    case AccentChoice::gold: return QStringLiteral("gold");
    case AccentChoice::player: return QStringLiteral("player");
    case AccentChoice::cover: return QStringLiteral("cover");
    }
    return {};
}

std::optional<AccentChoice> fromRaw(const QString& raw) {
    for (AccentChoice c : all())
        if (rawValue(c) == raw) return c;
    return std::nullopt;
}

QString name(AccentChoice choice) {
    if (choice == AccentChoice::player) return QStringLiteral("my ivra");
    if (choice == AccentChoice::cover) return QStringLiteral("what's playing");
    return rawValue(choice);
}

std::optional<Accent> preset(AccentChoice choice) {
    switch (choice) {
    case AccentChoice::magenta:
        return Accent::fromValues(0xEC008C, 0xF7941D, 0xFF3DA8, 0xC80077, 0xD62C2C, 0xFF5A4A, 0xFF8A70);
    case AccentChoice::lime:
        return Accent::fromValues(0x8CC63F, 0x00A99D, 0xA6DE5C, 0x3F7A12, 0x3E9A2E, 0x6BCB4A, 0xA8E87E);
    case AccentChoice::sky:
        return Accent::fromValues(0x00AEEF, 0x5B5FE8, 0x4CC6F4, 0x0072B0, 0x1D6FD6, 0x3D9BFF, 0x8CC4FF);
    case AccentChoice::violet:
        return Accent::fromValues(0x8E44AD, 0xEC008C, 0xC57BEA, 0x7A2DA8, 0x8A2BC2, 0xB45CFF, 0xD39BFF);
    case AccentChoice::ember:
        return Accent::fromValues(0xE8392F, 0xF7941D, 0xFF6A5E, 0xC12A1C, 0xD1311F, 0xFF6440, 0xFF9C78);
    case AccentChoice::gold:
        return Accent::fromValues(0xF7941D, 0xFFD200, 0xFFB547, 0xA85A00, 0xD9731A, 0xFFA238, 0xFFCB7A);
    case AccentChoice::player:
    case AccentChoice::cover: return std::nullopt;
    }
    return std::nullopt;
}

} // namespace AccentChoices

bool AppearanceChoice::isDark(const QString& stored, bool systemIsDark) {
    if (stored == QLatin1String("light")) return false;
    if (stored == QLatin1String("dark")) return true;
    return systemIsDark;
}
