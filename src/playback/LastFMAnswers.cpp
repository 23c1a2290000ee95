// Reading what the Last.fm service answers. Nothing here fails: members that are missing or of an unexpected
// type give fewer similar artists or tags, or a match of 0.
#include "LastFMStore.h"

#include "core/Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace {

// Tags that say something about the listeners, not about how the music sounds.
const QSet<QString>& notSounds() {
    static const QSet<QString> set{
        QStringLiteral("seen live"),
        QStringLiteral("favorites"),
        QStringLiteral("favourites"),
        QStringLiteral("favorite"),
        QStringLiteral("favourite"),
        QStringLiteral("love"),
        QStringLiteral("awesome"),
        QStringLiteral("beautiful"),
        QStringLiteral("female vocalists"),
        QStringLiteral("male vocalists"),
        QStringLiteral("female vocalist"),
        QStringLiteral("male vocalist"),
        QStringLiteral("albums i own"),
        QStringLiteral("spotify"),
        QStringLiteral("under 2000 listeners"),
        QStringLiteral("all"),
        QStringLiteral("check out"),
        QStringLiteral("my favorites"),
        QStringLiteral("american"),
        QStringLiteral("british"),
        QStringLiteral("usa"),
        QStringLiteral("uk"),
        QStringLiteral("canadian"),
        QStringLiteral("australian"),
        QStringLiteral("english"),
        QStringLiteral("german"),
        QStringLiteral("french"),
    };
    return set;
}

constexpr qsizetype maxTags = 8;
constexpr int minTagCount = 10;

// A JSON number with no fraction. Booleans are not numbers here.
std::optional<qint64> integerOf(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9.0e18) return std::nullopt;
    return qint64(d);
}

// The items of the list at answer[outer][inner]; none when either member is missing or of another type.
QJsonArray itemsAt(const QJsonObject& answer, const QString& outer, const QString& inner) {
    const QJsonValue container = answer.value(outer);
    if (!container.isObject()) return {};
    const QJsonValue items = container.toObject().value(inner);
    return items.isArray() ? items.toArray() : QJsonArray{};
}

// The service sends match values as numbers or as decimal texts ("0.85").
double matchOf(const QJsonValue& value) {
    if (value.isDouble()) return value.toDouble();
    if (!value.isString()) return 0;
    static const QRegularExpression decimal(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    const QString text = value.toString();
    if (!decimal.match(text).hasMatch()) return 0;
    bool ok = false;
    const double d = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(d) ? d : 0;
}

// Counts come as integers or as whole-number texts ("12"); anything else gives no count.
std::optional<qint64> countOf(const QJsonValue& value) {
    if (value.isString()) {
        static const QRegularExpression whole(QStringLiteral(R"(^[+-]?[0-9]+$)"));
        const QString text = value.toString();
        if (!whole.match(text).hasMatch()) return std::nullopt;
        bool ok = false;
        const qint64 n = text.toLongLong(&ok);
        return ok ? std::optional<qint64>(n) : std::nullopt;
    }
    return integerOf(value);
}

// Spaces and tabs only: a line break inside a tag name is kept, as the service sent it.
bool isBlank(QChar c) {
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimBlanks(const QString& s) {
    qsizetype start = 0;
    qsizetype end = s.size();
    while (start < end && isBlank(s.at(start)))
        ++start;
    while (end > start && isBlank(s.at(end - 1)))
        --end;
    return s.mid(start, end - start);
}

} // namespace

LastFMStore::Answer LastFMStore::readAnswer(const QByteArray& body) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return LastFMError::failed;
    const QJsonObject object = doc.object();
    // An "error" member that is not an integer is not an error answer.
    if (const std::optional<qint64> code = integerOf(object.value(QStringLiteral("error")))) {
        if (*code == 6) return LastFMError::unknownArtist;
        if (*code == 10 || *code == 26) return LastFMError::badKey;
        return LastFMError::failed;
    }
    return object;
}

QHash<QString, double> LastFMStore::similar(const QJsonObject& answer) {
    QHash<QString, double> out;
    for (const QJsonValue& item :
         itemsAt(answer, QStringLiteral("similarartists"), QStringLiteral("artist"))) {
        const QJsonObject object = item.toObject();
        const QJsonValue name = object.value(QStringLiteral("name"));
        if (!name.isString()) continue;
        const QString key = Text::lower(name.toString());
        const double match = matchOf(object.value(QStringLiteral("match")));
        const auto found = out.constFind(key);
        if (found == out.cend() || *found < match) out.insert(key, match);
    }
    return out;
}

QStringList LastFMStore::tags(const QJsonObject& answer, const QString& artist) {
    static const QRegularExpression decade(QStringLiteral(R"(^(\d{2}|\d{4})s$)"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    const QString artistKey = Text::lower(artist);
    QStringList out;
    for (const QJsonValue& item : itemsAt(answer, QStringLiteral("toptags"), QStringLiteral("tag"))) {
        if (out.size() == maxTags) break;
        const QJsonObject object = item.toObject();
        const QJsonValue name = object.value(QStringLiteral("name"));
        if (!name.isString()) continue;
        const QString tag = trimBlanks(Text::lower(name.toString()));
        if (tag.isEmpty()) continue;
        const std::optional<qint64> count = countOf(object.value(QStringLiteral("count")));
        if (!count || *count < minTagCount) continue;
        if (notSounds().contains(tag)) continue;
        if (tag == artistKey) continue;
        if (decade.match(tag).hasMatch()) continue;
        out.append(tag);
    }
    return out;
}
