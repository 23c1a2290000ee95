#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

// The interface's one changing colour set: the two ends of the accent gradient, accent text on dark and on
// light surfaces, the glow and two brighter hues.
struct Accent {
    Q_GADGET
    Q_PROPERTY(QColor from MEMBER from CONSTANT)
    Q_PROPERTY(QColor to MEMBER to CONSTANT)
    Q_PROPERTY(QColor text MEMBER text CONSTANT)
    Q_PROPERTY(QColor textOnLight MEMBER textOnLight CONSTANT)
    Q_PROPERTY(QColor glow MEMBER glow CONSTANT)
    Q_PROPERTY(QColor foot MEMBER foot CONSTANT)
    Q_PROPERTY(QColor hot MEMBER hot CONSTANT)
public:
    QColor from, to, text, textOnLight, glow, foot, hot;

    // Derived from a base colour and, for a cover, its second colour.
    static Accent around(const QColor& base, const std::optional<QColor>& second = std::nullopt);
    static Accent fromValues(quint32 from, quint32 to, quint32 text, quint32 textOnLight, quint32 glow, quint32 foot,
                             quint32 hot);
    static const Accent& magenta();

    // Each colour `fraction` of the way from `a` to `b`: the drawn accent while it changes.
    static Accent blend(const Accent& a, const Accent& b, double fraction);

    friend bool operator==(const Accent&, const Accent&) = default;
};

// The "accent" setting: six fixed sets, the chosen pocket player's colour, or the playing cover.
enum class AccentChoice { magenta, lime, sky, violet, ember, gold, player, cover };

namespace AccentChoices {
QList<AccentChoice> all();
QString rawValue(AccentChoice choice);
std::optional<AccentChoice> fromRaw(const QString& raw);
// The word shown for a choice.
QString name(AccentChoice choice);
std::optional<Accent> preset(AccentChoice choice);
} // namespace AccentChoices

// The "appearance" setting. "light" and "dark" force a scheme; "system" and any other text follow the
// desktop.
namespace AppearanceChoice {
bool isDark(const QString& stored, bool systemIsDark);
}

Q_DECLARE_METATYPE(Accent)
